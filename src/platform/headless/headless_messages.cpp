// The headless window, message queue and timers, driven by a virtual clock: time moves only in
// advance(), which posts every due tick and audio completion in time order and delivers it through
// the same getMessage/dispatchMessage path as the program's own loop.
#include <algorithm>

#include "platform/headless/headless_device.h"

namespace headless {
namespace {

using detail::device;

constexpr std::uint32_t LOW_WORD_MASK = 0xFFFF;
constexpr int HIGH_WORD_SHIFT = 16;

std::uint32_t packPosition(int x, int y) {
    return (static_cast<std::uint32_t>(x) & LOW_WORD_MASK) |
           ((static_cast<std::uint32_t>(y) & LOW_WORD_MASK) << HIGH_WORD_SHIFT);
}

void post(platform::Message message, std::uint32_t firstWord, std::uint32_t secondWord) {
    if (!device().windowExists) return;
    device().queue.push_back({message, firstWord, secondWord, nullptr});
}

// Delivers everything queued, as the program's loop would, until the queue is empty or quit is posted.
void deliverQueued() {
    platform::MessageRecord record;
    while (!device().queue.empty() && platform::getMessage(record)) platform::dispatchMessage(record);
}

void postAndDeliver(platform::Message message, std::uint32_t firstWord, std::uint32_t secondWord) {
    post(message, firstWord, secondWord);
    deliverQueued();
}

enum class EventKind { AudioCompletion, TimerTick };

struct DueEvent {
    EventKind kind = EventKind::TimerTick;
    std::uint64_t ms = 0;
    std::uint32_t timerId = 0;
};

// The earliest of the timers' next ticks and the output's next completion. At the same millisecond
// the audio comes first, then timers by id.
std::optional<DueEvent> nextEvent() {
    std::optional<DueEvent> next;
    if (const auto audioMs = detail::nextAudioCompletionMs()) next = DueEvent{EventKind::AudioCompletion, *audioMs, 0};
    for (const auto& [id, timer] : device().timers) {
        if (!next || timer.dueMs < next->ms) next = DueEvent{EventKind::TimerTick, timer.dueMs, id};
    }
    return next;
}

// A due timer posts a tick unless one is still waiting; its next tick is one period later.
void tickTimer(std::uint32_t id) {
    detail::Timer& timer = device().timers.at(id);
    timer.dueMs += timer.periodMs;
    if (timer.tickPending || !device().windowExists) return;
    timer.tickPending = true;
    device().queue.push_back({platform::Message::Timer, id, 0, timer.callback});
}

void fire(const DueEvent& event) {
    detail::playAudioUntil(event.ms);
    device().nowMs = std::max(device().nowMs, event.ms);
    if (event.kind == EventKind::AudioCompletion) {
        detail::completeFirstAudioBuffer();
    } else {
        tickTimer(event.timerId);
    }
}

void dropTimerTicks(std::uint32_t id) {
    std::erase_if(device().queue, [id](const platform::MessageRecord& record) {
        return record.message == platform::Message::Timer && record.firstWord == id;
    });
}

}  // namespace

void advance(std::uint64_t ms) {
    const std::uint64_t target = device().nowMs + ms;
    deliverQueued();
    while (!device().quitPosted) {
        const auto event = nextEvent();
        if (!event || event->ms > target) break;
        fire(*event);
        deliverQueued();
    }
    detail::playAudioUntil(target);
    device().nowMs = target;
}

std::uint64_t now() { return device().nowMs; }

void stylusDown(int x, int y) { postAndDeliver(platform::Message::StylusDown, 0, packPosition(x, y)); }
void stylusUp(int x, int y) { postAndDeliver(platform::Message::StylusUp, 0, packPosition(x, y)); }
void stylusMove(int x, int y) { postAndDeliver(platform::Message::StylusMove, 0, packPosition(x, y)); }
void keyDown(std::uint32_t keyCode) { postAndDeliver(platform::Message::KeyDown, keyCode, 0); }
void keyUp(std::uint32_t keyCode) { postAndDeliver(platform::Message::KeyUp, keyCode, 0); }
void focusLost() { postAndDeliver(platform::Message::FocusLost, 0, 0); }
void focusGained() { postAndDeliver(platform::Message::FocusGained, 0, 0); }
void close() { postAndDeliver(platform::Message::Close, 0, 0); }

bool windowExists() { return device().windowExists; }
std::string windowTitle() { return device().windowTitle; }
bool runningCopyRaised() { return device().runningCopyRaised; }
bool quitPosted() { return device().quitPosted; }
bool stylusCaptured() { return device().stylusCaptured; }
std::optional<MessageBoxRecord> lastMessageBox() { return device().messageBox; }

std::vector<TimerInfo> timers() {
    std::vector<TimerInfo> running;
    for (const auto& [id, timer] : device().timers) running.push_back({id, timer.periodMs, timer.callback != nullptr});
    return running;
}

}  // namespace headless

