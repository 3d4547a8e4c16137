// What the recorded trails cannot carry: faults once mended, input no player can give, and the words a
// screen reader is told.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "game/game_start.h"
#include "game/game_state.h"
#include "game/level_clock.h"
#include "game/level_commands.h"
#include "game/screens.h"
#include "game/stylus_down.h"
#include "game/stylus_up.h"
#include "game/tutorial.h"
#include "gfx/frame.h"
#include "gfx/images.h"
#include "gfx/text.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "puzzle/board_rules.h"
#include "records/records_file.h"
#include "sim/state_report.h"

namespace {

constexpr int KEPT = -1;

class Game : public ::testing::Test {
protected:
    void SetUp() override {
        headless::reset();
        resetGameState();
        std::filesystem::remove_all(recordsFilePath());
        screenFrame.BackBuffer = frame.data();
        screenFrame.backBufferSize = BACK_BUFFER_SIZE;
        ASSERT_TRUE(platform::createWindow("test", platform::defaultWindowProcedure));
        ASSERT_TRUE(platform::openDisplay());
        screenFrame.displayProperties = headless::STANDARD_DISPLAY;
    }
    void TearDown() override {
        stopClockTimers();
        platform::closeDisplay();
        platform::destroyWindow();
        resetGameState();
    }

    // A level in play as PLAY leaves it, with the board's bounds its drawing would have left.
    static void playing(std::int32_t level, std::int32_t maxLevel) {
        gameState.level = level;
        gameState.maxLevel = maxLevel;
        startLevel();
        gameState.screen = SCREEN_PLAY;
        gameState.board.boardLeft = 29 * gameState.board.boardColumnOffset - 26;
        gameState.board.boardTop = 29 * gameState.board.boardRowOffset - 26;
        gameState.board.boardRight = gameState.board.boardLeft + 29 * gameState.board.columnCount;
        gameState.board.boardBottom = gameState.board.boardTop + 29 * gameState.board.rowCount;
        startClockTimers();
    }
    // The answer in place but for cell (0, 0), whose kind is chosen; a pick there lifted at (x, y).
    static void solveAllButOneAndLiftAt(int x, int y) {
        gameState.board.playerGrid = gameState.board.solutionGrid;
        gameState.board.playerGrid[0] = 0;
        gameState.board.selectedTower = gameState.board.solutionGrid[0] - 1;
        for (int column = 0; column < gameState.board.columnCount; ++column) evaluateMove(gameState.board, column, 0);
        for (int row = 0; row < gameState.board.rowCount; ++row) evaluateMove(gameState.board, 0, row);
        stylusDown(29 * gameState.board.boardColumnOffset - 20, 29 * gameState.board.boardRowOffset - 20);
        ASSERT_EQ(gameState.cellPicked, 1);
        stylusUp(x, y);
    }

