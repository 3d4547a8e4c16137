// The browser device's timers: at most one tick waiting per timer, late timers tick once and keep
// their rhythm, due ticks come earliest first.
#include <gtest/gtest.h>

#include <vector>

#include "platform/web/timer_table.h"

namespace {

using web::TimerTable;

void clockTick(std::uint32_t) {}

std::vector<std::uint32_t> ids(const std::vector<TimerTable::Tick>& ticks) {
    std::vector<std::uint32_t> result;
    for (const TimerTable::Tick& tick : ticks) result.push_back(tick.id);
    return result;
}

TEST(TimerTable, ATimerFallsDueOnePeriodOnAndCarriesItsCallback) {
    TimerTable timers;
    timers.set(101, 1000, clockTick, 500.0);
    EXPECT_TRUE(timers.takeDue(1499.9).empty());
    const std::vector<TimerTable::Tick> ticks = timers.takeDue(1500.0);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0].id, 101u);
    EXPECT_EQ(ticks[0].callback, &clockTick);
}

TEST(TimerTable, AWaitingTickIsTheOnlyOneUntilTaken) {
    TimerTable timers;
    timers.set(1, 16, nullptr, 0.0);
    EXPECT_EQ(timers.takeDue(16.0).size(), 1u);
    EXPECT_TRUE(timers.takeDue(32.0).empty());
    EXPECT_TRUE(timers.takeDue(48.0).empty());
    timers.tickTaken(1);
    EXPECT_TRUE(timers.takeDue(63.0).empty());
    EXPECT_EQ(timers.takeDue(64.0).size(), 1u);
}

TEST(TimerTable, ALateTimerTicksOnceAndKeepsItsRhythm) {
    TimerTable timers;
    timers.set(101, 1000, clockTick, 0.0);
    EXPECT_EQ(timers.takeDue(60500.0).size(), 1u);  // a minute behind a hidden page
    timers.tickTaken(101);
    EXPECT_TRUE(timers.takeDue(60999.0).empty());
    EXPECT_EQ(timers.takeDue(61000.0).size(), 1u);
}

TEST(TimerTable, DueTicksComeEarliestFirstAndByIdAtTheSameInstant) {
    TimerTable timers;
    timers.set(103, 3000, clockTick, 0.0);
    timers.set(101, 1000, clockTick, 2100.0);
    timers.set(1, 16, nullptr, 2984.0);
    EXPECT_EQ(ids(timers.takeDue(3500.0)), (std::vector<std::uint32_t>{1, 103, 101}));
}

TEST(TimerTable, RestartingKeepsAWaitingTickAndKillingEndsTheTimer) {
    TimerTable timers;
    timers.set(1, 16, nullptr, 0.0);
    EXPECT_EQ(timers.takeDue(20.0).size(), 1u);
    timers.set(1, 50, nullptr, 20.0);
    EXPECT_TRUE(timers.takeDue(70.0).empty());
    timers.tickTaken(1);
    EXPECT_EQ(timers.takeDue(120.0).size(), 1u);

    timers.kill(1);
    EXPECT_FALSE(timers.running(1));
    timers.tickTaken(1);  // a tick handed out after the kill changes nothing
    EXPECT_TRUE(timers.takeDue(1e9).empty());
}

TEST(TimerTable, APeriodOfZeroIsOneMillisecond) {
    TimerTable timers;
    timers.set(7, 0, nullptr, 10.0);
    EXPECT_TRUE(timers.takeDue(10.5).empty());
    EXPECT_EQ(timers.takeDue(11.0).size(), 1u);
}

}  // namespace
