// The level clock: its two callback timers, the status line under the board and the best-time test.
#include "game/level_clock.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

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
// The level number is right-aligned in two characters, the clock and the best time (or its holder)
// in eight.
constexpr std::size_t LEVEL_WIDTH = 2;
constexpr std::size_t CLOCK_WIDTH = 8;

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

// What printf's "%.8s" takes of a record field: at most its 8 characters, so a field without a
// terminator is never read past.
std::string_view fieldText(const RecordText& field) {
    return {field.data(), static_cast<std::size_t>(std::find(field.begin(), field.end() - 1, '\0') - field.begin())};
}

// A stored time as the number it reads as.
double storedRecordSeconds() {
    char text[RECORD_TEXT_SIZE] = {};
    const std::string_view stored = fieldText(gameState.recordTimes[recordIndex()]);
    std::copy(stored.begin(), stored.end(), text);
    return std::atof(text);
}

// The status line is written every frame; its fields are formatted by hand, as printf formatted them.

// `text` right-aligned in `width` characters ("%*s"), cut to the characters statusText holds.
void writeStatusText(std::string_view text, std::size_t width) {
    char* const out = gameState.statusText.data();
    const std::size_t room = gameState.statusText.size() - 1;
    std::size_t written = 0;
    for (std::size_t padding = text.size(); padding < width && written < room; ++padding) out[written++] = ' ';
    for (std::size_t i = 0; i < text.size() && written < room; ++i) out[written++] = text[i];
    out[written] = '\0';
}

// A number in decimal, as "%i" writes it.
struct Decimal {
    std::array<char, 12> digits{};
    std::size_t length = 0;
    explicit Decimal(int value) {
        length = static_cast<std::size_t>(std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr - digits.data());
    }
    std::string_view text() const { return {digits.data(), length}; }
};

// "%1i", with a 0 put before a single character; returns where it ended.
char* appendTwoDigitsAtLeast(char* out, int value) {
    const Decimal number(value);
    if (number.length == 1) *out++ = '0';
    return std::copy(number.digits.data(), number.digits.data() + number.length, out);
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
        writeStatusText(WIDEST_CLOCK, CLOCK_WIDTH);
        return;
    }
    const int minutes = static_cast<int>(minutesExact);
    const int secs = static_cast<int>(x - static_cast<float>(minutes * SECONDS_PER_MINUTE));

    char joined[40];
    char* end = appendTwoDigitsAtLeast(joined, minutes);
    *end++ = ':';
    end = appendTwoDigitsAtLeast(end, secs);
    // "%8.8s": right-aligned, and no more than its first 8 characters (all that statusText holds).
    writeStatusText(std::string_view(joined, static_cast<std::size_t>(end - joined)), CLOCK_WIDTH);
}

void drawStatusLine() {
    writeStatusText(Decimal(gameState.level).text(), LEVEL_WIDTH);
    drawText(screenFrame, gameState.statusText.data(), LEVEL_X, STATUS_Y, TEXT_WHITE);

    formatClock(gameState.levelSeconds);
    drawText(screenFrame, gameState.statusText.data(), CLOCK_X, STATUS_Y, TEXT_WHITE);

    if (gameState.showRecordName != 0) {
        writeStatusText(fieldText(gameState.recordNames[recordIndex()]), CLOCK_WIDTH);
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
