// The message loop's rules on every device: ticks in time order and by id at one instant, one pending
// tick per timer, late timers, a zero period, restarts and kills, no window, the quit code.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/message_queue.h"

namespace {

using platform::Message;
using platform::MessageQueue;
using Late = MessageQueue::LateTimer;

bool windowOpen = true;
bool windowExists() { return windowOpen; }
void callback(std::uint32_t) {}

// Plays a script on a fresh queue: "set ID PERIOD AT" (a period ending in c carries the callback),
// "tick AT" (due timers tick), "take AT" (due timers tick, then all that is queued is taken), "post",
// "kill ID", "quit CODE", "end" (the window's), "next" (the timer due first). Answers what it saw:
// "id@ms" per tick taken ("idc" with the callback), "m@ms" per other message, then the timers left and
// the exit code.
std::string play(Late late, bool window, const std::string& script) {
    windowOpen = window;
    MessageQueue queue(late, windowExists);
    std::istringstream words(script);
    std::string log;
    platform::MessageRecord record;
    for (std::string op; words >> op;) {
        std::string period;
        std::uint32_t id = 0;
        double ms = 0;
        if (op == "set" && words >> id >> period >> ms)
            queue.setTimer(id, std::stoul(period), period.back() == 'c' ? callback : nullptr, ms);
        if ((op == "tick" || op == "take") && words >> ms) queue.tickDueTimers(ms);
        while (op == "take" && queue.take(record)) {
            log += record.message == Message::Timer ? std::to_string(record.firstWord) : std::string("m");
            log += (record.timerCallback == &callback ? "c@" : "@") + std::to_string(static_cast<int>(ms)) + " ";
        }
        if (op == "post") queue.post(Message::KeyDown, 1, 0);
        if (op == "kill" && words >> id) queue.killTimer(id);
        if (op == "quit" && words >> id) queue.postQuit(static_cast<int>(id));
        if (op == "end") queue.discardWindow();
        if (op == "next") log += "next " + std::to_string(queue.nextTimer()->id) + " ";
    }
    return log + "/ " + std::to_string(queue.timers().size()) + " exit " + std::to_string(queue.exitCode());
}

struct Case { Late late; bool window; const char* script; const char* expected; };

TEST(MessageQueue, TimersAndMessagesFollowTheDevicesRules) {
    const Case cases[] = {
        // Time order, then id at one instant; a callback travels with its tick.
        {Late::KeepsBeat, true, "set 103 30c 0 set 101 20 0 take 10 take 20 take 30 take 40 take 50 take 60",
         "101@20 103c@30 101@40 101@60 103c@60 / 2 exit 0"},
        {Late::StartsAfresh, true, "set 103 3000 0 set 101 1000 2100 set 1 16 2984 next take 3500",
         "next 1 1@3500 103@3500 101@3500 / 3 exit 0"},
        // One pending tick per timer, however late the loop.
        {Late::KeepsBeat, true, "set 1 16 0 tick 16 tick 32 tick 48 take 63 take 64", "1@63 1@64 / 1 exit 0"},
        {Late::KeepsBeat, true, "set 101 1000 0 take 60500 take 60999 take 61000 take 61500",
         "101@60500 101@61000 / 1 exit 0"},
        {Late::StartsAfresh, true, "set 101 1000 0 take 60500 take 61000 take 61499 take 61500 take 63500 take 63501",
         "101@60500 101@61500 101@63500 / 1 exit 0"},  // a tick exactly a period late is due a period on
        {Late::KeepsBeat, true, "set 7 0 10 take 10.5 take 11 take 12", "7@11 7@12 / 1 exit 0"},
        // Setting a running timer again restarts its period and keeps its pending tick.
        {Late::KeepsBeat, true, "set 1 16 0 tick 20 set 1 50 20 tick 70 take 71 take 119 take 120",
         "1@71 1@120 / 1 exit 0"},
        {Late::KeepsBeat, true, "set 1 16 0 set 2 16 0 tick 16 kill 1 take 16 take 32", "2@16 2@32 / 1 exit 0"},
        {Late::KeepsBeat, false, "set 1 16 0 post take 16 take 32", "/ 1 exit 0"},
        {Late::KeepsBeat, true, "set 1 16 0 post end take 16 take 32", "/ 0 exit 0"},
        {Late::KeepsBeat, true, "set 1 16 0 post quit 3 post take 16 take 32", "/ 1 exit 3"},
    };
    for (const Case& c : cases) EXPECT_EQ(play(c.late, c.window, c.script), c.expected) << c.script;
}

}  // namespace
