// The browser device's timers on the page's clock, with the device's rules: a due timer has at most
// one tick waiting to be taken, and a timer late by several periods (a hidden page, a slow frame)
// still ticks once, its next tick due one period after the latest it missed.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/platform.h"

namespace web {

class TimerTable {
public:
    struct Tick {
        std::uint32_t id = 0;
        platform::TimerCallback callback = nullptr;
    };

    // Starts or restarts timer `id`, first due one period after `nowMs`. A tick already waiting stays
    // the one waiting tick. A period of 0 would fall due on every frame at once; the shortest is 1 ms.
    void set(std::uint32_t id, std::uint32_t periodMs, platform::TimerCallback callback, double nowMs) {
        const std::uint32_t period = std::max<std::uint32_t>(periodMs, 1);
        const auto running = timers_.find(id);
        const bool waiting = running != timers_.end() && running->second.tickWaiting;
        timers_[id] = Timer{period, callback, nowMs + period, waiting};
    }

    void kill(std::uint32_t id) { timers_.erase(id); }
    void clear() { timers_.clear(); }
    bool running(std::uint32_t id) const { return timers_.contains(id); }

    // The ticks of every timer due at `nowMs` that has none waiting, earliest first and by id at the
    // same instant; each is waiting from then until tickTaken.
    std::vector<Tick> takeDue(double nowMs) {
        std::vector<std::pair<double, std::uint32_t>> due;
        for (const auto& [id, timer] : timers_) {
            if (timer.dueMs <= nowMs) due.emplace_back(timer.dueMs, id);
        }
        std::sort(due.begin(), due.end());
        std::vector<Tick> ticks;
        for (const auto& [dueMs, id] : due) {
            Timer& timer = timers_.at(id);
            timer.dueMs += (std::floor((nowMs - timer.dueMs) / timer.periodMs) + 1) * timer.periodMs;
            if (timer.tickWaiting) continue;
            timer.tickWaiting = true;
            ticks.push_back({id, timer.callback});
        }
        return ticks;
    }

    // Timer `id`'s waiting tick has been handed out; the next one may come.
    void tickTaken(std::uint32_t id) {
        const auto timer = timers_.find(id);
        if (timer != timers_.end()) timer->second.tickWaiting = false;
    }

private:
    struct Timer {
        std::uint32_t periodMs = 0;
        platform::TimerCallback callback = nullptr;
        double dueMs = 0;
        bool tickWaiting = false;
    };

    std::map<std::uint32_t, Timer> timers_;
};

}  // namespace web