    std::vector<std::uint16_t> frame = std::vector<std::uint16_t>(FRAME_PIXELS, 0);
};

TEST_F(Game, StoredTimesThatReadAsNoPositiveNumberAreNoRecord) {
    gameState.level = 3;
    for (const auto& [stored, seconds, record] :
         {std::tuple{"      83", 83.0, 0}, {"      83", 84.0, 0}, {"      83", 82.0, 1}, {"       0", 0.0, 1},
          {"--------", 5000.0, 1}, {"", 5000.0, 1}, {"     NAN", 5000.0, 1}, {"     INF", 5000.0, 1},
          {"    -INF", 5000.0, 1}, {"     -83", 5000.0, 1}, {"   1e999", 5000.0, 1}, {"999999999", 99999998.0, 1},
          {"999999999", 99999999.0, 0}}) {
        std::memcpy(gameState.recordTimes[3].data(), stored, std::min<std::size_t>(std::strlen(stored) + 1, 9));
        gameState.levelSeconds = seconds;
        EXPECT_EQ(isNewRecord(), record) << '"' << stored << "\" " << seconds;
    }
}

// The status line is formatted by hand every frame; it must read as printf wrote it: the level as
// "%2i", each time as "MM:SS" (at least two digits a side) right-aligned and cut to eight characters,
// the holder's name as "%8.8s". Drawn both ways, the pixels must be the same. Clocks past 9999:59, or no
// number, and levels off the table (whose own fields are never read) stay inside their fields.
TEST_F(Game, TheStatusLineReadsAsPrintfWroteIt) {
    const auto printed = [](const char* format, auto... values) {
        char text[64];
        std::snprintf(text, sizeof text, format, values...);
        return std::string(text);
    };
    const auto clock = [&](double seconds) {
        const float x = static_cast<float>(seconds), minutes = x * 0.016666668f;
        if (!(minutes < 10000.0f && minutes > -10000.0f)) return printed("%8s", "9999:59");
        const int whole = static_cast<int>(minutes), secs = static_cast<int>(x - static_cast<float>(whole * 60));
        const auto twoDigits = [&](int value) { return printed(value >= 0 && value < 10 ? "0%1i" : "%1i", value); };
        return printed("%8.8s", (twoDigits(whole) + ":" + twoDigits(secs)).c_str());
    };
    loadImages(screenFrame);
    for (const auto& [level, seconds] : {std::pair{1, 0.0}, {9, 59.0}, {10, 60.0}, {56, 599.0}, {99, 3599.5},
                                         {100, 36000.0}, {-5, -1.0}, {-1000, -3600.0}, {12345678, 599940.0},
                                         {1000, 599999.0}, {-1, 600000.0}, {57, 1.0e300}, {2, std::nan("")}, {3, -1.0e12}}) {
        const std::size_t index = level >= 0 && level <= 56 ? static_cast<std::size_t>(level) : 0;
        for (const char* field : {"83", "-9999999", "-61", "1e999", "ANABELLE", "ABCDEFGHIJ"}) {
            // A field is copied as it stands in the file: nine characters hold no terminator.
            std::memcpy(gameState.recordTimes[index].data(), field, std::min<std::size_t>(std::strlen(field) + 1, 9));
            std::memcpy(gameState.recordNames[index].data(), field, std::min<std::size_t>(std::strlen(field) + 1, 9));
            const std::string stored = printed("%8.8s", gameState.recordTimes[index].data());
            for (const int showName : {0, 1}) {
                formatClock(seconds);
                EXPECT_EQ(gameState.statusText.data(), clock(seconds)) << seconds;
                gameState.level = level, gameState.levelSeconds = seconds, gameState.showRecordName = showName;
                std::fill(frame.begin(), frame.end(), 0);
                drawStatusLine();
                const std::vector<std::uint16_t> drawn = frame;
                const std::string last = showName != 0 ? stored : clock(std::atof(stored.c_str()));
                EXPECT_EQ(gameState.statusText.data(), last) << level << " " << field;
                std::fill(frame.begin(), frame.end(), 0);
                for (const auto& [text, x] : {std::pair{printed("%2i", level), 20}, {clock(seconds), 52}, {last, 135}})
                    drawText(screenFrame, text.c_str(), x, 284, TEXT_WHITE);
                EXPECT_EQ(drawn, frame) << level << " " << seconds << " " << field;
            }
        }
    }
}

TEST_F(Game, ARecordsFileNamingNoLevelResumesAtTheNearestAndAFolderPlaysFromOne) {
    for (const auto& [header, level] :
         {std::pair{"10 0", 1}, {"1057", 56}, {"1099", 56}, {"10-3", 1}, {"10XX", 1}, {"", 1}}) {
        resetGameState();
        screenFrame.BackBuffer = frame.data();
        std::filesystem::remove_all(recordsFilePath());
        if (*header == '\0') std::filesystem::create_directory(recordsFilePath());  // can be neither read nor made
        else std::ofstream(recordsFilePath()) << header << std::string(896, '0');
        initialiseGame();
        EXPECT_EQ(gameState.maxLevel, level) << header;
        EXPECT_EQ(gameState.level, level) << header;
    }
    std::filesystem::remove_all(recordsFilePath());
}

TEST_F(Game, WithoutAFrameTheStartLoadsNothingButIsNoLongerPending) {
    screenFrame.BackBuffer = nullptr;
    renderFrame();
    EXPECT_EQ(gameState.initPending, 0u);
    EXPECT_EQ(gameState.level, 0);
    EXPECT_EQ(screenFrame.images[IMAGE_FONT], nullptr);
    EXPECT_FALSE(std::filesystem::exists(recordsFilePath()));
}

TEST_F(Game, ReplayingAnEarlierLevelNeverLowersTheLevelReached) {
    for (const auto& [screen, x, y] : {std::tuple{SCREEN_LEVEL_COMPLETE, 10, 10}, {SCREEN_NEW_RECORD, 104, 223}}) {
        playing(3, 9);
        gameState.screen = screen;
        stylusUp(x, y);
        EXPECT_EQ(gameState.level, 4);
        EXPECT_EQ(gameState.maxLevel, 9);
    }
}

TEST_F(Game, ACompletionAfterSolveIsNeverARecord) {
    playing(20, 20);
    gameState.tutorialSeen = 1;
    stylusUp(144, 310);  // SOLVE; HOME and PLAY keep the shown answer
    stylusUp(10, 310);
    stylusUp(200, 130);
    solveAllButOneAndLiftAt(10, 10);
    EXPECT_EQ(gameState.screen, SCREEN_LEVEL_COMPLETE);
    playing(21, 21);  // the next puzzle is the player's own again
    solveAllButOneAndLiftAt(10, 10);
    EXPECT_EQ(gameState.screen, SCREEN_NEW_RECORD);
}

TEST_F(Game, TheLiftThatSolvesTheLevelHoldsBackOnlyWhatWouldLeaveTheResult) {
    struct Lift {
        const char* over;
        int x, y, selectedTower;
        std::uint32_t soundOn;
        std::int32_t solutionShown;
    };
    for (const Lift& lift : {Lift{"HOME", 10, 310, KEPT, 0, 0}, Lift{"PREV", 100, 310, KEPT, 0, 0},
                             Lift{"RESET", 160, 310, KEPT, 0, 0}, Lift{"NEXT", 200, 310, KEPT, 0, 0},
                             Lift{"SOUND", 175, 310, KEPT, 1, 0}, Lift{"SOLVE", 144, 310, KEPT, 0, 1},
                             Lift{"tower 1", 20, 240, 0, 0, 0}, Lift{"tower 6", 220, 240, NO_TOWER, 0, 0},
                             Lift{"beside the panel", 70, 310, NO_TOWER, 0, 0}, Lift{"the board", 120, 120, KEPT, 0, 0}}) {
        SCOPED_TRACE(lift.over);
        playing(20, 25);
        gameState.soundOn = 0;
        gameState.levelSeconds = 30.0;
        solveAllButOneAndLiftAt(lift.x, lift.y);
        EXPECT_EQ(gameState.screen, SCREEN_NEW_RECORD);
        EXPECT_EQ(gameState.level, 20);
        EXPECT_EQ(gameState.levelSeconds, 30.0);
        EXPECT_TRUE(headless::timers().empty());  // the level clock stopped
        EXPECT_EQ(gameState.board.selectedTower, lift.selectedTower == KEPT ? gameState.board.solutionGrid[0] - 1 : lift.selectedTower);
        EXPECT_EQ(gameState.soundOn, lift.soundOn);
        EXPECT_EQ(gameState.solutionShown, lift.solutionShown);
    }
}

TEST_F(Game, APickFromAnEarlierBoardThatMissesThisOnePlacesNothing) {
    playing(56, 56);  // 6 x 6: screen cell (7, 7) is board cell (5, 5)
    gameState.board.selectedTower = 0;
    stylusDown(29 * 7 - 20, 29 * 7 - 20);
    playing(11, 11);  // 3 x 3: board cell (5, 5) does not exist
    const auto grid = gameState.board.playerGrid;
    stylusUp(10, 10);
    gameState.cellPicked = 1;  // and one above and left of the board
    gameState.board.hitColumn = 3;
    stylusUp(10, 10);
    EXPECT_EQ(gameState.board.playerGrid, grid);
}

TEST_F(Game, ScreensThatDoNotExistIgnoreEveryInputAndArePresentedAsTheyStand) {
    for (const std::uint32_t screen : {2u, 7u, 12u, 0xFFFFFFFFu}) {
        gameState.screen = screen;
        gameState.initPending = 0;
        gameState.cellPicked = 1;
        frame.assign(FRAME_PIXELS, 0x1234);
        const std::string before = sim::gameStateJson();
        for (const auto& [x, y] : {std::pair{200, 130}, {30, 310}, {210, 310}, {120, 150}, {50, 170}}) {
            stylusDown(x, y);
            stylusUp(x, y);
            tutorialNavigation(x, y);
        }
        drawTutorialPage();
        renderFrame();
        EXPECT_EQ(sim::gameStateJson(), before) << screen;
        EXPECT_EQ(headless::displayPixel(100, 100), 0x1234) << screen;
    }
}

// Each screen's summary, and the board in play between its viewpoints (numbered clockwise from the top
// left: top 1..W, right W+1.., bottom, left).
TEST_F(Game, EachScreenIsToldInWords) {
    initialiseGame();
    gameState.initPending = 0;
    playing(17, 17);
    gameState.levelSeconds = 83.0;
    for (const auto& [screen, summary] : {std::pair{SCREEN_HOME, "Home"}, {SCREEN_PLAY, "Level 17, 3 by 4"},
                                          {SCREEN_NEW_RECORD, "New best time 01:23 \u2014 enter your name"},
                                          {SCREEN_LEVEL_COMPLETE, "Level complete"},
                                          {SCREEN_TUTORIAL_CONTROLS, "Tutorial: Game controls"}}) {
        gameState.screen = screen;
        renderFrame();
        EXPECT_EQ(headless::lastAnnouncement().summary, summary);
    }
    EXPECT_EQ(headless::lastAnnouncement().board, "");
    playing(1, 1);
    gameState.board.columnCount = 2;
    gameState.board.rowCount = 1;
    gameState.board.viewpointClues = {0, 2, 1, 1, 1, 2, 2, 1};
    gameState.board.viewpointLit = {0, 1, 0, 0, 1, 0, 0, 1};
    gameState.board.playerGrid[0] = 1;
    gameState.board.playerGrid[GRID_SIDE] = PARK;
    gameState.board.selectedTower = 5;
    renderFrame();
    EXPECT_EQ(headless::lastAnnouncement().board,
              "Top: 2 lit, 1.\nRow 1, left 2: 1, park; right 1.\nBottom: 1 lit, 2.\nChosen tower: 5.");
    gameState.board.playerGrid[0] = 0;  // an empty cell is named as such
    renderFrame();
    EXPECT_NE(headless::lastAnnouncement().board.find("left 2: empty, park;"), std::string::npos);
}

}  // namespace
