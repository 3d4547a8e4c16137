// The level clock: its two callback timers, the status line under the board and the best-time test.
#include "game/level_clock.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/game_state.h"
#include "game/saved_game.h"
#include "gfx/text.h"
#include "platform/platform.h"

namespace {

constexpr std::uint32_t CLOCK_PERIOD_MS = 1000;
constexpr std::uint32_t RECORD_TOGGLE_PERIOD_MS = 3000;

// The status line under the board: the level number, the clock and the best time, side by side.
constexpr int STATUS_Y = 284;
constexpr int LEVEL_X = 20, CLOCK_X = 52, RECORD_X = 135;

// The nearest single-precision value to 1/60: the clock is worked out in floats, as it always was.
constexpr float PER_MINUTE = 0.016666668f;
constexpr int SECONDS_PER_MINUTE = 60;
// Eight characters hold at most four minute digits; longer runs show the widest clock that fits.
constexpr float FIRST_MINUTE_TOO_WIDE = 10000.0f;
constexpr const char* WIDEST_CLOCK = "9999:59";

// The per-level tables have room for levels 0..56; anything else reads the empty entry 0.
int recordIndex() {
    const int level = gameState.level;
    return level >= 0 && level <= LEVEL_COUNT ? level : 0;
}

// A stored time as the number it reads as: at most its 8 characters, so a field without a
// terminator is never read past.
double storedRecordSeconds() {
    char text[RECORD_TEXT_SIZE];
    std::snprintf(text, sizeof text, "%8.8s", gameState.recordTimes[recordIndex()].data());
    return std::atof(text);
}

// "%1i", with a 0 put before a single character.
void formatTwoDigitsAtLeast(char* out, std::size_t size, int value) {
    std::snprintf(out, size, "%1i", value);
    if (std::strlen(out) == 1) std::snprintf(out, size, "0%1i", value);
}

}  // namespace

void startClockTimers() {
    platform::setTimer(TIMER_CLOCK, CLOCK_PERIOD_MS, clockTick);
    platform::setTimer(TIMER_RECORD_TOGGLE, RECORD_TOGGLE_PERIOD_MS, recordToggleTick);
}

void stopClockTimers() {
    platform::killTimer(TIMER_CLOCK);
    platform::killTimer(TIMER_RECORD_TOGGLE);
}

// A program ended at any moment loses at most the second under way.
void clockTick(std::uint32_t) {
    gameState.levelSeconds += 1.0;
    keepGameInPlay();
}

void recordToggleTick(std::uint32_t) { gameState.showRecordName = gameState.showRecordName == 0 ? 1 : 0; }

void formatClock(double seconds) {
    const float x = static_cast<float>(seconds);
    const float minutesExact = x * PER_MINUTE;
    // The negated test also catches a NaN read from a damaged records file.
    if (!(minutesExact < FIRST_MINUTE_TOO_WIDE && minutesExact > -FIRST_MINUTE_TOO_WIDE)) {
        std::snprintf(gameState.statusText.data(), gameState.statusText.size(), "%8s", WIDEST_CLOCK);
        return;
    }
    const int minutes = static_cast<int>(minutesExact);
    const int secs = static_cast<int>(x - static_cast<float>(minutes * SECONDS_PER_MINUTE));

    char minuteText[16];
    char secondText[16];
    formatTwoDigitsAtLeast(minuteText, sizeof minuteText, minutes);
    formatTwoDigitsAtLeast(secondText, sizeof secondText, secs);
    char joined[40];
    std::snprintf(joined, sizeof joined, "%s:%s", minuteText, secondText);
    std::snprintf(gameState.statusText.data(), gameState.statusText.size(), "%8.8s", joined);
}

void drawStatusLine() {
    std::snprintf(gameState.statusText.data(), gameState.statusText.size(), "%2i", gameState.level);
    drawText(screenFrame, gameState.statusText.data(), LEVEL_X, STATUS_Y, TEXT_WHITE);

    formatClock(gameState.levelSeconds);
    drawText(screenFrame, gameState.statusText.data(), CLOCK_X, STATUS_Y, TEXT_WHITE);

    if (gameState.showRecordName != 0) {
        std::snprintf(gameState.statusText.data(), gameState.statusText.size(), "%8.8s",
                      gameState.recordNames[recordIndex()].data());
    } else {
        formatClock(storedRecordSeconds());
    }
    drawText(screenFrame, gameState.statusText.data(), RECORD_X, STATUS_Y, TEXT_WHITE);
}

// Only a positive, finite time is a record to beat: a damaged field reading as NAN, INF or a negative
// number would otherwise make the level unbeatable or every solve a record.
std::int32_t isNewRecord() {
    const double best = storedRecordSeconds();
    const bool noRecord = !std::isfinite(best) || best <= 0.0;
    return noRecord || gameState.levelSeconds < best ? 1 : 0;
}