namespace platform {

using headless::detail::device;

bool raiseRunningCopy(std::string_view) {
    device().runningCopyRaised = device().runningCopy;
    return device().runningCopy;
}

bool createWindow(std::string_view title, WindowProcedure procedure) {
    if (device().windowFails || device().windowExists || procedure == nullptr) return false;
    device().procedure = procedure;
    device().windowExists = true;
    device().windowTitle = std::string(title);
    procedure(Message::Create, 0, 0);
    return true;
}

// Destroying the window takes its timers and its waiting messages with it.
void destroyWindow() {
    if (!device().windowExists) return;
    device().procedure(Message::Destroy, 0, 0);
    device().windowExists = false;
    device().timers.clear();
    device().queue.clear();
    device().stylusCaptured = false;
}

std::intptr_t defaultWindowProcedure(Message message, std::uint32_t, std::uint32_t) {
    if (message == Message::Close) destroyWindow();
    return 0;
}

std::intptr_t sendMessage(Message message, std::uint32_t firstWord, std::uint32_t secondWord) {
    if (!device().windowExists) return 0;
    return device().procedure(message, firstWord, secondWord);
}

// With nothing queued, the clock jumps to the next due event, as a sleeping loop would wake for it.
// When nothing can ever arrive the loop ends, since no one could wake it.
bool getMessage(MessageRecord& record) {
    while (!device().quitPosted) {
        if (!device().queue.empty()) {
            record = device().queue.front();
            device().queue.pop_front();
            if (record.message == Message::Timer) {
                const auto timer = device().timers.find(record.firstWord);
                if (timer != device().timers.end()) timer->second.tickPending = false;
            }
            return true;
        }
        const auto event = headless::nextEvent();
        if (!event) return false;
        headless::fire(*event);
    }
    return false;
}

void dispatchMessage(const MessageRecord& record) {
    if (record.timerCallback != nullptr) {
        record.timerCallback(record.firstWord);
        return;
    }
    sendMessage(record.message, record.firstWord, record.secondWord);
}

void postQuitMessage(int code) {
    device().quitPosted = true;
    device().exitCode = code;
}

int exitCode() { return device().exitCode; }

void captureStylus() { device().stylusCaptured = device().windowExists; }
void releaseStylus() { device().stylusCaptured = false; }

void showMessageBox(std::string_view text, std::string_view caption) {
    device().messageBox = headless::MessageBoxRecord{std::string(text), std::string(caption)};
}

// A period of 0 would fall due forever at one instant; the shortest period is one millisecond.
void setTimer(std::uint32_t id, std::uint32_t periodMs, TimerCallback callback) {
    const std::uint32_t period = std::max<std::uint32_t>(periodMs, 1);
    auto& timers = device().timers;
    const bool pending = timers.contains(id) && timers[id].tickPending;
    timers[id] = headless::detail::Timer{period, callback, device().nowMs + period, pending};
}

void killTimer(std::uint32_t id) {
    device().timers.erase(id);
    headless::dropTimerTicks(id);
}

std::uint32_t tickCount() { return static_cast<std::uint32_t>(device().nowMs); }

}  // namespace platform
