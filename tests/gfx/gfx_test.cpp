// The frame primitives, keyed copies, text and the copy to the display where the game never takes them:
// at and past the frame edges, with bad arguments, and display layouts the trails do not use.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <iterator>
#include <tuple>
#include <numeric>
#include <utility>
#include <vector>

#include "gfx/frame.h"
#include "gfx/images.h"
#include "gfx/text.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"

namespace {

using Pixels = std::vector<std::pair<int, int>>;
constexpr std::uint16_t UNTOUCHED = 0x1234;  // a colour no drawing call here uses
constexpr std::uint16_t PEN = 0xF81F;

// A sheet whose every pixel tells where it came from: its index + 1.
std::vector<std::uint16_t> numbered(int pixels) {
    std::vector<std::uint16_t> sheet(static_cast<std::size_t>(pixels));
    std::iota(sheet.begin(), sheet.end(), std::uint16_t{1});
    return sheet;
}

class Gfx : public ::testing::Test {
protected:
    std::vector<std::uint16_t> memory;
    Frame frame;
    void SetUp() override { fresh(); }
    void TearDown() override { headless::reset(); }
    void fresh() {  // a row past the frame's end shows a primitive that writes beyond it
        memory.assign(FRAME_PIXELS + FRAME_WIDTH, UNTOUCHED);
        frame.BackBuffer = memory.data();
        frame.penColour = PEN;
    }
    std::uint16_t pixel(int x, int y) const { return memory[static_cast<std::size_t>(y * FRAME_WIDTH + x)]; }
    // The plain keyed copy of a part of `picture` (`stride` pixels a row), cut at the frame's right and bottom.
    void keyedCopy(const std::uint16_t* picture, int stride, int srcX, int srcY, int x, int y, int rows, int columns) {
        for (int row = 0; row < rows && y + row < FRAME_HEIGHT; ++row)
            for (int column = 0; column < columns && x + column < FRAME_WIDTH; ++column)
                if (const std::uint16_t p = picture[(srcY + row) * stride + srcX + column]; p != TRANSPARENT_KEY)
                    memory[static_cast<std::size_t>((y + row) * FRAME_WIDTH + x + column)] = p;
    }
    // The frame `draw` leaves, against the one `model` leaves, each drawn on a fresh frame.
    template <typename Draw, typename Model>
    ::testing::AssertionResult drawsAs(Draw draw, Model model) {
        fresh();
        draw();
        const std::vector<std::uint16_t> drawn = memory;
        fresh();
        model();
        if (drawn == memory) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << std::count_if(drawn.begin(), drawn.end(), [&, i = 0](std::uint16_t p) mutable {
            return p != memory[static_cast<std::size_t>(i++)]; }) << " pixels differ from the model's";
    }
    Pixels touched() const {
        Pixels pixels;
        for (int i = 0; i < static_cast<int>(memory.size()); ++i)
            if (memory[static_cast<std::size_t>(i)] != UNTOUCHED) pixels.emplace_back(i % FRAME_WIDTH, i / FRAME_WIDTH);
        return pixels;
    }
};

TEST_F(Gfx, LinesAndRectanglesDrawTheirPixelsAndLoseOnlyThoseOutsideTheFrame) {
    enum Shape { LINE, RECT, FILL };
    struct Case { Shape shape; int x0, y0, x1, y1; Pixels drawn; };
    const Case cases[] = {
        {LINE, 0, 0, 3, 1, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},  {LINE, 3, 1, 0, 0, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {LINE, 10, 10, 11, 14, {{10, 10}, {10, 11}, {11, 12}, {11, 13}, {11, 14}}},
        {LINE, 11, 14, 10, 10, {{10, 10}, {10, 11}, {10, 12}, {11, 13}, {11, 14}}},
        {LINE, 5, 5, 8, 8, {{5, 5}, {6, 6}, {7, 7}, {8, 8}}},   {LINE, 8, 5, 5, 8, {{8, 5}, {7, 6}, {6, 7}, {5, 8}}},
        {LINE, 239, 319, 239, 319, {{239, 319}}},             {LINE, 242, 5, 237, 5, {{237, 5}, {238, 5}, {239, 5}}},
        {LINE, 2, 322, 2, 317, {{2, 317}, {2, 318}, {2, 319}}}, {LINE, -2, -2, 1, 1, {{0, 0}, {1, 1}}},
        {LINE, 241, 1, 239, 3, {{239, 3}}},                   {LINE, INT_MIN, 0, INT_MAX, 0, {}},
        {LINE, -40000, 5, 5, 5, {}},                          {LINE, 0, 0, 0, 40000, {}},
        {RECT, 10, 20, 13, 22, {{10, 20}, {11, 20}, {12, 20}, {13, 20}, {10, 21}, {13, 21}, {10, 22}, {11, 22}, {12, 22}, {13, 22}}},
        {RECT, 238, -1, 240, 0, {{238, 0}, {239, 0}}},
        {FILL, 10, 20, 12, 21, {{10, 20}, {11, 20}, {12, 20}, {10, 21}, {11, 21}, {12, 21}}},
        {FILL, 10, 20, 10, 20, {{10, 20}}},                   {FILL, 10, 20, 12, 19, {}},
        {FILL, -5, 318, 0, 400, {{0, 318}, {0, 319}}}};
    for (const Case& c : cases) {
        fresh();
        (c.shape == LINE ? drawLine : c.shape == RECT ? drawRect : fillRect)(frame, c.x0, c.y0, c.x1, c.y1);
        EXPECT_EQ(touched(), c.drawn) << c.shape << ": " << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1;
        for (const auto& [x, y] : c.drawn) ASSERT_EQ(pixel(x, y), PEN);
    }
    fresh();
    fillRect(frame, 0, INT_MIN, 1, INT_MAX);  // ends quickly, drawing only what is inside
    EXPECT_EQ(touched().size(), 2u * FRAME_HEIGHT);
    // Whole rows are filled as a block; a rectangle wider than the frame fills them too, a wild one nothing.
    for (const auto& [x0, x1, drawn] : {std::tuple{0, FRAME_WIDTH - 1, 4 * FRAME_WIDTH}, {-5, 300, 4 * FRAME_WIDTH},
                                        {-40000, FRAME_WIDTH, 0}, {0, 40000, 0}}) {
        fresh();
        fillRect(frame, x0, 316, x1, 330);
        EXPECT_EQ(touched().size(), static_cast<std::size_t>(drawn)) << x0 << ".." << x1;
        EXPECT_EQ(std::count(memory.begin(), memory.end(), PEN), drawn);
    }
}

// The game's own colours, and clearing to them, are the trails'; these have bits the packing drops.
TEST_F(Gfx, ColoursKeepTheTopBitsOfEachChannel) {
    for (const auto& [rgb, packed] : {std::pair{std::array{32, 0, 0}, 0x2000}, {{255, 255, 255}, 0xFFFF},
                                      {{7, 3, 7}, 0x0000}, {{0, 255, 0}, 0x07E0}, {{0xA8, 0x54, 0x28}, 0xAAA5}})
        EXPECT_EQ(packColour(rgb[0], rgb[1], rgb[2]), packed) << rgb[0] << "," << rgb[1] << "," << rgb[2];
}

TEST_F(Gfx, WithoutABackBufferNothingIsDrawnButClearingSetsThePen) {
    frame.BackBuffer = nullptr;
    clearFrame(frame, 255, 0, 0);
    drawLine(frame, 0, 0, 10, 10);
    fillRect(frame, 0, 0, 239, 319);
    blitImage(frame, memory.data(), 0, 0, 1, 1);
    drawText(frame, "A", 0, 0, TEXT_WHITE);
    drawText(frame, nullptr, 0, 0, TEXT_WHITE);
    EXPECT_EQ(frame.penColour, 0xF800);
    EXPECT_TRUE(touched().empty());
}

// The key 0x0000 is skipped and 0x0001 drawn, in a row long enough to be copied in groups of pixels and
// one by one at its end.
TEST_F(Gfx, KeyedCopiesSkipTheKeyEverywhereAlongARow) {
    constexpr int LONG_ROW = 37;
    std::vector<std::uint16_t> row = numbered(LONG_ROW);
    for (int j = 1; j < LONG_ROW; j += 3) row[static_cast<std::size_t>(j)] = TRANSPARENT_KEY;
    blitImage(frame, row.data(), 5, 7, 1, LONG_ROW);
    for (int j = 0; j < LONG_ROW; ++j) EXPECT_EQ(pixel(5 + j, 7), j % 3 == 1 ? UNTOUCHED : j + 1) << j;
    EXPECT_EQ(touched().size(), static_cast<std::size_t>(LONG_ROW - (LONG_ROW + 1) / 3));
}

TEST_F(Gfx, CopiesKeepToTheFrameAndRefuseBadArguments) {
    constexpr int STRIDE = 20, ROWS = 10;
    const std::vector<std::uint16_t> sheet = numbered(STRIDE * ROWS);
    // `part`: blitImagePart from the sheet; otherwise blitImage, with the copy's width as its stride.
    struct Case { bool part; int srcX, srcY, x, y, height, width; std::size_t drawn; };
    const Case cases[] = {
        {true, 5, 3, 50, 60, 2, 4, 8},     {true, 0, 0, 239, 0, 3, 1, 3},    {true, 0, 0, 0, 319, 1, 3, 3},
        {true, 1, 2, 238, 318, 4, 4, 4},   {true, -1, 0, 0, 0, 2, 2, 0},     {true, 0, -1, 0, 0, 2, 2, 0},
        {true, 0, 0, -1, 0, 2, 2, 0},      {true, 0, 0, 0, -1, 2, 2, 0},     {true, 0, 0, 0, 0, -1, 2, 0},
        {true, 0, 0, 0, 0, 2, -1, 0},      {true, 0, 0, 240, 0, 2, 1, 0},    {true, 0, 0, 0, 320, 2, 1, 0},
        {true, 0, 0, 0, 0, 0, 2, 0},       {false, 0, 0, 238, 319, 2, 3, 2}, {false, 0, 0, -1, -1, 2, 3, 2},
        {false, 0, 0, 0, 0, 0, 3, 0},      {false, 0, 0, 0, 0, -1, 3, 0},    {false, 0, 0, INT_MIN, 0, 2, 3, 0},
        {false, 0, 0, 0, INT_MIN, 2, 3, 0}, {false, 0, 0, INT_MAX, INT_MAX, 2, 3, 0},
        // Rectangles reaching past the sheet's right or bottom edge copy only what the sheet holds.
        {true, 18, 0, 50, 60, 2, 4, 4},    {true, 0, 9, 50, 60, 3, 2, 2},    {true, 20, 0, 50, 60, 2, 2, 0},
        {true, 0, 10, 50, 60, 2, 2, 0},    {true, 19, 9, 50, 60, INT_MAX, INT_MAX, 1}};
    for (const Case& c : cases) {
        fresh();
        if (c.part) blitImagePart(frame, sheet.data(), c.srcX, c.srcY, STRIDE, ROWS, c.x, c.y, c.height, c.width);
        else blitImage(frame, sheet.data(), c.x, c.y, c.height, c.width);
        const int stride = c.part ? STRIDE : c.width;
        const Pixels pixels = touched();
        EXPECT_EQ(pixels.size(), c.drawn) << c.part << " " << c.x << "," << c.y;
        for (const auto& [x, y] : pixels)
            ASSERT_EQ(pixel(x, y), sheet[static_cast<std::size_t>((c.srcY + y - c.y) * stride + c.srcX + x - c.x)]);
    }
    fresh();
    blitImagePart(frame, nullptr, 0, 0, STRIDE, ROWS, 0, 0, 2, 2);
    blitImage(frame, nullptr, 0, 0, 2, 3);
    EXPECT_TRUE(touched().empty());
}

// The program's pictures are copied by what their key tables tell (rows without the key plainly, runs of
// rows alike together): every part of every picture, anywhere on the frame and cut at its edges, must
// give the pixels of the plain keyed copy, pixel by pixel.
TEST_F(Gfx, ThePicturesCopiedByTheirKeyTablesGiveThePixelsOfTheKeyedCopy) {
    loadImages(frame);
    EXPECT_EQ(loadImage(0), nullptr);  // ids without a picture
    EXPECT_EQ(loadImage(115), nullptr);
    for (int image = 0; image < IMAGE_COUNT; ++image) {
        const auto id = static_cast<ImageId>(image);
        const int width = imageWidth(id), height = imageHeight(id);
        ASSERT_NE(frame.images[id], nullptr) << image;
        // Parts of every width from one pixel, starting in every column, rows from every band; and parts
        // that end on the first key pixel of a row or start on its last, where the table's test is tight.
        std::vector<std::array<int, 4>> parts;  // srcX, srcY, columns, rows
        for (int part = 0; part < 40; ++part) {
            const int srcX = part * 37 % width, srcY = part * 11 % height;
            parts.push_back({srcX, srcY, std::min(1 + part * 13 % 60 + (part % 4 == 0 ? width : 0), width - srcX),
                             std::min(1 + part * 7 % 40, height - srcY)});
        }
        for (int row = 0; row < height; row += 5) {
            const std::uint16_t* const pixels = frame.images[id] + row * width;
            const int first = static_cast<int>(std::find(pixels, pixels + width, TRANSPARENT_KEY) - pixels);
            const int last = width - 1 - static_cast<int>(std::find(std::make_reverse_iterator(pixels + width),
                                                                    std::make_reverse_iterator(pixels), TRANSPARENT_KEY) -
                                                          std::make_reverse_iterator(pixels + width));
            if (first == width) continue;
            parts.push_back({std::max(0, first - 9), row, first + 1 - std::max(0, first - 9), 1});
            parts.push_back({last, row, std::min(9, width - last), 1});
        }
        for (std::size_t part = 0; part < parts.size(); ++part) {
            // Named one by one: clang before 16 does not let a lambda capture a structured binding.
            const int srcX = parts[part][0], srcY = parts[part][1], columns = parts[part][2], rows = parts[part][3];
            const int x = static_cast<int>(part) * 29 % FRAME_WIDTH, y = static_cast<int>(part) * 53 % FRAME_HEIGHT;
            ASSERT_TRUE(drawsAs([&] { drawImagePart(frame, id, srcX, srcY, x, y, rows, columns); },
                                [&] { keyedCopy(frame.images[id], width, srcX, srcY, x, y, rows, columns); }))
                << "picture " << image << ", part " << part;
        }
        ASSERT_TRUE(drawsAs([&] { drawImage(frame, id, 0, 0); }, [&] { keyedCopy(frame.images[id], width, 0, 0, 0, 0, height, width); }))
            << "picture " << image << " whole";
    }
}

// Text is drawn from the part of the glyph cells that holds their pixels in the program's font, whole
// cells in any other, along the line where it fits the frame: the same pixels as each whole cell's keyed
// copy, in the middle of the frame and at every edge. Bytes without a glyph leave a gap; any style but
// white is green.
TEST_F(Gfx, TextGivesThePixelsOfWholeGlyphCellsAndGapsForBytesWithoutAGlyph) {
    loadImages(frame);
    const std::vector<std::uint16_t> numberedFont = numbered(imageWidth(IMAGE_FONT) * 2 * GLYPH_HEIGHT);
    const char text[] = "\x80\xFF\x1F~\x7F" "AZ!09 ',;_:[@";  // ends on a glyph, for the line that would overrun
    for (const std::uint16_t* const font : {frame.images[IMAGE_FONT], numberedFont.data()}) {
        frame.images[IMAGE_FONT] = font;
        for (const std::array<int, 3>& place : {std::array{97, 20, 0}, {0, 0, 1}, {152, 307, 0}, {153, 100, 7}, {230, 50, 0},
                                                {-8, 60, 1}, {-3, 70, 0}, {20, 312, 1}, {20, -1, 0}, {20, 319, 0}}) {
            const int x = place[0], y = place[1], style = place[2];  // not a structured binding: see above
            EXPECT_TRUE(drawsAs([&] { drawText(frame, text, x, y, style); }, [&] {
                for (int i = 0; text[i] != 0; ++i) {
                    const int glyph = text[i] - '!', cellX = x + TEXT_PITCH * i;
                    if (glyph >= 0 && glyph <= 'Z' - '!' && cellX >= 0 && cellX < FRAME_WIDTH && y >= 0 && y < FRAME_HEIGHT)
                        keyedCopy(font, imageWidth(IMAGE_FONT), glyph * GLYPH_WIDTH, style == TEXT_WHITE ? 0 : GLYPH_HEIGHT, cellX,
                                  y, GLYPH_HEIGHT, GLYPH_WIDTH);
                }
            })) << (font == numberedFont.data() ? "numbered font " : "program's font ") << x << "," << y;
        }
    }
}

std::intptr_t ignoreMessages(platform::Message message, std::uint32_t first, std::uint32_t second) {
    return platform::defaultWindowProcedure(message, first, second);
}

// The trails present to the standard and the turned display; these are the other layouts, and the turned one
// again, whose row just past the bottom edge lies inside its memory.
TEST_F(Gfx, EveryDisplayLayoutShowsTheFrameItHasRoomFor) {
    constexpr std::int32_t FORMAT = headless::DIRECT_565_FORMAT;
    for (const platform::DisplayProperties display :
         {platform::DisplayProperties{240, 320, -2, 480, 16, FORMAT}, {240, 320, -2, -480, 16, FORMAT},
          {100, 50, 2, 200, 16, FORMAT}, {480, 640, 2, 960, 16, FORMAT}, {240, 320, -640, 2, 16, FORMAT}}) {
        headless::configure(1, display, "", false);
        ASSERT_TRUE(platform::createWindow("present test", ignoreMessages));
        ASSERT_TRUE(platform::openDisplay());
        frame.displayProperties = platform::displayProperties();
        memory = numbered(FRAME_PIXELS);
        frame.BackBuffer = memory.data();
        EXPECT_EQ(presentFrame(frame), 1);
        EXPECT_EQ(memory, numbered(FRAME_PIXELS));  // the frame is only read
        for (int y = 0; y <= display.height; ++y)  // and the pixels just past its edges read 0
            for (int x = 0; x <= display.width; ++x)
                ASSERT_EQ(headless::displayPixel(x, y),
                          x < display.width && y < display.height && x < FRAME_WIDTH && y < FRAME_HEIGHT ? pixel(x, y) : 0)
                    << x << "," << y;
    }
    headless::reset();  // no display at all
    EXPECT_EQ(presentFrame(frame), 0);
    EXPECT_EQ(headless::framesPresented(), 0u);
}

}  // namespace
