// The back buffer's primitives and its copy to the display.
#include "gfx/frame.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/platform.h"

Frame screenFrame;

namespace {

// Coordinates further out than this are taken for garbage: such a line would take billions of steps
// (or overflow its extent) to draw nothing.
constexpr int COORDINATE_LIMIT = 1 << 15;

bool insideFrame(int x, int y) { return x >= 0 && x < FRAME_WIDTH && y >= 0 && y < FRAME_HEIGHT; }

bool plausible(int coordinate) { return coordinate > -COORDINATE_LIMIT && coordinate < COORDINATE_LIMIT; }

int absolute(int value) { return value < 0 ? -value : value; }

// One step of a line in x and y. Lines walk coordinates rather than buffer offsets so that a line reaching
// past the frame edge loses the pixels outside instead of wrapping round into the next row.
struct PixelStep {
    int x;
    int y;
};

// Pixels (left..right, y) in the colour, those outside the frame left out.
void drawRow(std::uint16_t* pixels, std::uint16_t colour, int y, int left, int right) {
    if (y < 0 || y >= FRAME_HEIGHT) return;
    const int first = left > 0 ? left : 0;
    const int last = right < FRAME_WIDTH - 1 ? right : FRAME_WIDTH - 1;
    std::uint16_t* const row = pixels + y * FRAME_WIDTH;
    for (int x = first; x <= last; ++x) row[x] = colour;
}

// Pixels (x, top..bottom) in the colour, those outside the frame left out.
void drawColumn(std::uint16_t* pixels, std::uint16_t colour, int x, int top, int bottom) {
    if (x < 0 || x >= FRAME_WIDTH) return;
    const int first = top > 0 ? top : 0;
    const int last = bottom < FRAME_HEIGHT - 1 ? bottom : FRAME_HEIGHT - 1;
    for (int y = first; y <= last; ++y) pixels[y * FRAME_WIDTH + x] = colour;
}

// Whole rows first..last in the colour. The first row is filled pixel by pixel and the rest copied
// from what is already filled, doubling each time: a library copy moves wider blocks than a fill loop
// the compiler writes for any processor (a tutorial page's background takes half the time).
void fillRows(std::uint16_t* pixels, std::uint16_t colour, int first, int last) {
    std::uint16_t* const start = pixels + first * FRAME_WIDTH;
    const std::size_t total = static_cast<std::size_t>(last - first + 1) * FRAME_WIDTH;
    std::fill(start, start + FRAME_WIDTH, colour);
    for (std::size_t filled = FRAME_WIDTH; filled < total; filled *= 2) {
        std::memcpy(start + filled, start, std::min(filled, total - filled) * sizeof *start);
    }
}

}  // namespace

int presentFrame(const Frame& frame) {
    std::uint16_t* const display = platform::beginDraw();
    if (display == nullptr) return 0;

    const platform::DisplayProperties& properties = frame.displayProperties;
    const std::ptrdiff_t xStep = properties.xPitch >> 1;
    const std::ptrdiff_t yStep = properties.yPitch >> 1;
    // A display of another size gets the frame's top-left part; the frame is never read past its end.
    const int rows = properties.height < FRAME_HEIGHT ? properties.height : FRAME_HEIGHT;
    const int columns = properties.width < FRAME_WIDTH ? properties.width : FRAME_WIDTH;

    const std::uint16_t* const pixels = frame.BackBuffer;
    if (pixels != nullptr && xStep == 1 && yStep == FRAME_WIDTH && columns == FRAME_WIDTH && rows > 0) {
        // Display memory laid out like the frame itself: the walk is one block copy.
        std::memcpy(display, pixels, static_cast<std::size_t>(rows) * FRAME_WIDTH * sizeof *pixels);
    } else if (pixels != nullptr && rows > 0 && columns > 0) {
        std::ptrdiff_t rowStart = 0;
        for (std::uint16_t row = 0; row < rows; ++row) {
            const std::uint16_t* source = pixels + static_cast<std::ptrdiff_t>(row) * FRAME_WIDTH;
            if (xStep == 1) {
                // The usual display: a row's pixels lie side by side, so the walk is one block copy.
                std::memcpy(display + rowStart, source, static_cast<std::size_t>(columns) * sizeof *source);
            } else {
                std::ptrdiff_t target = rowStart;
                for (std::uint16_t column = 0; column < columns; ++column) {
                    display[target] = *source++;
                    target += xStep;
                }
            }
            rowStart += yStep;
        }
    }
    return platform::endDraw();
}

void clearFrame(Frame& frame, int r, int g, int b) {
    const std::uint16_t colour = packColour(r, g, b);
    frame.penColour = colour;
    if (frame.BackBuffer != nullptr) fillRows(frame.BackBuffer, colour, 0, FRAME_HEIGHT - 1);
}

void drawLine(Frame& frame, int x0, int y0, int x1, int y1) {
    std::uint16_t* const pixels = frame.BackBuffer;
    if (pixels == nullptr) return;
    const std::uint16_t colour = frame.penColour;
    if (!plausible(x0) || !plausible(y0) || !plausible(x1) || !plausible(y1)) return;

    // Straight lines are most of what the game draws (fills, grids, frames); they write the same
    // pixels as the stepping below, in one run.
    if (y0 == y1) {
        drawRow(pixels, colour, y0, x0 < x1 ? x0 : x1, x0 < x1 ? x1 : x0);
        return;
    }
    if (x0 == x1) {
        drawColumn(pixels, colour, x0, y0 < y1 ? y0 : y1, y0 < y1 ? y1 : y0);
        return;
    }

    const int dx = absolute(x1 - x0);
    const int dy = absolute(y1 - y0);
    const PixelStep xStep{x1 >= x0 ? 1 : -1, 0};
    const PixelStep yStep{0, y1 >= y0 ? 1 : -1};
    const bool xMajor = dx >= dy;
    const int major = xMajor ? dx : dy;
    const int minor = xMajor ? dy : dx;
    const PixelStep majorStep = xMajor ? xStep : yStep;
    const PixelStep minorStep = xMajor ? yStep : xStep;

    int err = major / 2;
    int x = x0;
    int y = y0;
    for (int pixel = 0; pixel <= major; ++pixel) {
        err += minor;
        if (insideFrame(x, y)) pixels[y * FRAME_WIDTH + x] = colour;
        if (err >= major) {
            x += minorStep.x;
            y += minorStep.y;
            err -= major;
        }
        x += majorStep.x;
        y += majorStep.y;
    }
}

void drawRect(Frame& frame, int x0, int y0, int x1, int y1) {
    drawLine(frame, x0, y0, x1, y0);
    drawLine(frame, x0, y1, x1, y1);
    drawLine(frame, x0, y0, x0, y1);
    drawLine(frame, x1, y0, x1, y1);
}

void fillRect(Frame& frame, int x0, int y0, int x1, int y1) {
    // Rows outside the frame would draw nothing; skipping them keeps a wild rectangle from looping long.
    const int first = y0 > 0 ? y0 : 0;
    const int last = y1 < FRAME_HEIGHT - 1 ? y1 : FRAME_HEIGHT - 1;
    if (x0 <= 0 && x1 >= FRAME_WIDTH - 1 && plausible(x0) && plausible(x1) && frame.BackBuffer != nullptr) {
        if (first <= last) fillRows(frame.BackBuffer, frame.penColour, first, last);
        return;
    }
    for (int y = first; y <= last; ++y) drawLine(frame, x0, y, x1, y);
}
