// The headless display memory and the copy of the frame into it, for every sign of pitch.
#include <gtest/gtest.h>

#include "game/game_state.h"
#include "gfx/frame.h"
#include "platform/headless/headless.h"
#include "platform/headless_test_window.h"

namespace {

struct PitchCase {
    std::int32_t xPitch;
    std::int32_t yPitch;
};

void openDisplayWith(const platform::DisplayProperties& display) {
    headless::configure(1, display, "", false);
    platform::createWindow("Display test", platform_test::recordingProcedure);
    ASSERT_TRUE(platform::openDisplay());
}

class DisplayPitches : public ::testing::TestWithParam<PitchCase> {};

TEST_P(DisplayPitches, BeginDrawPointsAtPixelZeroAndEveryPixelOfTheWalkLiesInside) {
    const auto [xPitch, yPitch] = GetParam();
    openDisplayWith({4, 3, xPitch, yPitch, 16, headless::DIRECT_565_FORMAT});
    std::uint16_t* origin = platform::beginDraw();
    ASSERT_NE(origin, nullptr);
    const headless::DisplayMemory memory = headless::displayMemory();
    EXPECT_EQ(origin, memory.words.data() + memory.origin);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            const std::ptrdiff_t index = static_cast<std::ptrdiff_t>(memory.origin) + x * (xPitch >> 1) + y * (yPitch >> 1);
            ASSERT_GE(index, 0);
            ASSERT_LT(index, static_cast<std::ptrdiff_t>(memory.words.size()));
            origin[index - static_cast<std::ptrdiff_t>(memory.origin)] = static_cast<std::uint16_t>(y * 4 + x + 1);
        }
    }
    EXPECT_EQ(platform::endDraw(), 1);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(headless::displayPixel(x, y), y * 4 + x + 1) << x << "," << y;
    }
    EXPECT_EQ(headless::framesPresented(), 1u);
}

INSTANTIATE_TEST_SUITE_P(AllSigns, DisplayPitches,
                         ::testing::Values(PitchCase{2, 8}, PitchCase{-2, 8}, PitchCase{2, -8}, PitchCase{-2, -8},
                                           PitchCase{6, 2}, PitchCase{-6, -2}, PitchCase{8, 40}));

TEST(HeadlessDisplay, TheStandardDisplayHoldsExactlyOneFrame) {
    openDisplayWith(headless::STANDARD_DISPLAY);
    EXPECT_EQ(headless::displayMemory().words.size(), 76800u);
    EXPECT_EQ(headless::displayMemory().origin, 0u);
}

TEST(HeadlessDisplay, NoPointerWhileTheDisplayIsClosed) {
    headless::reset();
    EXPECT_EQ(platform::beginDraw(), nullptr);
    EXPECT_EQ(platform::endDraw(), 0);
    EXPECT_FALSE(platform::openDisplay());  // no window yet
}

TEST(HeadlessDisplay, SuspendedDisplayStillTakesTheLastFrame) {
    openDisplayWith(headless::STANDARD_DISPLAY);
    platform::suspendDisplay();
    EXPECT_TRUE(headless::displaySuspended());
    EXPECT_NE(platform::beginDraw(), nullptr);
    EXPECT_EQ(platform::endDraw(), 1);
    platform::resumeDisplay();
    EXPECT_FALSE(headless::displaySuspended());
}

TEST(HeadlessDisplay, AnEndDrawWithoutBeginIsNoFrame) {
    openDisplayWith(headless::STANDARD_DISPLAY);
    int hookCalls = 0;
    headless::setPresentHook([&hookCalls] { ++hookCalls; });
    platform::beginDraw();
    platform::endDraw();
    platform::endDraw();
    EXPECT_EQ(headless::framesPresented(), 1u);
    EXPECT_EQ(hookCalls, 1);
    headless::setPresentHook(nullptr);
}

TEST(HeadlessDisplay, ADisplayFailureLeavesItClosed) {
    headless::reset();
    headless::setDeviceFailures(false, true);
    platform::createWindow("Display test", platform_test::recordingProcedure);
    EXPECT_FALSE(platform::openDisplay());
    EXPECT_FALSE(headless::displayOpen());
}

// The frame copy walks the display with whatever pitches it reports; the frame itself is only read.
class FramePresent : public ::testing::TestWithParam<PitchCase> {};

TEST_P(FramePresent, EveryFramePixelLandsWherePitchesPlaceIt) {
    const auto [xPitch, yPitch] = GetParam();
    openDisplayWith({240, 320, xPitch, yPitch, 16, headless::DIRECT_565_FORMAT});
    resetGameState();
    gameState.displayProperties = platform::displayProperties();
    std::vector<std::uint16_t> frame(FRAME_PIXELS);
    for (int i = 0; i < FRAME_PIXELS; ++i) frame[i] = static_cast<std::uint16_t>(i * 7 + 3);
    const std::vector<std::uint16_t> original = frame;
    gameState.BackBuffer = frame.data();
    EXPECT_NE(presentFrame(), 0);
    for (int y = 0; y < FRAME_HEIGHT; ++y) {
        for (int x = 0; x < FRAME_WIDTH; ++x) {
            ASSERT_EQ(headless::displayPixel(x, y), frame[y * FRAME_WIDTH + x]) << x << "," << y;
        }
    }
    EXPECT_EQ(frame, original);
    gameState.BackBuffer = nullptr;
}

INSTANTIATE_TEST_SUITE_P(AllSigns, FramePresent,
                         ::testing::Values(PitchCase{2, 480}, PitchCase{-2, 480}, PitchCase{2, -480},
                                           PitchCase{-2, -480}, PitchCase{640, 2}, PitchCase{-640, 2},
                                           PitchCase{640, -2}, PitchCase{-640, -2}));

}  // namespace
