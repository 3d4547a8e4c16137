// Bitmap text: glyph addressing in both styles, the 8-pixel pitch and the characters without a glyph.
#include <cstring>

#include "frame_fixture.h"
#include "gfx/text.h"

namespace {

constexpr int FONT_HEIGHT = 26;

// A font whose every pixel is its own index + 1, so a drawn pixel names the font pixel it came from.
class Text : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        font_.resize(static_cast<std::size_t>(FONT_IMAGE_WIDTH * FONT_HEIGHT));
        for (std::size_t i = 0; i < font_.size(); ++i) font_[i] = static_cast<std::uint16_t>(i + 1);
        gameState.fontImage = font_.data();
    }

    // True when the 11 x 13 cell at (x, y) holds the font's cell at (fontX, fontY).
    bool glyphAt(int x, int y, int fontX, int fontY) const {
        for (int i = 0; i < GLYPH_HEIGHT; ++i) {
            for (int j = 0; j < GLYPH_WIDTH; ++j) {
                if (pixel(x + j, y + i) != (fontY + i) * FONT_IMAGE_WIDTH + fontX + j + 1) return false;
            }
        }
        return true;
    }

    std::vector<std::uint16_t> font_;
};

TEST_F(Text, LetterAInWhiteComesFromItsColumns) {
    drawText("A", 0, 0, 0);
    EXPECT_TRUE(glyphAt(0, 0, 352, 0));
    EXPECT_EQ(touchedPixels().size(), static_cast<std::size_t>(GLYPH_WIDTH * GLYPH_HEIGHT));
}

TEST_F(Text, GreenStyleUsesTheLowerRows) {
    drawText("0", 30, 40, 1);
    EXPECT_TRUE(glyphAt(30, 40, 11 * (0x30 - 0x21), 13));
    SetUp();
    drawText("0", 30, 40, 7);  // any non-zero style is green
    EXPECT_TRUE(glyphAt(30, 40, 11 * (0x30 - 0x21), 13));
}

TEST_F(Text, FirstAndLastGlyphs) {
    drawText("!", 0, 0, 0);
    EXPECT_TRUE(glyphAt(0, 0, 0, 0));
    SetUp();
    drawText("Z", 100, 100, 1);
    EXPECT_TRUE(glyphAt(100, 100, 627, 13));
}

TEST_F(Text, CharactersAdvanceEightPixelsAndSpacesLeaveAGap) {
    // Only the positions matter here: a solid font shows every cell drawn.
    std::vector<std::uint16_t> solid(font_.size(), 0x07E0);
    gameState.fontImage = solid.data();
    drawText("1 2", 10, 20, 0);
    EXPECT_EQ(pixel(10, 20), 0x07E0);
    EXPECT_EQ(pixel(20, 20), 0x07E0);  // the first cell's overhang
    EXPECT_EQ(pixel(21, 20), UNTOUCHED);
    EXPECT_EQ(pixel(25, 20), UNTOUCHED);
    EXPECT_EQ(pixel(26, 20), 0x07E0);  // "2" at x + 16
    EXPECT_EQ(pixel(36, 32), 0x07E0);
    EXPECT_EQ(pixel(37, 20), UNTOUCHED);
    EXPECT_EQ(touchedPixels().size(), static_cast<std::size_t>(2 * GLYPH_WIDTH * GLYPH_HEIGHT));
}

TEST_F(Text, GlyphCellsOverlapByThreePixels) {
    drawText("AB", 0, 0, 0);
    EXPECT_TRUE(glyphAt(8, 0, 363, 0));  // the later glyph lies over the earlier one's right edge
    EXPECT_EQ(pixel(7, 0), 352 + 7 + 1);
}

TEST_F(Text, BytesWithoutAGlyphLeaveGaps) {
    const char text[] = {'A', '\x80', '\xFF', '\x1F', '[', '~', '\x7F', 'B', 0};
    drawText(text, 0, 100, 0);
    EXPECT_TRUE(glyphAt(0, 100, 352, 0));
    EXPECT_TRUE(glyphAt(56, 100, 363, 0));
    EXPECT_EQ(touchedPixels().size(), static_cast<std::size_t>(2 * GLYPH_WIDTH * GLYPH_HEIGHT));
}

TEST_F(Text, EmptyOrMissingTextDrawsNothing) {
    drawText("", 0, 0, 0);
    drawText(nullptr, 0, 0, 0);
    gameState.fontImage = nullptr;
    drawText("ABC", 0, 0, 0);
    EXPECT_TRUE(touchedPixels().empty());
}

TEST_F(Text, TextRunningOffTheRightEdgeDoesNotWrap) {
    drawText("AAAA", 216, 0, 0);
    EXPECT_EQ(pixel(0, 1), UNTOUCHED);
    EXPECT_EQ(pixel(239, 12), 12 * FONT_IMAGE_WIDTH + 352 + 7 + 1);  // the last glyph, cut after 8 columns
}

}  // namespace
