// Bitmap text drawn glyph by glyph from the font image.
#include "gfx/text.h"

#include <algorithm>
#include <cstring>

#include "gfx/images.h"
#include "gfx/pixel_blocks.h"

namespace {

constexpr int FIRST_GLYPH_CODE = 0x21;  // "!"
constexpr int GLYPH_COUNT = 58;         // "!" .. "Z"
constexpr int STYLE_COUNT = 2;

// A rectangle of every glyph cell, relative to the cell's top-left corner.
struct CellPart {
    int left, top, width, height;
};
constexpr CellPart WHOLE_CELL{0, 0, GLYPH_WIDTH, GLYPH_HEIGHT};

const std::uint16_t* fontPixel(const std::uint16_t* font, int glyph, int style, int x, int y) {
    return font + (style * GLYPH_HEIGHT + y) * imageWidth(IMAGE_FONT) + glyph * GLYPH_WIDTH + x;
}

// The part of the cells that holds every glyph's pixels, widened to at least a block of the keyed copy
// where the cell has room. Outside it every cell holds only the key, which draws nothing, so drawing
// the part alone gives the same pixels, in fewer rows and a single block a row.
CellPart inkedPart(const std::uint16_t* font) {
    int left = GLYPH_WIDTH, right = 0, top = GLYPH_HEIGHT, bottom = 0;
    for (int style = 0; style < STYLE_COUNT; ++style) {
        for (int glyph = 0; glyph < GLYPH_COUNT; ++glyph) {
            for (int y = 0; y < GLYPH_HEIGHT; ++y) {
                for (int x = 0; x < GLYPH_WIDTH; ++x) {
                    if (*fontPixel(font, glyph, style, x, y) == TRANSPARENT_KEY) continue;
                    left = std::min(left, x), right = std::max(right, x + 1);
                    top = std::min(top, y), bottom = std::max(bottom, y + 1);
                }
            }
        }
    }
    if (right <= left) return {0, 0, 0, 0};
    const int width = std::max(right - left, std::min(PIXEL_BLOCK, GLYPH_WIDTH));
    return {std::min(left, GLYPH_WIDTH - width), top, width, bottom - top};
}

// What to draw of each cell: the inked part for the font the program loads (its pixels never change),
// the whole cell for any other.
CellPart partToDraw(const std::uint16_t* font) {
    static const std::uint16_t* const loadedFont = loadImage(IMAGE_RESOURCES[IMAGE_FONT].id);
    static const CellPart loadedFontPart = loadedFont != nullptr ? inkedPart(loadedFont) : WHOLE_CELL;
    return font != nullptr && font == loadedFont ? loadedFontPart : WHOLE_CELL;
}

int glyphOf(char character) { return static_cast<signed char>(character) - FIRST_GLYPH_CODE; }

bool hasGlyph(int glyph) { return glyph >= 0 && glyph < GLYPH_COUNT; }

// A line of text whose glyphs' parts are a block each, side by side, and lie wholly inside the frame:
// drawn row by row along the line, a block a glyph, rather than glyph by glyph through the keyed copy.
// The parts do not overlap, so the order they are drawn in does not matter.
void drawLineInBlocks(Frame& frame, const char* text, std::size_t length, int x, int y, int sourceY,
                      const CellPart& part) {
    const std::uint16_t* const font = frame.images[IMAGE_FONT];
    const int fontWidth = imageWidth(IMAGE_FONT);
    for (int row = 0; row < part.height; ++row) {
        const std::uint16_t* const sourceRow = font + (sourceY + part.top + row) * fontWidth + part.left;
        std::uint16_t* const targetRow = frame.BackBuffer + (y + part.top + row) * FRAME_WIDTH + x + part.left;
        for (std::size_t i = 0; i < length; ++i) {
            const int glyph = glyphOf(text[i]);
            if (!hasGlyph(glyph)) continue;
            std::uint16_t* const target = targetRow + TEXT_PITCH * i;
            storeBlock(target, keyedBlend(loadBlock(sourceRow + GLYPH_WIDTH * glyph), loadBlock(target)));
        }
    }
}

// Whether the line's glyph parts are a block each, side by side, wholly inside the frame.
bool fitsInBlocks(const Frame& frame, std::size_t length, int x, int y, const CellPart& part) {
    if (frame.BackBuffer == nullptr || part.width != PIXEL_BLOCK || part.width != TEXT_PITCH || length == 0) return false;
    if (x < 0 || y < 0 || y + part.top + part.height > FRAME_HEIGHT) return false;
    const std::size_t room = static_cast<std::size_t>(FRAME_WIDTH - x - part.left);
    return x + part.left <= FRAME_WIDTH && length <= room / TEXT_PITCH;
}

}  // namespace

// A glyph whose cell starts outside the frame is left out whole, as the keyed copy of a whole cell
// would leave it; one reaching past the right or bottom edge is cut there.
void drawText(Frame& frame, const char* text, int x, int y, int style) {
    if (text == nullptr) return;
    const int sourceY = style == TEXT_WHITE ? 0 : GLYPH_HEIGHT;
    const CellPart part = partToDraw(frame.images[IMAGE_FONT]);
    if (y < 0 || y > FRAME_HEIGHT - 1) return;
    const std::size_t length = std::strlen(text);
    if (fitsInBlocks(frame, length, x, y, part)) return drawLineInBlocks(frame, text, length, x, y, sourceY, part);
    for (std::size_t i = 0; i < length; ++i) {
        const int glyph = glyphOf(text[i]);
        const int cellX = x + TEXT_PITCH * static_cast<int>(i);
        if (!hasGlyph(glyph) || cellX < 0 || cellX > FRAME_WIDTH - 1) continue;
        drawImagePart(frame, IMAGE_FONT, GLYPH_WIDTH * glyph + part.left, sourceY + part.top, cellX + part.left,
                      y + part.top, part.height, part.width);
    }
}
