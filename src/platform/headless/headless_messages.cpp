// The headless window, message queue and timers, driven by a virtual clock: time moves only in
// advance(), which posts every due tick and audio completion in time order and delivers it through
// the same getMessage/dispatchMessage path as the program's own loop.
#include <algorithm>

#include "platform/headless/headless_device.h"

namespace headless {
namespace {

using detail::device;

void postAndDeliver(platform::Message message, std::uint32_t firstWord, std::uint32_t secondWord) {
    device().messages.post(message, firstWord, secondWord);
    platform::deliverQueued();
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
    if (const auto timer = device().messages.nextTimer()) {
        const auto dueMs = static_cast<std::uint64_t>(timer->dueMs);
        if (!next || dueMs < next->ms) next = DueEvent{EventKind::TimerTick, dueMs, timer->id};
    }
    return next;
}

void fire(const DueEvent& event) {
    detail::playAudioUntil(event.ms);
    device().nowMs = std::max(device().nowMs, event.ms);
    if (event.kind == EventKind::AudioCompletion) {
        detail::completeFirstAudioBuffer();
    } else {
        device().messages.tickTimer(event.timerId, static_cast<double>(event.ms));
    }
}

}  // namespace

void advance(std::uint64_t ms) {
    const std::uint64_t target = device().nowMs + ms;
    platform::deliverQueued();
    while (!device().messages.quitPosted()) {
        const auto event = nextEvent();
        if (!event || event->ms > target) break;
        fire(*event);
        platform::deliverQueued();
    }
    detail::playAudioUntil(target);
    device().nowMs = target;
}

std::uint64_t now() { return device().nowMs; }

void stylusDown(int x, int y) { postAndDeliver(platform::Message::StylusDown, 0, platform::positionWord(x, y)); }
void stylusUp(int x, int y) { postAndDeliver(platform::Message::StylusUp, 0, platform::positionWord(x, y)); }
void stylusMove(int x, int y) { postAndDeliver(platform::Message::StylusMove, 0, platform::positionWord(x, y)); }
void keyDown(std::uint32_t keyCode) { postAndDeliver(platform::Message::KeyDown, keyCode, 0); }
void keyUp(std::uint32_t keyCode) { postAndDeliver(platform::Message::KeyUp, keyCode, 0); }
void focusLost() { postAndDeliver(platform::Message::FocusLost, 0, 0); }
void focusGained() { postAndDeliver(platform::Message::FocusGained, 0, 0); }
void close() { postAndDeliver(platform::Message::Close, 0, 0); }

bool windowExists() { return device().windowExists; }
std::string windowTitle() { return device().windowTitle; }
bool runningCopyRaised() { return device().runningCopyRaised; }
bool quitPosted() { return device().messages.quitPosted(); }
bool stylusCaptured() { return device().stylusCaptured; }
std::optional<MessageBoxRecord> lastMessageBox() { return device().messageBox; }

std::vector<TimerInfo> timers() {
    std::vector<TimerInfo> running;
    for (const auto& [id, timer] : device().messages.timers()) {
        running.push_back({id, timer.periodMs, timer.callback != nullptr});
    }
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
    device().messages.discardWindow();
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

MessageQueue& messageQueue() { return device().messages; }

double clockMs() { return static_cast<double>(device().nowMs); }

// With nothing queued, the clock jumps to the next due event, as a sleeping loop would wake for it.
// When nothing can ever arrive the loop ends, since no one could wake it.
bool waitForMessages() {
    const auto event = headless::nextEvent();
    if (!event) return false;
    headless::fire(*event);
    return true;
}

void captureStylus() { device().stylusCaptured = device().windowExists; }
void releaseStylus() { device().stylusCaptured = false; }

void showMessageBox(std::string_view text, std::string_view caption) {
    device().messageBox = headless::MessageBoxRecord{std::string(text), std::string(caption)};
}

}  // namespace platform
