// The pen colour, the clear, lines and rectangles, pixel by pixel.
#include <cstring>
#include <limits>

#include "frame_fixture.h"

namespace {

using Pixels = std::vector<std::pair<int, int>>;

constexpr std::uint16_t PEN = 0xF81F;

class Primitives : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        gameState.penColour = PEN;
    }
};

TEST(PackColour, DropsTheLowBitsOfEachComponent) {
    EXPECT_EQ(packColour(32, 0, 0), 0x2000);
    EXPECT_EQ(packColour(255, 255, 255), 0xFFFF);
    EXPECT_EQ(packColour(7, 3, 7), 0x0000);
    EXPECT_EQ(packColour(0, 255, 0), 0x07E0);
}

TEST_F(Primitives, ClearFrameSetsThePenAndEveryPixel) {
    clearFrame(32, 0, 0);
    EXPECT_EQ(gameState.penColour, 0x2000);
    for (std::uint16_t value : frame_) ASSERT_EQ(value, 0x2000);
}

TEST_F(Primitives, ClearFramePacksTwoPixelsPerWord) {
    clearFrame(0xA8, 0x54, 0x28);  // a colour whose two bytes differ, so a swapped half would show
    const std::uint16_t colour = packColour(0xA8, 0x54, 0x28);
    std::uint32_t word = 0;
    std::memcpy(&word, frame_.data() + FRAME_PIXELS - 2, sizeof word);
    EXPECT_EQ(word, static_cast<std::uint32_t>(colour) * 0x10001u);
    EXPECT_EQ(pixel(239, 319), colour);
    EXPECT_EQ(pixel(0, 0), colour);
}

TEST_F(Primitives, ClearFrameWithDroppedBitsGivesBlack) {
    clearFrame(7, 3, 7);
    EXPECT_EQ(gameState.penColour, 0x0000);
    EXPECT_EQ(pixel(120, 160), 0x0000);
}

TEST_F(Primitives, XMajorLineInBothDirections) {
    drawLine(0, 0, 3, 1);
    EXPECT_EQ(touchedPixels(), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    EXPECT_EQ(pixel(0, 0), PEN);

    SetUp();
    drawLine(3, 1, 0, 0);
    EXPECT_EQ(touchedPixels(), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
}

TEST_F(Primitives, YMajorLineInBothDirections) {
    drawLine(10, 10, 11, 14);
    EXPECT_EQ(touchedPixels(), (Pixels{{10, 10}, {10, 11}, {11, 12}, {11, 13}, {11, 14}}));

    SetUp();
    drawLine(11, 14, 10, 10);
    EXPECT_EQ(touchedPixels(), (Pixels{{10, 10}, {10, 11}, {10, 12}, {11, 13}, {11, 14}}));
}

TEST_F(Primitives, EqualExtentsStepDiagonally) {
    drawLine(5, 5, 8, 8);
    EXPECT_EQ(touchedPixels(), (Pixels{{5, 5}, {6, 6}, {7, 7}, {8, 8}}));

    SetUp();
    drawLine(8, 5, 5, 8);
    EXPECT_EQ(touchedPixels(), (Pixels{{8, 5}, {7, 6}, {6, 7}, {5, 8}}));
}

TEST_F(Primitives, LineWithCoincidentEndsIsOnePixel) {
    drawLine(239, 319, 239, 319);
    EXPECT_EQ(touchedPixels(), (Pixels{{239, 319}}));
}

TEST_F(Primitives, LongLinesReachBothEnds) {
    drawLine(0, 0, 239, 0);
    EXPECT_EQ(touchedPixels().size(), 240u);
    SetUp();
    drawLine(3, 319, 3, 0);
    EXPECT_EQ(touchedPixels().size(), 320u);
    EXPECT_EQ(pixel(3, 0), PEN);
    EXPECT_EQ(pixel(3, 319), PEN);
}

TEST_F(Primitives, LinePastTheFrameEdgeDropsOnlyThePixelsOutside) {
    drawLine(237, 5, 242, 5);
    EXPECT_EQ(touchedPixels(), (Pixels{{237, 5}, {238, 5}, {239, 5}}));
    SetUp();
    drawLine(-2, -2, 1, 1);
    EXPECT_EQ(touchedPixels(), (Pixels{{0, 0}, {1, 1}}));
}

TEST_F(Primitives, RectOutlineLeavesTheInsideAlone) {
    drawRect(10, 20, 13, 22);
    EXPECT_EQ(touchedPixels(),
              (Pixels{{10, 20}, {11, 20}, {12, 20}, {13, 20}, {10, 21}, {13, 21}, {10, 22}, {11, 22}, {12, 22}, {13, 22}}));
}

TEST_F(Primitives, FillRectCoversEveryRowIncludingTheLast) {
    fillRect(10, 20, 12, 21);
    EXPECT_EQ(touchedPixels(), (Pixels{{10, 20}, {11, 20}, {12, 20}, {10, 21}, {11, 21}, {12, 21}}));
}

TEST_F(Primitives, FillRectUpsideDownDrawsNothing) {
    fillRect(10, 20, 12, 19);
    EXPECT_TRUE(touchedPixels().empty());
}

TEST_F(Primitives, FillRectOfOnePixel) {
    fillRect(10, 20, 10, 20);
    EXPECT_EQ(touchedPixels(), (Pixels{{10, 20}}));
    EXPECT_EQ(pixel(10, 20), PEN);
}

TEST_F(Primitives, WildCoordinatesDrawOnlyWhatIsInsideAndEndQuickly) {
    drawLine(std::numeric_limits<int>::min(), 0, std::numeric_limits<int>::max(), 0);
    EXPECT_TRUE(touchedPixels().empty());
    fillRect(0, std::numeric_limits<int>::min(), 1, std::numeric_limits<int>::max());
    EXPECT_EQ(touchedPixels().size(), 2u * FRAME_HEIGHT);
}

TEST_F(Primitives, NothingIsDrawnWithoutABackBuffer) {
    gameState.BackBuffer = nullptr;
    clearFrame(255, 0, 0);
    drawLine(0, 0, 10, 10);
    fillRect(0, 0, 239, 319);
    EXPECT_EQ(gameState.penColour, 0xF800);
    EXPECT_TRUE(touchedPixels().empty());
}

}  // namespace
