// What the recorded trails cannot carry: faults once mended (the tutorial's among them), input no player
// can give, and the words a screen reader is told.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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
        for (int line = 0; line < std::max(gameState.board.columnCount, gameState.board.rowCount); ++line)
            evaluateMove(gameState.board, line, line);
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

// The clock in the status line is formatted by hand every frame; it must read as printf's "%8.8s" of
// "MM:SS" (at least two digits a side) wrote it, also where no trail goes: many hours on, before 0, and
// from 10000 minutes (or no number) the widest clock that fits. The stored fields beside it, and where
// each field is drawn, are the trails' (every level 1 to 56, stored times that read as NAN, INF or below 0).
TEST_F(Game, TheStatusLineClockReadsAsPrintfWroteItAtItsLimits) {
    for (const auto& [seconds, shown] :
         {std::pair{-61.0, "   -1:-1"}, {-3600.0, "  -60:00"}, {36000.0, "  600:00"}, {599940.0, " 9999:00"},
          {599999.0, " 9999:59"}, {600000.0, " 9999:59"}, {-599999.0, "-9999:-5"}, {-600000.0, " 9999:59"},
          {1.0e300, " 9999:59"}, {std::nan(""), " 9999:59"}}) {
        formatClock(seconds);
        EXPECT_STREQ(gameState.statusText.data(), shown) << seconds;
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
        EXPECT_EQ(std::pair(gameState.maxLevel, gameState.level), std::pair(level, level)) << header;
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

// The tutorial's demonstration starts the level clock; the clock once ran on into the home menu.
TEST_F(Game, TheTutorialsHomeLinkAlwaysStopsTheClockAndOffersTheLevelReached) {
    constexpr int LINKS_Y = 310, HOME_X = 30;
    constexpr int PAGE_LINK_X[] = {200, 215, 230};
    for (const int via : {-1, 0, 1, 2}) {
        gameState.level = 3;
        gameState.maxLevel = 9;
        gameState.screen = SCREEN_TUTORIAL_INTRO;
        tutorialNavigation(PAGE_LINK_X[1], LINKS_Y);
        if (via >= 0) tutorialNavigation(PAGE_LINK_X[via], LINKS_Y);
        tutorialNavigation(HOME_X, LINKS_Y);
        EXPECT_EQ(gameState.screen, SCREEN_HOME) << via;
        EXPECT_EQ(gameState.level, 9) << via;
        EXPECT_EQ(gameState.levelSeconds, 0.0) << via;
        for (const headless::TimerInfo& timer : headless::timers()) EXPECT_NE(timer.id, TIMER_CLOCK) << via;
    }
}

TEST_F(Game, TheTutorialsAnimationNeverWritesOutsideAnotherBoard) {
    // A 6 x 6 board one screen cell in, on which only the last probe falls inside.
    loadImages(screenFrame);
    gameState.screen = SCREEN_TUTORIAL_PLAYING;
    gameState.board.columnCount = gameState.board.rowCount = 6;
    gameState.board.towerKindCount = 3;
    gameState.board.boardColumnOffset = gameState.board.boardRowOffset = 1;
    gameState.board.solutionGrid.fill(7);
    while (gameState.tutorialTick < 900) drawTutorialPage();
    for (std::size_t cell = 0; cell + 1 < gameState.board.playerGrid.size(); ++cell) EXPECT_EQ(gameState.board.playerGrid[cell], 0);
    EXPECT_EQ(gameState.board.playerGrid.back(), 2);
    for (const std::int32_t cell : gameState.board.solutionGrid) EXPECT_EQ(cell, 7);
}

}  // namespace
