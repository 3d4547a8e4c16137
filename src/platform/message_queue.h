// The window's messages and timers as every device keeps them: one queue of messages, the timers whose
// ticks join it, and the quit code. A device brings only what is its own: its clock and the way it
// waits while nothing is queued. Not for the game, which sees platform.h alone.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>

#include "platform/platform.h"

namespace platform {

class MessageQueue {
public:
    // A timer that fell due more than one period ago (a busy desktop, a hidden page) ticks once. Its next
    // tick then comes on its old beat, one period after the latest tick it missed, or afresh, one
    // period from now.
    enum class LateTimer { KeepsBeat, StartsAfresh };

    struct Timer {
        std::uint32_t periodMs = 0;
        TimerCallback callback = nullptr;
        double dueMs = 0;
        bool tickPending = false;
    };

    struct DueTimer {
        double dueMs = 0;
        std::uint32_t id = 0;
    };

    MessageQueue(LateTimer lateTimer, bool (*windowExists)()) : lateTimer_(lateTimer), windowExists_(windowExists) {}

    // Queues a message for the window; dropped while there is no window, and once quit is posted.
    void post(Message message, std::uint32_t firstWord, std::uint32_t secondWord);
    // Hands out the first message; false when none is queued or quit is posted. A timer's tick stops
    // being pending once taken, so its next one may come.
    bool take(MessageRecord& record);
    bool empty() const { return queue_.empty(); }
    // The window is gone: its timers and its waiting messages go with it.
    void discardWindow();

    // Starts (or restarts) timer `id`, due one period after `nowMs`; a tick it has pending stays pending.
    void setTimer(std::uint32_t id, std::uint32_t periodMs, TimerCallback callback, double nowMs);
    // Ends timer `id` and drops its ticks still queued.
    void killTimer(std::uint32_t id);
    const std::map<std::uint32_t, Timer>& timers() const { return timers_; }
    // The timer that falls due first; the lowest id of those due at the same instant.
    std::optional<DueTimer> nextTimer() const;
    // Timer `id`, due by `nowMs`, ticks: it posts a tick unless one is still pending (or the window is
    // gone, or quit posted), and is due again.
    void tickTimer(std::uint32_t id, double nowMs);
    // Every timer due by `nowMs` ticks, the earliest first and by id at the same instant.
    void tickDueTimers(double nowMs);

    void postQuit(int exitCode);
    bool quitPosted() const { return quitPosted_; }
    int exitCode() const { return exitCode_; }
    // A device that cannot run the program at all says so in the exit code, before any quit.
    void setExitCode(int exitCode) { exitCode_ = exitCode; }

private:
    bool accepting() const { return windowExists_() && !quitPosted_; }
    double nextDueMs(const Timer& timer, double nowMs) const;

    LateTimer lateTimer_;
    bool (*windowExists_)();
    std::deque<MessageRecord> queue_;
    std::map<std::uint32_t, Timer> timers_;
    bool quitPosted_ = false;
    int exitCode_ = 0;
};

// Delivers everything queued through getMessage/dispatchMessage, as the program's own loop would, until
// the queue is empty or quit is posted; never waits.
void deliverQueued();

// ---- What each device defines --------------------------------------------------------------------

// The one window's queue.
MessageQueue& messageQueue();
// The clock the timers run on, in milliseconds (tickCount is its whole milliseconds).
double clockMs();
// Nothing is queued: waits until something may be, or answers false when nothing ever can be.
bool waitForMessages();

}  // namespace platform
