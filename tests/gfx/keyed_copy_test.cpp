// The keyed copies: what is drawn, what is skipped, and the guards.
#include <algorithm>
#include <array>
#include <limits>

#include "frame_fixture.h"
#include "gfx/images.h"

namespace {

using Pixels = std::vector<std::pair<int, int>>;

class KeyedCopy : public FrameTest {};

// A 3 x 2 picture: the key in the middle of the top row, the darkest blue beside it.
constexpr std::array<std::uint16_t, 6> SMALL_IMAGE = {0x0001, TRANSPARENT_KEY, 0xFFFF,
                                                      0x07E0, 0xF800, 0x001F};

TEST_F(KeyedCopy, BlitImageSkipsOnlyTheKey) {
    blitImage(SMALL_IMAGE.data(), 100, 200, 2, 3);
    EXPECT_EQ(pixel(100, 200), 0x0001);
    EXPECT_EQ(pixel(101, 200), UNTOUCHED);
    EXPECT_EQ(pixel(102, 200), 0xFFFF);
    EXPECT_EQ(pixel(100, 201), 0x07E0);
    EXPECT_EQ(pixel(101, 201), 0xF800);
    EXPECT_EQ(pixel(102, 201), 0x001F);
    EXPECT_EQ(touchedPixels().size(), 5u);
}

TEST_F(KeyedCopy, BlitImageOfNoRowsOrNoImageDrawsNothing) {
    blitImage(SMALL_IMAGE.data(), 0, 0, 0, 3);
    blitImage(SMALL_IMAGE.data(), 0, 0, -1, 3);
    blitImage(nullptr, 0, 0, 2, 3);
    EXPECT_TRUE(touchedPixels().empty());
}

TEST_F(KeyedCopy, BlitImageCoversTheWholeFrame) {
    const std::vector<std::uint16_t> background(FRAME_PIXELS, 0x4321);
    blitImage(background.data(), 0, 0, FRAME_HEIGHT, FRAME_WIDTH);
    for (std::uint16_t value : frame_) ASSERT_EQ(value, 0x4321);
}

TEST_F(KeyedCopy, KeyIsSkippedEverywhereAlongALongRow) {
    // Long enough for pixels to be copied in groups and one by one at the end of the row.
    constexpr int WIDTH = 37;
    std::vector<std::uint16_t> row(WIDTH);
    for (int j = 0; j < WIDTH; ++j) row[static_cast<std::size_t>(j)] = j % 3 == 0 ? TRANSPARENT_KEY : static_cast<std::uint16_t>(j);
    blitImage(row.data(), 5, 7, 1, WIDTH);
    for (int j = 0; j < WIDTH; ++j) EXPECT_EQ(pixel(5 + j, 7), j % 3 == 0 ? UNTOUCHED : j) << "column " << j;
    EXPECT_EQ(touchedPixels().size(), static_cast<std::size_t>(WIDTH - (WIDTH + 2) / 3));
}

TEST_F(KeyedCopy, BlitImageKeepsToTheFrame) {
    blitImage(SMALL_IMAGE.data(), 238, 319, 2, 3);
    EXPECT_EQ(touchedPixels(), (Pixels{{238, 319}}));
    EXPECT_EQ(pixel(0, 0), UNTOUCHED);  // nothing wrapped round
    SetUp();
    blitImage(SMALL_IMAGE.data(), -1, -1, 2, 3);
    EXPECT_EQ(touchedPixels(), (Pixels{{0, 0}, {1, 0}}));
    EXPECT_EQ(pixel(0, 0), 0xF800);
    EXPECT_EQ(pixel(1, 0), 0x001F);
}

TEST_F(KeyedCopy, BlitImageFarOutsideDrawsNothing) {
    blitImage(SMALL_IMAGE.data(), std::numeric_limits<int>::min(), 0, 2, 3);
    blitImage(SMALL_IMAGE.data(), 0, std::numeric_limits<int>::min(), 2, 3);
    blitImage(SMALL_IMAGE.data(), std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), 2, 3);
    EXPECT_TRUE(touchedPixels().empty());
}

