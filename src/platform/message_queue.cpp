// The message loop's rules, the same on every device; only the clock and the waiting differ.
#include "platform/message_queue.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {

// A period of 0 would fall due forever at one instant; the shortest period is one millisecond.
constexpr std::uint32_t SHORTEST_PERIOD_MS = 1;

void MessageQueue::post(Message message, std::uint32_t firstWord, std::uint32_t secondWord) {
    if (!accepting()) return;
    queue_.push_back({message, firstWord, secondWord, nullptr});
}

bool MessageQueue::take(MessageRecord& record) {
    if (quitPosted_ || queue_.empty()) return false;
    record = queue_.front();
    queue_.pop_front();
    if (record.message == Message::Timer) {
        const auto timer = timers_.find(record.firstWord);
        if (timer != timers_.end()) timer->second.tickPending = false;
    }
    return true;
}

void MessageQueue::discardWindow() {
    queue_.clear();
    timers_.clear();
}

void MessageQueue::setTimer(std::uint32_t id, std::uint32_t periodMs, TimerCallback callback, double nowMs) {
    const std::uint32_t period = std::max(periodMs, SHORTEST_PERIOD_MS);
    const auto running = timers_.find(id);
    const bool pending = running != timers_.end() && running->second.tickPending;
    timers_[id] = Timer{period, callback, nowMs + period, pending};
}

void MessageQueue::killTimer(std::uint32_t id) {
    timers_.erase(id);
    std::erase_if(queue_, [id](const MessageRecord& record) {
        return record.message == Message::Timer && record.firstWord == id;
    });
}

std::optional<MessageQueue::DueTimer> MessageQueue::nextTimer() const {
    std::optional<DueTimer> next;
    for (const auto& [id, timer] : timers_) {
        if (!next || timer.dueMs < next->dueMs) next = DueTimer{timer.dueMs, id};
    }
    return next;
}

double MessageQueue::nextDueMs(const Timer& timer, double nowMs) const {
    if (lateTimer_ == LateTimer::StartsAfresh) {
        const double next = timer.dueMs + timer.periodMs;
        return next > nowMs ? next : nowMs + timer.periodMs;
    }
    return timer.dueMs + (std::floor((nowMs - timer.dueMs) / timer.periodMs) + 1) * timer.periodMs;
}

void MessageQueue::tickTimer(std::uint32_t id, double nowMs) {
    Timer& timer = timers_.at(id);
    timer.dueMs = nextDueMs(timer, nowMs);
    if (timer.tickPending || !accepting()) return;
    timer.tickPending = true;
    queue_.push_back({Message::Timer, id, 0, timer.callback});
}

void MessageQueue::tickDueTimers(double nowMs) {
    std::vector<std::pair<double, std::uint32_t>> due;
    for (const auto& [id, timer] : timers_) {
        if (timer.dueMs <= nowMs) due.emplace_back(timer.dueMs, id);
    }
    std::sort(due.begin(), due.end());
    for (const auto& [dueMs, id] : due) tickTimer(id, nowMs);
}

void MessageQueue::postQuit(int exitCode) {
    quitPosted_ = true;
    exitCode_ = exitCode;
}

void deliverQueued() {
    MessageRecord record;
    while (!messageQueue().empty() && getMessage(record)) dispatchMessage(record);
}

// ---- The device layer's message loop and timers ---------------------------------------------------

bool getMessage(MessageRecord& record) {
    MessageQueue& messages = messageQueue();
    while (!messages.quitPosted()) {
        if (messages.take(record)) return true;
        if (!waitForMessages()) return false;
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

void postQuitMessage(int exitCode) { messageQueue().postQuit(exitCode); }

int exitCode() { return messageQueue().exitCode(); }

void setTimer(std::uint32_t id, std::uint32_t periodMs, TimerCallback callback) {
    messageQueue().setTimer(id, periodMs, callback, clockMs());
}

void killTimer(std::uint32_t id) { messageQueue().killTimer(id); }

std::uint32_t tickCount() { return static_cast<std::uint32_t>(static_cast<std::uint64_t>(clockMs())); }

}  // namespace platform
