// The browser device's window and message queue. A page cannot block, so the message loop is turned
// inside out: the page calls in on each animation frame and on each input event, and whatever is
// queued then is delivered through the same getMessage/dispatchMessage path the program's own loop
// uses. Timer ticks join the queue as they fall due on the page's clock.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/message_queue.h"
#include "platform/web/web_device.h"

namespace {

using platform::Message;

struct Window {
    platform::WindowProcedure procedure = nullptr;
    bool exists = false;
    bool stylusCaptured = false;
};

Window window;

// A timer late by several periods (a hidden page, a slow frame) still ticks once, and keeps its beat.
platform::MessageQueue messages(platform::MessageQueue::LateTimer::KeepsBeat, &web::windowExists);

// A page whose picture stands still wakes for every second tick of the fastest timer (the frame's) and
// delivers both then: half the wake-ups, the same frames drawn, and what the picture shows next at most
// one tick later. The player's input wakes it at once.
constexpr int STILL_TICKS_SLEPT = 2;
// The timers whose sleeping ticks a pump catches up on at most, each STILL_TICKS_SLEPT times.
constexpr int MAX_TIMERS_CAUGHT_UP = 3;

}  // namespace

namespace web {

void postMessage(Message message, std::uint32_t firstWord, std::uint32_t secondWord) {
    messages.post(message, firstWord, secondWord);
}

void runDueWork(bool everyTick) {
    const double nowMs = platform::clockMs();
    for (int tick = 0; everyTick && tick < STILL_TICKS_SLEPT * MAX_TIMERS_CAUGHT_UP; ++tick) {
        const std::optional<platform::MessageQueue::DueTimer> next = messages.nextTimer();
        if (!next || next->dueMs > nowMs) break;
        messages.tickTimer(next->id, next->dueMs);
        platform::deliverQueued();
    }
    messages.tickDueTimers(nowMs);
    platform::deliverQueued();
}

double msUntilStillPump() {
    const std::optional<platform::MessageQueue::DueTimer> next = messages.nextTimer();
    if (!next) return -1.0;
    std::uint32_t fastestPeriodMs = UINT32_MAX;
    for (const auto& [id, timer] : messages.timers()) fastestPeriodMs = std::min(fastestPeriodMs, timer.periodMs);
    const double untilDue = next->dueMs + (STILL_TICKS_SLEPT - 1) * static_cast<double>(fastestPeriodMs) - platform::clockMs();
    return untilDue > 0.0 ? untilDue : 0.0;
}

bool windowExists() { return window.exists; }
bool stylusCaptured() { return window.stylusCaptured; }
bool quitPosted() { return messages.quitPosted(); }

}  // namespace web

namespace platform {

// Each browser tab is a copy of its own; tabs do not share a game.
bool raiseRunningCopy(std::string_view) { return false; }

bool createWindow(std::string_view, WindowProcedure procedure) {
    if (window.exists || procedure == nullptr) return false;
    window.procedure = procedure;
    window.exists = true;
    procedure(Message::Create, 0, 0);
    return true;
}

// Destroying the window takes its timers and its waiting messages with it.
void destroyWindow() {
    if (!window.exists) return;
    window.procedure(Message::Destroy, 0, 0);
    window.exists = false;
    messages.discardWindow();
    window.stylusCaptured = false;
}

std::intptr_t defaultWindowProcedure(Message message, std::uint32_t, std::uint32_t) {
    if (message == Message::Close) destroyWindow();
    return 0;
}

std::intptr_t sendMessage(Message message, std::uint32_t firstWord, std::uint32_t secondWord) {
    if (!window.exists) return 0;
    return window.procedure(message, firstWord, secondWord);
}

platform::MessageQueue& messageQueue() { return messages; }

double clockMs() { return emscripten_get_now(); }

// Never blocks: the page asks only while something is queued, and comes back on the next frame.
bool waitForMessages() { return false; }

void captureStylus() { window.stylusCaptured = window.exists; }
void releaseStylus() { window.stylusCaptured = false; }

void showMessageBox(std::string_view text, std::string_view caption) {
    webShowMessage(std::string(text).c_str(), std::string(caption).c_str());
}

}  // namespace platform
