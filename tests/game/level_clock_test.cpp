// The level clock: its text, its timers, the status line and the best-time decision.
#include <cmath>
#include <cstring>
#include <string>

#include "game_fixture.h"
#include "gfx/text.h"

namespace {

class LevelClock : public GameTest {
protected:
    static std::string clockText(double seconds) {
        formatClock(seconds);
        return gameState.statusText.data();
    }

    static void storeRecordTime(std::int32_t level, const char* text) {
        std::snprintf(gameState.recordTimes[level].data(), RECORD_TEXT_SIZE, "%s", text);
    }
};

TEST_F(LevelClock, ShowsMinutesAndSecondsRightAligned) {
    EXPECT_EQ(clockText(0), "   00:00");
    EXPECT_EQ(clockText(9), "   00:09");
    EXPECT_EQ(clockText(59), "   00:59");
    EXPECT_EQ(clockText(60), "   01:00");
    EXPECT_EQ(clockText(83), "   01:23");
    EXPECT_EQ(clockText(3599), "   59:59");
    EXPECT_EQ(clockText(3600), "   60:00");
    EXPECT_EQ(clockText(5999), "   99:59");
    EXPECT_EQ(clockText(6000), "  100:00");
    EXPECT_EQ(clockText(599999), " 9999:59");
}

TEST_F(LevelClock, TenThousandMinutesOrMoreShowTheWidestClock) {
    EXPECT_EQ(clockText(600000), " 9999:59");
    EXPECT_EQ(clockText(1.0e12), " 9999:59");
    EXPECT_EQ(clockText(1.0e300), " 9999:59");
    EXPECT_EQ(clockText(std::nan("")), " 9999:59");
    EXPECT_EQ(clockText(-1.0e12), " 9999:59");
}

TEST_F(LevelClock, TimersTickTheClockAndTheRecordToggle) {
    openWindow();
    startClockTimers();
    const auto timers = headless::timers();
    ASSERT_EQ(timers.size(), 2u);
    EXPECT_EQ(timers[0].id, TIMER_CLOCK);
    EXPECT_EQ(timers[0].periodMs, 1000u);
    EXPECT_TRUE(timers[0].callback);
    EXPECT_EQ(timers[1].id, TIMER_RECORD_TOGGLE);
    EXPECT_EQ(timers[1].periodMs, 3000u);
    EXPECT_TRUE(timers[1].callback);

    headless::advance(2999);
    EXPECT_EQ(gameState.levelSeconds, 2.0);
    EXPECT_EQ(gameState.showRecordName, 0);
    headless::advance(1);
    EXPECT_EQ(gameState.levelSeconds, 3.0);
    EXPECT_EQ(gameState.showRecordName, 1);
    headless::advance(3000);
    EXPECT_EQ(gameState.showRecordName, 0);

    stopClockTimers();
    EXPECT_TRUE(headless::timers().empty());
    headless::advance(10000);
    EXPECT_EQ(gameState.levelSeconds, 6.0);
}

TEST_F(LevelClock, StartingAgainRestartsThePeriod) {
    openWindow();
    startClockTimers();
    headless::advance(600);
    startClockTimers();
    headless::advance(600);
    EXPECT_EQ(gameState.levelSeconds, 0.0);
    headless::advance(400);
    EXPECT_EQ(gameState.levelSeconds, 1.0);
}

TEST_F(LevelClock, BestTimeMustBeBeatenNotEqualled) {
    gameState.level = 12;
    storeRecordTime(12, "      83");
    gameState.levelSeconds = 83.0;
    EXPECT_EQ(isNewRecord(), 0);
    gameState.levelSeconds = 84.0;
    EXPECT_EQ(isNewRecord(), 0);
    gameState.levelSeconds = 82.0;
    EXPECT_EQ(isNewRecord(), 1);
}

TEST_F(LevelClock, ATimeThatReadsAsNoPositiveNumberIsNoRecord) {
    gameState.level = 3;
    gameState.levelSeconds = 5000.0;
    for (const char* stored : {"       0", "--------", "ABCDEFGH", "", "   0.0  ", "     NAN", "     INF", "    -INF",
                               "     -83", "   1e999"}) {
        storeRecordTime(3, stored);
        EXPECT_EQ(isNewRecord(), 1) << '"' << stored << '"';
    }
    // A level solved before the first tick stores a zero time, which the next solve always beats.
    storeRecordTime(3, "       0");
    gameState.levelSeconds = 0.0;
    EXPECT_EQ(isNewRecord(), 1);
}

TEST_F(LevelClock, StoredTimeIsReadNoFurtherThanItsField) {
    gameState.level = 56;
    std::memset(gameState.recordTimes[56].data(), '9', RECORD_TEXT_SIZE);  // no terminator at all
    gameState.levelSeconds = 99999998.0;
    EXPECT_EQ(isNewRecord(), 1);
    gameState.levelSeconds = 99999999.0;
    EXPECT_EQ(isNewRecord(), 0);
}

// The status line against the same texts drawn where they belong, with a font whose every glyph is a
// solid block of its own colour, so that a wrong text or place shows.
class StatusLine : public LevelClock {
protected:
    void SetUp() override {
        LevelClock::SetUp();
        for (int y = 0; y < GLYPH_HEIGHT * 2; ++y) {
            for (int x = 0; x < FONT_IMAGE_WIDTH; ++x) {
                font[static_cast<std::size_t>(y * FONT_IMAGE_WIDTH + x)] =
                    static_cast<std::uint16_t>(0x0100 + x / GLYPH_WIDTH + (y >= GLYPH_HEIGHT ? 0x4000 : 0));
            }
        }
        gameState.fontImage = font.data();
        gameState.level = 7;
        gameState.levelSeconds = 83.0;
        storeRecordTime(7, "     125");
        std::snprintf(gameState.recordNames[7].data(), RECORD_TEXT_SIZE, "%s", "     ANN");
    }