// A sheet whose every pixel tells where it came from: its index + 1.
std::vector<std::uint16_t> numberedSheet(int width, int height) {
    std::vector<std::uint16_t> sheet(static_cast<std::size_t>(width * height));
    for (int i = 0; i < width * height; ++i) sheet[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(i + 1);
    return sheet;
}

TEST_F(KeyedCopy, BlitImagePartCutsTheRectangleWithTheStride) {
    const std::vector<std::uint16_t> sheet = numberedSheet(20, 10);
    blitImagePart(sheet.data(), 5, 3, 20, 50, 60, 2, 4);
    EXPECT_EQ(touchedPixels().size(), 8u);
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 4; ++j) EXPECT_EQ(pixel(50 + j, 60 + i), (3 + i) * 20 + 5 + j + 1);
    }
}

TEST_F(KeyedCopy, BlitImagePartGuards) {
    const std::vector<std::uint16_t> sheet = numberedSheet(20, 10);
    blitImagePart(nullptr, 0, 0, 20, 0, 0, 2, 2);
    blitImagePart(sheet.data(), -1, 0, 20, 0, 0, 2, 2);
    blitImagePart(sheet.data(), 0, -1, 20, 0, 0, 2, 2);
    blitImagePart(sheet.data(), 0, 0, 20, -1, 0, 2, 2);
    blitImagePart(sheet.data(), 0, 0, 20, 0, -1, 2, 2);
    blitImagePart(sheet.data(), 0, 0, 20, 0, 0, -1, 2);
    blitImagePart(sheet.data(), 0, 0, 20, 0, 0, 2, -1);
    blitImagePart(sheet.data(), 0, 0, 20, 240, 0, 2, 1);
    blitImagePart(sheet.data(), 0, 0, 20, 0, 320, 2, 1);
    blitImagePart(sheet.data(), 0, 0, 20, 0, 0, 0, 2);
    EXPECT_TRUE(touchedPixels().empty());
}

TEST_F(KeyedCopy, BlitImagePartAtTheLastColumnAndRow) {
    const std::vector<std::uint16_t> sheet = numberedSheet(20, 10);
    blitImagePart(sheet.data(), 0, 0, 20, 239, 0, 3, 1);
    EXPECT_EQ(touchedPixels(), (Pixels{{239, 0}, {239, 1}, {239, 2}}));
    SetUp();
    blitImagePart(sheet.data(), 0, 0, 20, 0, 319, 1, 3);
    EXPECT_EQ(touchedPixels(), (Pixels{{0, 319}, {1, 319}, {2, 319}}));
}

TEST_F(KeyedCopy, BlitImagePartPastTheFarEdgeIsCut) {
    const std::vector<std::uint16_t> sheet = numberedSheet(20, 10);
    blitImagePart(sheet.data(), 0, 0, 20, 238, 318, 4, 4);
    EXPECT_EQ(touchedPixels(), (Pixels{{238, 318}, {239, 318}, {238, 319}, {239, 319}}));
    EXPECT_EQ(pixel(239, 319), 20 + 1 + 1);
}

TEST(LoadImage, AnIdWithoutAPictureGivesNull) {
    EXPECT_EQ(loadImage(0), nullptr);
    EXPECT_EQ(loadImage(102), nullptr);
    EXPECT_EQ(loadImage(115), nullptr);  // a sound's id, not a picture's
}

// A background with no transparent pixel is copied whole (as a plain copy); a picture with keys next to
// it still keeps the frame under them, and a part of the background lands pixel for pixel.
TEST_F(KeyedCopy, OpaqueBackgroundsCopyWholeAndKeyedPicturesStillSkipTheKey) {
    const std::uint16_t* const background = loadImage(IMAGE_PLAY_BACKGROUND);
    ASSERT_NE(background, nullptr);
    blitImage(background, 0, 0, FRAME_HEIGHT, FRAME_WIDTH);
    EXPECT_TRUE(std::equal(frame_.begin(), frame_.end(), background));

    frame_.assign(FRAME_PIXELS, UNTOUCHED);
    blitImagePart(background, 5, 300, FRAME_WIDTH, 7, 2, 20, 231);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 231; ++x) ASSERT_EQ(pixel(7 + x, 2 + y), background[(300 + y) * FRAME_WIDTH + 5 + x]);
    EXPECT_EQ(pixel(6, 2), UNTOUCHED);
    EXPECT_EQ(pixel(7, 22), UNTOUCHED);

    frame_.assign(FRAME_PIXELS, UNTOUCHED);
    blitImage(SMALL_IMAGE.data(), 0, 0, 2, 3);
    EXPECT_EQ(pixel(1, 0), UNTOUCHED);
}

}  // namespace
