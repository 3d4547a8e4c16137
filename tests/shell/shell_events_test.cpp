// The window procedure's events: keys, stylus moves, focus changes and frame ticks.
#include <gtest/gtest.h>

#include "game/game_state.h"
#include "game/level_clock.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "sim/state_report.h"
#include "sound/sound_report.h"

namespace {

constexpr std::uint16_t MARK = 0x1234;

class ShellEvents : public ::testing::Test {
protected:
    void SetUp() override {
        headless::reset();
        resetGameState();
        ASSERT_TRUE(startApplication());
        headless::advance(100);  // initialised, home screen shown
    }

    static std::string snapshot() { return sim::gameStateJson() + sim::timersJson(); }
};

TEST_F(ShellEvents, KeyUpAndStylusMoveChangeNothing) {
    gameState.screen = SCREEN_PLAY;
    startClockTimers();
    const std::string before = snapshot();
    headless::keyUp(13);
    headless::stylusMove(120, 160);
    headless::stylusMove(0, 0);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ShellEvents, AnyKeyOnThePlayScreenStopsTheClockAndGoesHomeLeavingTheBoard) {
    gameState.screen = SCREEN_PLAY;
    startClockTimers();
    headless::advance(2000);
    const auto board = gameState.playerGrid;
    const double seconds = gameState.levelSeconds;
    headless::keyDown(0xABCDEF);
    EXPECT_EQ(gameState.screen, SCREEN_HOME);
    const auto timers = headless::timers();
    ASSERT_EQ(timers.size(), 1u);
    EXPECT_EQ(timers[0].id, TIMER_FRAME);
    EXPECT_EQ(gameState.playerGrid, board);
    EXPECT_EQ(gameState.levelSeconds, seconds);
}

TEST_F(ShellEvents, AKeyOnAnyOtherScreenChangesNothing) {
    for (const std::uint32_t screen : {SCREEN_HOME, SCREEN_CREDITS, SCREEN_NEW_RECORD, SCREEN_LEVEL_COMPLETE,
                                       SCREEN_GAME_COMPLETE, SCREEN_TUTORIAL_INTRO, SCREEN_TUTORIAL_STRATEGY}) {
        gameState.screen = screen;
        const std::string before = snapshot();
        headless::keyDown(0);
        EXPECT_EQ(snapshot(), before) << screen;
    }
}

TEST_F(ShellEvents, WithoutTheFocusTicksShowTheLastFrameAgainWithoutRedrawing) {
    headless::focusLost();
    EXPECT_EQ(gameState.active, 0u);
    EXPECT_TRUE(headless::displaySuspended());
    gameState.BackBuffer[0] = MARK;  // a redraw would cover it
    const std::uint64_t frames = headless::framesPresented();
    headless::advance(48);
    EXPECT_EQ(headless::framesPresented(), frames + 3);
    EXPECT_EQ(headless::displayPixel(0, 0), MARK);
    EXPECT_EQ(gameState.BackBuffer[0], MARK);
}

TEST_F(ShellEvents, AfterTheFocusReturnsTicksRedrawFromTheStateAsItWas) {
    const std::uint16_t homePixel = gameState.BackBuffer[0];
    headless::focusLost();
    gameState.BackBuffer[0] = static_cast<std::uint16_t>(homePixel ^ 0xFFFF);
    headless::focusGained();
    EXPECT_EQ(gameState.active, 1u);
    EXPECT_FALSE(headless::displaySuspended());
    headless::advance(16);
    EXPECT_EQ(gameState.BackBuffer[0], homePixel);
    EXPECT_EQ(headless::displayPixel(0, 0), homePixel);
}

TEST_F(ShellEvents, TheClockKeepsRunningWhileTheFocusIsLost) {
    gameState.screen = SCREEN_PLAY;
    startClockTimers();
    headless::focusLost();
    headless::advance(3000);
    EXPECT_EQ(gameState.levelSeconds, 3.0);
}

TEST_F(ShellEvents, FocusChangesPauseAndResumeTheMusic) {
    if (soundEngineReportJson().find("\"playing\":true") == std::string::npos) GTEST_SKIP() << "no music playing";
    headless::focusLost();
    EXPECT_NE(soundEngineReportJson().find("\"paused\":true"), std::string::npos);
    headless::focusGained();
    EXPECT_NE(soundEngineReportJson().find("\"paused\":false"), std::string::npos);
}

TEST_F(ShellEvents, StylusPositionsReachTheGameAsXAndY) {
    // (200, 170) lies on the home menu's HELP button; swapped, (170, 200) would be on QUIT.
    headless::stylusDown(200, 170);
    EXPECT_EQ(gameState.helpPressed, 1);
    EXPECT_EQ(gameState.quitPressed, 0);
    headless::stylusUp(2, 318);  // lifted off every control: marks cleared, nothing done
    EXPECT_EQ(gameState.helpPressed, 0);
    EXPECT_EQ(gameState.screen, SCREEN_HOME);
}

}  // namespace
