// The browser device's window and message queue. A page cannot block, so the message loop is turned
// inside out: the page calls in on each animation frame and on each input event, and whatever is
// queued then is delivered through the same getMessage/dispatchMessage path the program's own loop
// uses. Timer ticks join the queue as timer_table.h lets them fall due.
#include <emscripten/emscripten.h>

#include <deque>
#include <string>

#include "platform/web/timer_table.h"
#include "platform/web/web_device.h"

namespace {

using platform::Message;

struct Window {
    platform::WindowProcedure procedure = nullptr;
    bool exists = false;
    bool stylusCaptured = false;
    std::deque<platform::MessageRecord> queue;
    web::TimerTable timers;
    bool quitPosted = false;
    int exitCode = 0;
};

Window window;

double nowMs() { return emscripten_get_now(); }

void postDueTimerTicks() {
    for (const web::TimerTable::Tick& tick : window.timers.takeDue(nowMs())) {
        window.queue.push_back({Message::Timer, tick.id, 0, tick.callback});
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
    if (record.message == Message::Timer) window.timers.tickTaken(record.firstWord);
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

void setTimer(std::uint32_t id, std::uint32_t periodMs, TimerCallback callback) {
    window.timers.set(id, periodMs, callback, nowMs());
}

void killTimer(std::uint32_t id) {
    window.timers.kill(id);
    dropTimerTicks(id);
}

std::uint32_t tickCount() { return static_cast<std::uint32_t>(static_cast<std::uint64_t>(nowMs())); }

}  // namespace platform
