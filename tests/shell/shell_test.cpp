// The shell's start and end where the trails cannot go: a device that will not open, the state of a
// normal start, the display resting while the focus is away, and what the close releases. (A running
// copy and other display depths are trails.)
#include <gtest/gtest.h>

#include <vector>

#include "game/game_state.h"
#include "gfx/frame.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"

namespace {

void freshDevice() {
    headless::configure(1, headless::STANDARD_DISPLAY, "", false);
    resetGameState();
}

TEST(Shell, ADeviceThatWillNotOpenEndsTheProgramSilentlyWithZero) {
    for (const auto& [noWindow, noDisplay] : {std::pair{true, false}, {false, true}}) {
        freshDevice();
        headless::setDeviceFailures(noWindow, noDisplay);
        EXPECT_EQ(runApplication(), 0);
        EXPECT_FALSE(headless::lastMessageBox().has_value());
        EXPECT_EQ(headless::windowExists(), !noWindow);
        EXPECT_FALSE(headless::inputOpen());
        EXPECT_TRUE(headless::timers().empty());
    }
}

TEST(Shell, ANormalStartHoldsEverythingUntilTheCloseReleasesIt) {
    freshDevice();
    ASSERT_TRUE(startApplication());
    // Window, display, input, stylus.
    const auto held = [] {
        return std::vector({headless::windowExists(), headless::displayOpen(), headless::inputOpen(), headless::stylusCaptured()});
    };
    EXPECT_EQ(headless::windowTitle(), "Spirehold v1.0");
    EXPECT_EQ(held(), std::vector({true, true, true, true}));
    headless::advance(100);
    headless::focusLost();
    EXPECT_TRUE(headless::displaySuspended());
    headless::focusGained();
    EXPECT_FALSE(headless::displaySuspended());
    headless::close();
    EXPECT_TRUE(headless::quitPosted());
    EXPECT_EQ(platform::exitCode(), 0);
    EXPECT_EQ(held(), std::vector({false, false, false, false}));
    EXPECT_EQ(screenFrame.BackBuffer, nullptr);
}

TEST(Shell, TheWholeProgramReturnsZeroAfterItsLoopEnds) {
    freshDevice();
    platform::setTimer(900, 1000, [](std::uint32_t) { platform::sendMessage(platform::Message::Close, 0, 0); });
    EXPECT_EQ(runApplication(), 0);
    EXPECT_EQ(headless::now(), 1000u);
}

}  // namespace
