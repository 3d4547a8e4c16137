// The browser device's window, message queue and timers. A page cannot block, so the message loop is
// turned inside out: the page calls in on each animation frame and on each input event, and whatever
// is queued then is delivered through the same getMessage/dispatchMessage path the program's own loop
// uses. Timers run on the page's clock; a due timer has at most one tick waiting, as on the device.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/web/web_device.h"

namespace {

using platform::Message;

struct Timer {
    std::uint32_t periodMs = 0;
    platform::TimerCallback callback = nullptr;
    double dueMs = 0;
    bool tickPending = false;
};

struct Window {
    platform::WindowProcedure procedure = nullptr;
    bool exists = false;
    bool stylusCaptured = false;
    std::deque<platform::MessageRecord> queue;
    std::map<std::uint32_t, Timer> timers;
    bool quitPosted = false;
    int exitCode = 0;
};

Window window;

double nowMs() { return emscripten_get_now(); }

// A timer whose tick is late by several periods (a hidden page, a slow frame) still posts one tick,
// and its next tick is due one period after the latest it missed.
void catchUp(Timer& timer, double now) {
    const double missed = std::floor((now - timer.dueMs) / timer.periodMs) + 1;
    timer.dueMs += missed * timer.periodMs;
}

struct DueTick {
    double dueMs;
    std::uint32_t id;
};

void postDueTimerTicks() {
    const double now = nowMs();
    std::vector<DueTick> due;
    for (auto& [id, timer] : window.timers) {
        if (timer.dueMs <= now) due.push_back({timer.dueMs, id});
    }
    // Earliest first, and by id at the same instant.
    std::sort(due.begin(), due.end(), [](const DueTick& a, const DueTick& b) {
        return a.dueMs != b.dueMs ? a.dueMs < b.dueMs : a.id < b.id;
    });
    for (const DueTick& tick : due) {
        Timer& timer = window.timers.at(tick.id);
        catchUp(timer, now);
        if (timer.tickPending) continue;
        timer.tickPending = true;
        window.queue.push_back({Message::Timer, tick.id, 0, timer.callback});
    }
}

void dropTimerTicks(std::uint32_t id) {
    std::erase_if(window.queue, [id](const platform::MessageRecord& record) {
        return record.message == Message::Timer && record.firstWord == id;
    });
}

}  // namespace

namespace web {

void postMessage(Message message, std::uint32_t firstWord, std::uint32_t secondWord) {
    if (!window.exists || window.quitPosted) return;
    window.queue.push_back({message, firstWord, secondWord, nullptr});
}

void deliverQueued() {
    platform::MessageRecord record;
    while (!window.queue.empty() && platform::getMessage(record)) platform::dispatchMessage(record);
}

void runDueWork() {
    if (window.quitPosted) return;
    postDueTimerTicks();
    deliverQueued();
}

bool windowExists() { return window.exists; }
bool stylusCaptured() { return window.stylusCaptured; }
bool quitPosted() { return window.quitPosted; }

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
    window.timers.clear();
    window.queue.clear();
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

// Never blocks: the page asks only while something is queued, and comes back on the next frame.
bool getMessage(MessageRecord& record) {
    if (window.quitPosted || window.queue.empty()) return false;
    record = window.queue.front();
    window.queue.pop_front();
    if (record.message == Message::Timer) {
        const auto timer = window.timers.find(record.firstWord);
        if (timer != window.timers.end()) timer->second.tickPending = false;
    }
    return true;
}

void dispatchMessage(const MessageRecord& record) {
    if (record.timerCallback != nullptr) {
        record.timerCallback(record.firstWord);
        return;
    }
    sendMessage(record.message, record.firstWord, record.secondWord);
}

void postQuitMessage(int code) {
    window.quitPosted = true;
    window.exitCode = code;
}

int exitCode() { return window.exitCode; }

void captureStylus() { window.stylusCaptured = window.exists; }
void releaseStylus() { window.stylusCaptured = false; }

void showMessageBox(std::string_view text, std::string_view caption) {
    webShowMessage(std::string(text).c_str(), std::string(caption).c_str());
}

// A period of 0 would fall due on every frame at once; the shortest period is one millisecond.
void setTimer(std::uint32_t id, std::uint32_t periodMs, TimerCallback callback) {
    const std::uint32_t period = std::max<std::uint32_t>(periodMs, 1);
    const bool pending = window.timers.contains(id) && window.timers[id].tickPending;
    window.timers[id] = Timer{period, callback, nowMs() + period, pending};
}

void killTimer(std::uint32_t id) {
    window.timers.erase(id);
    dropTimerTicks(id);
}

std::uint32_t tickCount() { return static_cast<std::uint32_t>(static_cast<std::uint64_t>(nowMs())); }

}  // namespace platform
