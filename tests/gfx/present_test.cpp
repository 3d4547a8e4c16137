// The copy of the frame to the display: the pitch walk for every orientation of display memory.
#include "frame_fixture.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"

namespace {

std::intptr_t ignoreMessages(platform::Message message, std::uint32_t first, std::uint32_t second) {
    return platform::defaultWindowProcedure(message, first, second);
}

class Present : public FrameTest {
protected:
    void TearDown() override {
        headless::reset();
        FrameTest::TearDown();
    }

    // Opens a display of the given layout, as the shell does at start-up.
    void openDisplay(const platform::DisplayProperties& display) {
        headless::configure(1, display, "", false);
        ASSERT_TRUE(platform::createWindow("present test", ignoreMessages));
        ASSERT_TRUE(platform::openDisplay());
        gameState.displayProperties = platform::displayProperties();
    }

    // Every frame pixel different from its neighbours, so a pixel in the wrong place shows.
    void paintPattern() {
        for (int i = 0; i < FRAME_PIXELS; ++i) frame_[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(i * 7 + 1);
    }

    void expectDisplayShowsFrame(int width, int height) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) ASSERT_EQ(headless::displayPixel(x, y), pixel(x, y)) << x << "," << y;
        }
    }
};

TEST_F(Present, StandardDisplayGetsTheWholeFrame) {
    openDisplay(headless::STANDARD_DISPLAY);
    paintPattern();
    const std::vector<std::uint16_t> before = frame_;
    EXPECT_EQ(presentFrame(), 1);
    expectDisplayShowsFrame(FRAME_WIDTH, FRAME_HEIGHT);
    EXPECT_EQ(headless::framesPresented(), 1u);
    EXPECT_EQ(frame_, before);  // the frame is only read
    const headless::DisplayMemory memory = headless::displayMemory();
    EXPECT_EQ(memory.words[memory.origin + 1], pixel(1, 0));
    EXPECT_EQ(memory.words[memory.origin + 240], pixel(0, 1));
}

TEST_F(Present, NegativeXPitchWalksEachRowBackwards) {
    openDisplay({240, 320, -2, 480, 16, headless::DIRECT_565_FORMAT});
    paintPattern();
    presentFrame();
    expectDisplayShowsFrame(FRAME_WIDTH, FRAME_HEIGHT);
    const headless::DisplayMemory memory = headless::displayMemory();
    EXPECT_EQ(memory.words[memory.origin - 1], pixel(1, 0));
    EXPECT_EQ(memory.words[memory.origin - 239 + 240], pixel(239, 1));
}

TEST_F(Present, NegativeYPitchWalksRowsUpwards) {
    openDisplay({240, 320, -2, -480, 16, headless::DIRECT_565_FORMAT});
    paintPattern();
    presentFrame();
    expectDisplayShowsFrame(FRAME_WIDTH, FRAME_HEIGHT);
    const headless::DisplayMemory memory = headless::displayMemory();
    EXPECT_EQ(memory.words[memory.origin - 240 * 319 - 239], pixel(239, 319));
}

TEST_F(Present, RotatedMemoryWithColumnsAsRows) {
    // A landscape panel turned upright: display rows run down the memory's columns.
    openDisplay({240, 320, -640, 2, 16, headless::DIRECT_565_FORMAT});
    paintPattern();
    presentFrame();
    expectDisplayShowsFrame(FRAME_WIDTH, FRAME_HEIGHT);
}

TEST_F(Present, SmallerDisplayGetsTheTopLeftOfTheFrame) {
    openDisplay({100, 50, 2, 200, 16, headless::DIRECT_565_FORMAT});
    paintPattern();
    EXPECT_EQ(presentFrame(), 1);
    expectDisplayShowsFrame(100, 50);
}

TEST_F(Present, LargerDisplayIsNotReadPastTheFrame) {
    openDisplay({480, 640, 2, 960, 16, headless::DIRECT_565_FORMAT});
    paintPattern();
    presentFrame();
    expectDisplayShowsFrame(FRAME_WIDTH, FRAME_HEIGHT);
    EXPECT_EQ(headless::displayPixel(240, 0), 0);
    EXPECT_EQ(headless::displayPixel(0, 320), 0);
}

TEST_F(Present, NothingIsCopiedWithoutADisplay) {
    headless::reset();
    gameState.displayProperties = headless::STANDARD_DISPLAY;
    paintPattern();
    EXPECT_EQ(presentFrame(), 0);
    EXPECT_EQ(headless::framesPresented(), 0u);
}

}  // namespace
