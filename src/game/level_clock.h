// The level clock, the status line under the board and the best-time test.
#pragma once

#include <cstdint>

inline constexpr std::uint32_t TIMER_FRAME = 1;
inline constexpr std::uint32_t TIMER_CLOCK = 101;
inline constexpr std::uint32_t TIMER_RECORD_TOGGLE = 103;

void startClockTimers();
void stopClockTimers();
void clockTick(std::uint32_t timerId);
void recordToggleTick(std::uint32_t timerId);

// Level, clock and best time (or its holder) at y 284.
void drawStatusLine();
// MM:SS of the given seconds, right-aligned in 8 characters, into statusText.
void formatClock(double seconds);
// 1 when levelSeconds beats the level's stored best time (or there is none).
std::int32_t isNewRecord();