    std::vector<std::uint16_t> expectedFrame(const char* record) {
        const std::vector<std::uint16_t> drawn = frame;
        frame.assign(FRAME_PIXELS, 0);
        drawText(" 7", 20, 284, 0);
        drawText("   01:23", 52, 284, 0);
        drawText(record, 135, 284, 0);
        std::vector<std::uint16_t> expected = frame;
        frame = drawn;
        return expected;
    }

    std::vector<std::uint16_t> font = std::vector<std::uint16_t>(FONT_IMAGE_WIDTH * GLYPH_HEIGHT * 2);
};

TEST_F(StatusLine, ShowsLevelClockAndBestTime) {
    drawStatusLine();
    EXPECT_EQ(frame, expectedFrame("   02:05"));
    EXPECT_STREQ(gameState.statusText.data(), "   02:05");
}

TEST_F(StatusLine, ShowsTheHolderInsteadWhileToggled) {
    gameState.showRecordName = 1;
    drawStatusLine();
    EXPECT_EQ(frame, expectedFrame("     ANN"));
}

TEST_F(StatusLine, FreshRecordsShowZeroTimeAndDashes) {
    storeRecordTime(7, "       0");
    std::snprintf(gameState.recordNames[7].data(), RECORD_TEXT_SIZE, "%s", "--------");
    drawStatusLine();
    EXPECT_EQ(frame, expectedFrame("   00:00"));
    gameState.showRecordName = 1;
    frame.assign(FRAME_PIXELS, 0);
    drawStatusLine();
    EXPECT_EQ(frame, expectedFrame("--------"));
}

TEST_F(StatusLine, ALevelOutsideTheTablesReadsTheEmptyEntry) {
    gameState.level = 1000;
    gameState.showRecordName = 1;
    drawStatusLine();
    EXPECT_STREQ(gameState.statusText.data(), "        ");
    gameState.level = -1;
    gameState.showRecordName = 0;
    drawStatusLine();
    EXPECT_STREQ(gameState.statusText.data(), "   00:00");
}

}  // namespace
