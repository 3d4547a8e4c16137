// The headless device's window, message loop and timers in virtual time.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/headless/headless.h"
#include "platform/headless_test_window.h"

namespace {

using platform::Message;
using platform_test::Received;
using platform_test::received;

std::vector<std::string>& callbackLog() {
    static std::vector<std::string> log;
    return log;
}

void loggingCallback(std::uint32_t id) {
    callbackLog().push_back(std::to_string(id) + "@" + std::to_string(headless::now()));
}

std::vector<std::uint64_t> tickTimes(std::uint32_t id) {
    std::vector<std::uint64_t> times;
    for (const Received& message : received()) {
        if (message.message == Message::Timer && message.firstWord == id) times.push_back(message.atMs);
    }
    return times;
}

class HeadlessMessages : public ::testing::Test {
protected:
    void SetUp() override {
        platform_test::openRecordingWindow();
        callbackLog().clear();
    }
};

TEST_F(HeadlessMessages, CreateReachesTheProcedureBeforeCreateWindowReturns) {
    ASSERT_EQ(received().size(), 1u);
    EXPECT_EQ(received()[0].message, Message::Create);
    EXPECT_TRUE(headless::windowExists());
    EXPECT_EQ(headless::windowTitle(), "Test window");
    EXPECT_FALSE(platform::createWindow("Second", platform_test::recordingProcedure));
}

TEST_F(HeadlessMessages, WindowTimerTicksArriveEveryPeriodUntilKilled) {
    platform::setTimer(1, 16, nullptr);
    headless::advance(50);
    EXPECT_EQ(tickTimes(1), (std::vector<std::uint64_t>{16, 32, 48}));
    EXPECT_EQ(headless::now(), 50u);
    platform::killTimer(1);
    headless::advance(100);
    EXPECT_EQ(tickTimes(1).size(), 3u);
    EXPECT_TRUE(headless::timers().empty());
}

TEST_F(HeadlessMessages, CallbackTimersGoToTheirCallbackNotTheProcedure) {
    platform::setTimer(101, 1000, loggingCallback);
    headless::advance(2500);
    EXPECT_EQ(callbackLog(), (std::vector<std::string>{"101@1000", "101@2000"}));
    EXPECT_TRUE(tickTimes(101).empty());
}

TEST_F(HeadlessMessages, TicksOfSeveralTimersArriveInTimeOrderAndByIdAtTheSameInstant) {
    platform::setTimer(103, 30, loggingCallback);
    platform::setTimer(101, 20, loggingCallback);
    headless::advance(60);
    EXPECT_EQ(callbackLog(), (std::vector<std::string>{"101@20", "103@30", "101@40", "101@60", "103@60"}));
}

TEST_F(HeadlessMessages, SettingARunningTimerAgainRestartsItsPeriod) {
    platform::setTimer(7, 100, nullptr);
    headless::advance(90);
    platform::setTimer(7, 100, nullptr);
    headless::advance(150);
    EXPECT_EQ(tickTimes(7), (std::vector<std::uint64_t>{190}));
}

TEST_F(HeadlessMessages, TimersListedInIdOrderWithPeriodAndKind) {
    platform::setTimer(103, 3000, loggingCallback);
    platform::setTimer(1, 16, nullptr);
    const auto timers = headless::timers();
    ASSERT_EQ(timers.size(), 2u);
    EXPECT_EQ(timers[0].id, 1u);
    EXPECT_EQ(timers[0].periodMs, 16u);
    EXPECT_FALSE(timers[0].callback);
    EXPECT_EQ(timers[1].id, 103u);
    EXPECT_TRUE(timers[1].callback);
}

TEST_F(HeadlessMessages, ATimerKilledByAnEarlierEventAtTheSameInstantNeverTicks) {
    // Timer 1 falls due at 20 together with timer 5; the lower id is delivered first and kills 5.
    platform::setTimer(5, 20, loggingCallback);
    platform::setTimer(1, 20, [](std::uint32_t) { platform::killTimer(5); });
    headless::advance(100);
    EXPECT_TRUE(callbackLog().empty());
}

TEST_F(HeadlessMessages, AZeroPeriodTicksEveryMillisecondInsteadOfHanging) {
    platform::setTimer(2, 0, nullptr);
    headless::advance(5);
    EXPECT_EQ(tickTimes(2).size(), 5u);
}

TEST_F(HeadlessMessages, InjectedInputIsDeliveredAtOnceWithoutTimePassing) {
    headless::stylusDown(239, 319);
    headless::stylusMove(5, 6);
    headless::stylusUp(0, 1);
    headless::keyDown(0x1234);
    headless::keyUp(0x1234);
    headless::focusLost();
    headless::focusGained();
    const std::vector<Received> expected{
        {Message::Create, 0, 0, 0},
        {Message::StylusDown, 0, 239u | (319u << 16), 0},
        {Message::StylusMove, 0, 5u | (6u << 16), 0},
        {Message::StylusUp, 0, 0u | (1u << 16), 0},
        {Message::KeyDown, 0x1234, 0, 0},
        {Message::KeyUp, 0x1234, 0, 0},
        {Message::FocusLost, 0, 0, 0},
        {Message::FocusGained, 0, 0, 0},
    };
    EXPECT_EQ(received(), expected);
    EXPECT_EQ(headless::now(), 0u);
}

TEST_F(HeadlessMessages, CloseDestroysTheWindowWithItsTimersAndLaterInputIsDropped) {
    platform::setTimer(1, 16, nullptr);
    platform::setTimer(101, 1000, loggingCallback);
    headless::close();
    EXPECT_FALSE(headless::windowExists());
    EXPECT_TRUE(headless::timers().empty());
    ASSERT_EQ(received().size(), 3u);
    EXPECT_EQ(received()[1].message, Message::Close);
    EXPECT_EQ(received()[2].message, Message::Destroy);
    headless::stylusDown(1, 1);
    headless::advance(2000);
    EXPECT_EQ(received().size(), 3u);
    EXPECT_TRUE(callbackLog().empty());
}

TEST_F(HeadlessMessages, QuitEndsDeliveryAndKeepsItsExitCode) {
    platform::setTimer(1, 10, [](std::uint32_t) { platform::postQuitMessage(3); });
    platform::setTimer(2, 10, nullptr);
    headless::advance(100);
    EXPECT_TRUE(headless::quitPosted());
    EXPECT_EQ(platform::exitCode(), 3);
    EXPECT_TRUE(tickTimes(2).empty());
    EXPECT_EQ(headless::now(), 100u);
    platform::MessageRecord record;
    EXPECT_FALSE(platform::getMessage(record));
}

TEST_F(HeadlessMessages, TheProgramsOwnLoopSleepsUntilTheNextTimerInVirtualTime) {
    platform::setTimer(1, 16, nullptr);
    platform::MessageRecord record;
    ASSERT_TRUE(platform::getMessage(record));
    EXPECT_EQ(record.message, Message::Timer);
    EXPECT_EQ(headless::now(), 16u);
    platform::dispatchMessage(record);
    EXPECT_EQ(tickTimes(1), (std::vector<std::uint64_t>{16}));
}

TEST_F(HeadlessMessages, TheLoopEndsWhenNothingCouldEverArrive) {
    platform::MessageRecord record;
    EXPECT_FALSE(platform::getMessage(record));
}

TEST_F(HeadlessMessages, SendMessageCallsTheProcedureAtOnce) {
    platform::sendMessage(Message::Activate, 0, 0);
    ASSERT_EQ(received().size(), 2u);
    EXPECT_EQ(received()[1].message, Message::Activate);
}

TEST(HeadlessDevice, ARunningCopyIsFoundOnlyWhenConfigured) {
    headless::configure(1, headless::STANDARD_DISPLAY, "", true);
    EXPECT_TRUE(platform::raiseRunningCopy("Spirehold v1.0"));
    EXPECT_TRUE(headless::runningCopyRaised());
    headless::reset();
    EXPECT_FALSE(platform::raiseRunningCopy("Spirehold v1.0"));
    EXPECT_FALSE(headless::runningCopyRaised());
}

TEST(HeadlessDevice, MessageBoxesAreRecordedNotShown) {
    headless::reset();
    EXPECT_FALSE(headless::lastMessageBox().has_value());
    platform::showMessageBox("Text", "Caption:");
    ASSERT_TRUE(headless::lastMessageBox().has_value());
    EXPECT_EQ(headless::lastMessageBox()->text, "Text");
    EXPECT_EQ(headless::lastMessageBox()->caption, "Caption:");
}

TEST(HeadlessDevice, TheSameSeedGivesTheSameNumbers) {
    std::vector<std::uint32_t> first, second, other;
    headless::configure(42, headless::STANDARD_DISPLAY, "", false);
    for (int i = 0; i < 8; ++i) first.push_back(platform::randomNumber());
    headless::configure(42, headless::STANDARD_DISPLAY, "", false);
    for (int i = 0; i < 8; ++i) second.push_back(platform::randomNumber());
    headless::configure(43, headless::STANDARD_DISPLAY, "", false);
    for (int i = 0; i < 8; ++i) other.push_back(platform::randomNumber());
    EXPECT_EQ(first, second);
    EXPECT_NE(first, other);
}

TEST(HeadlessDevice, ProgramAndDataFoldersLieInsideTheConfiguredFolder) {
    const std::string folder = ::testing::TempDir() + "headless-folders";
    headless::configure(1, headless::STANDARD_DISPLAY, folder, false);
    EXPECT_EQ(platform::programPath(), folder + "/spirehold");
    const std::string data = platform::userDataFolder();
    EXPECT_EQ(data.rfind(folder + "/", 0), 0u);
    EXPECT_EQ(data.back(), '/');
    EXPECT_TRUE(std::filesystem::is_directory(data));
}

TEST(HeadlessDevice, TickCountFollowsTheVirtualClock) {
    headless::reset();
    headless::advance(1234);
    EXPECT_EQ(platform::tickCount(), 1234u);
}

}  // namespace
