// The SDL2 message loop: SDL's events and the program's timers become one queue of messages. Timers
// live inside the loop (no timer threads): getMessage sleeps in SDL_WaitEventTimeout until the next
// timer falls due or an event arrives, so an idle game sleeps between ticks.
#include <algorithm>
#include <chrono>
#include <deque>
#include <map>

#include "platform/sdl/sdl_device.h"

namespace sdl_device {
namespace {

// Other copies asking to come forward are noticed at least this often even without timers.
constexpr std::uint64_t LONGEST_SLEEP_MS = 100;

struct Timer {
    std::uint32_t periodMs = 0;
    platform::TimerCallback callback = nullptr;
    std::uint64_t dueMs = 0;
    bool tickPending = false;
};

struct Loop {
    std::deque<platform::MessageRecord> queue;
    std::map<std::uint32_t, Timer> timers;
    bool quitPosted = false;
    int exitCode = 0;
};

Loop& loop() {
    static Loop state;
    return state;
}

std::uint64_t nowMs() {
    static const auto start = std::chrono::steady_clock::now();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}

// A due timer posts a tick unless one still waits; a late loop does not catch up on missed ticks.
void postDueTimers() {
    const std::uint64_t now = nowMs();
    for (auto& [id, timer] : loop().timers) {
        if (timer.dueMs > now) continue;
        timer.dueMs += timer.periodMs;
        if (timer.dueMs <= now) timer.dueMs = now + timer.periodMs;
        if (timer.tickPending) continue;
        timer.tickPending = true;
        loop().queue.push_back({platform::Message::Timer, id, 0, timer.callback});
    }
}

std::uint64_t msUntilNextTimer() {
    const std::uint64_t now = nowMs();
    std::uint64_t sleep = LONGEST_SLEEP_MS;
    for (const auto& [id, timer] : loop().timers) sleep = std::min(sleep, timer.dueMs > now ? timer.dueMs - now : 0);
    return sleep;
}

void takeWaitingEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) translateEvent(event);
    answerOtherCopies();
}

void sleepUntilSomethingHappens() {
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, static_cast<int>(msUntilNextTimer())) != 0) translateEvent(event);
}

void dropTimerTicks(std::uint32_t id) {
    std::erase_if(loop().queue, [id](const platform::MessageRecord& record) {
        return record.message == platform::Message::Timer && record.firstWord == id;
    });
}

}  // namespace

void postMessage(platform::Message message, std::uint32_t firstWord, std::uint32_t secondWord) {
    if (!windowExists()) return;
    loop().queue.push_back({message, firstWord, secondWord, nullptr});
}

void discardWindowMessagesAndTimers() {
    loop().queue.clear();
    loop().timers.clear();
}

void setDeviceFailureExitCode(int code) { loop().exitCode = code; }

}  // namespace sdl_device

namespace platform {

using sdl_device::loop;

bool getMessage(MessageRecord& record) {
    while (!loop().quitPosted) {
        sdl_device::takeWaitingEvents();
        if (loop().queue.empty()) sdl_device::postDueTimers();
        if (loop().queue.empty()) {
            sdl_device::sleepUntilSomethingHappens();
            continue;
        }
        record = loop().queue.front();
        loop().queue.pop_front();
        if (record.message == Message::Timer) {
            const auto timer = loop().timers.find(record.firstWord);
            if (timer != loop().timers.end()) timer->second.tickPending = false;
        }
        return true;
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
    loop().quitPosted = true;
    loop().exitCode = code;
}

int exitCode() { return loop().exitCode; }

// A period of 0 would fall due forever; the shortest period is one millisecond.
void setTimer(std::uint32_t id, std::uint32_t periodMs, TimerCallback callback) {
    const std::uint32_t period = std::max<std::uint32_t>(periodMs, 1);
    auto& timers = loop().timers;
    const bool pending = timers.contains(id) && timers[id].tickPending;
    timers[id] = sdl_device::Timer{period, callback, sdl_device::nowMs() + period, pending};
}

void killTimer(std::uint32_t id) {
    loop().timers.erase(id);
    sdl_device::dropTimerTicks(id);
}

std::uint32_t tickCount() { return static_cast<std::uint32_t>(sdl_device::nowMs()); }

}  // namespace platform
