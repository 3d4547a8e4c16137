// The SDL2 message loop: SDL's events and the program's timers become one queue of messages. Timers
// live inside the loop (no timer threads): with nothing queued it sleeps in SDL_WaitEventTimeout until
// the next timer falls due or an event arrives, so an idle game sleeps between ticks.
#include <algorithm>
#include <chrono>

#include "platform/message_queue.h"
#include "platform/sdl/sdl_device.h"

namespace sdl_device {
namespace {

// Other copies asking to come forward are noticed at least this often even without timers.
constexpr std::uint64_t LONGEST_SLEEP_MS = 100;

std::uint64_t nowMs() {
    static const auto start = std::chrono::steady_clock::now();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
}

// A loop that comes late does not catch up on the ticks it missed.
platform::MessageQueue& loop() {
    static platform::MessageQueue queue(platform::MessageQueue::LateTimer::StartsAfresh, &windowExists);
    return queue;
}

std::uint64_t msUntilNextTimer() {
    const auto next = loop().nextTimer();
    if (!next) return LONGEST_SLEEP_MS;
    const auto dueMs = static_cast<std::uint64_t>(next->dueMs);
    const std::uint64_t now = nowMs();
    return std::min(LONGEST_SLEEP_MS, dueMs > now ? dueMs - now : 0);
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

}  // namespace

void postMessage(platform::Message message, std::uint32_t firstWord, std::uint32_t secondWord) {
    loop().post(message, firstWord, secondWord);
}

void discardWindowMessagesAndTimers() { loop().discardWindow(); }

void setDeviceFailureExitCode(int code) { loop().setExitCode(code); }

}  // namespace sdl_device

namespace platform {

MessageQueue& messageQueue() { return sdl_device::loop(); }

double clockMs() { return static_cast<double>(sdl_device::nowMs()); }

// Events first; due timers only once no event waits; then sleep.
bool waitForMessages() {
    sdl_device::takeWaitingEvents();
    if (messageQueue().empty()) messageQueue().tickDueTimers(clockMs());
    if (messageQueue().empty()) sdl_device::sleepUntilSomethingHappens();
    return true;
}

}  // namespace platform
