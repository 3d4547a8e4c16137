// Start-up and shutdown of the shell: the paths that end the program at once, the normal start up to
// the message loop, and the close.
#include <gtest/gtest.h>

#include "game/game_state.h"
#include "game/stylus.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"

namespace {

void freshDevice(const platform::DisplayProperties& display = headless::STANDARD_DISPLAY, bool runningCopy = false) {
    headless::configure(1, display, "", runningCopy);
    resetGameState();
}

TEST(ShellStartup, ARunningCopyIsRaisedAndThisOneEndsWithZeroAndNoWindow) {
    freshDevice(headless::STANDARD_DISPLAY, true);
    EXPECT_EQ(runApplication(), 0);
    EXPECT_TRUE(headless::runningCopyRaised());
    EXPECT_FALSE(headless::windowExists());
    EXPECT_FALSE(headless::displayOpen());
    EXPECT_TRUE(headless::timers().empty());
    EXPECT_EQ(gameState.BackBuffer, nullptr);
}

TEST(ShellStartup, ADisplayOfAnotherDepthShowsTheMessageAndEndsWithZero) {
    for (const std::int32_t bits : {8, 15, 24, 32}) {
        freshDevice({240, 320, 2, 480, bits, headless::DIRECT_FORMAT});
        EXPECT_EQ(runApplication(), 0) << bits;
        ASSERT_TRUE(headless::lastMessageBox().has_value()) << bits;
        EXPECT_EQ(headless::lastMessageBox()->text, "Full 16-bit color display is required!");
        EXPECT_EQ(headless::lastMessageBox()->caption, "Problem:");
        EXPECT_FALSE(headless::displayOpen());
        EXPECT_FALSE(headless::inputOpen());
        EXPECT_EQ(gameState.BackBuffer, nullptr);
        EXPECT_TRUE(headless::timers().empty());
        EXPECT_EQ(headless::framesPresented(), 0u);
    }
}

TEST(ShellStartup, AWindowThatCannotBeMadeEndsWithZeroSilently) {
    freshDevice();
    headless::setDeviceFailures(true, false);
    EXPECT_EQ(runApplication(), 0);
    EXPECT_FALSE(headless::lastMessageBox().has_value());
    EXPECT_FALSE(headless::windowExists());
}

TEST(ShellStartup, ADisplayThatCannotBeOpenedEndsWithZeroSilentlyLeavingTheWindow) {
    freshDevice();
    headless::setDeviceFailures(false, true);
    EXPECT_EQ(runApplication(), 0);
    EXPECT_FALSE(headless::lastMessageBox().has_value());
    EXPECT_TRUE(headless::windowExists());
    EXPECT_FALSE(headless::inputOpen());
    EXPECT_TRUE(headless::timers().empty());
}

TEST(ShellStartup, ANormalStartStopsAtTheLoopWithEverythingOpenAndNoTickYet) {
    freshDevice();
    ASSERT_TRUE(startApplication());
    EXPECT_EQ(headless::windowTitle(), "Spirehold v1.0");
    EXPECT_EQ(gameState.active, 1u);
    EXPECT_TRUE(headless::displayOpen());
    EXPECT_TRUE(headless::inputOpen());
    EXPECT_TRUE(headless::stylusCaptured());
    EXPECT_EQ(gameState.displayProperties.width, 240);
    EXPECT_EQ(gameState.displayProperties.yPitch, 480);
    EXPECT_EQ(gameState.displayProperties.bitsPerPixel, 16);
    ASSERT_NE(gameState.BackBuffer, nullptr);
    EXPECT_EQ(gameState.backBufferSize, 153600u);
    const auto timers = headless::timers();
    ASSERT_EQ(timers.size(), 1u);
    EXPECT_EQ(timers[0].id, 1u);
    EXPECT_EQ(timers[0].periodMs, 16u);
    EXPECT_FALSE(timers[0].callback);
    EXPECT_EQ(headless::framesPresented(), 0u);
    EXPECT_EQ(gameState.initPending, 1u);
    EXPECT_FALSE(headless::lastMessageBox().has_value());
}

TEST(ShellStartup, TheFirstTickInitialisesTheGame) {
    freshDevice();
    ASSERT_TRUE(startApplication());
    headless::advance(15);
    EXPECT_EQ(gameState.initPending, 1u);
    headless::advance(1);
    EXPECT_EQ(gameState.initPending, 0u);
    EXPECT_GT(headless::framesPresented(), 0u);
}

TEST(ShellShutdown, TheCloseButtonReleasesEverythingAndEndsTheLoopWithZero) {
    freshDevice();
    ASSERT_TRUE(startApplication());
    headless::advance(100);
    headless::close();
    EXPECT_TRUE(headless::quitPosted());
    EXPECT_EQ(platform::exitCode(), 0);
    EXPECT_FALSE(headless::windowExists());
    EXPECT_FALSE(headless::displayOpen());
    EXPECT_FALSE(headless::inputOpen());
    EXPECT_FALSE(headless::stylusCaptured());
    EXPECT_TRUE(headless::timers().empty());
    EXPECT_EQ(gameState.BackBuffer, nullptr);
    const std::uint64_t frames = headless::framesPresented();
    headless::advance(100);
    EXPECT_EQ(headless::framesPresented(), frames);
}

TEST(ShellShutdown, TheGamesCloseRequestEndsTheProgramTheSameWay) {
    freshDevice();
    ASSERT_TRUE(startApplication());
    headless::advance(100);
    closeApplication();
    EXPECT_TRUE(headless::quitPosted());
    EXPECT_EQ(platform::exitCode(), 0);
    EXPECT_EQ(gameState.BackBuffer, nullptr);
}

TEST(ShellShutdown, TheWholeProgramReturnsZeroAfterItsLoopEnds) {
    freshDevice();
    // The program's own loop runs for a second of virtual time, then a callback timer closes the window.
    platform::setTimer(900, 1000, [](std::uint32_t) { platform::sendMessage(platform::Message::Close, 0, 0); });
    EXPECT_EQ(runApplication(), 0);
    EXPECT_TRUE(headless::quitPosted());
    EXPECT_EQ(headless::now(), 1000u);
    EXPECT_GT(headless::framesPresented(), 60u);
}

}  // namespace
