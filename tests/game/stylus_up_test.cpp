// Stylus-up: the command of the control under the lift point, screen by screen.
#include <algorithm>
#include <array>
#include <string>
#include <tuple>

#include "game/stylus.h"
#include "game_fixture.h"
#include "puzzle/board.h"

namespace {

constexpr int BOARD_INSIDE_X = 120, BOARD_INSIDE_Y = 120;

class StylusUp : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        openWindow();
        ensureRecordsFile();
        loadRecords();
        gameState.soundOn = 0;
    }

    static bool clockRuns() { return timerRuns(TIMER_CLOCK) && timerRuns(TIMER_RECORD_TOGGLE); }
    static bool clockStopped() { return !timerRuns(TIMER_CLOCK) && !timerRuns(TIMER_RECORD_TOGGLE); }

    // The board bounds that the last frame's drawing would have left for the level in play.
    static void recordBoardBounds() {
        gameState.boardLeft = 29 * gameState.boardColumnOffset - 26;
        gameState.boardTop = 29 * gameState.boardRowOffset - 26;
        gameState.boardRight = gameState.boardLeft + 29 * gameState.columnCount;
        gameState.boardBottom = gameState.boardTop + 29 * gameState.rowCount;
    }

    // Level `level` in play with its clock running, as PLAY leaves it.
    static void playing(std::int32_t level, std::int32_t maxLevel) {
        playLevel(level, maxLevel);
        recordBoardBounds();
        startClockTimers();
    }

    // A tap: down on the board cell (column, row), up at (x, y).
    static void pickCellAndLiftAt(int column, int row, int x, int y) {
        const int cellX = 29 * (gameState.boardColumnOffset + column) - 20;
        const int cellY = 29 * (gameState.boardRowOffset + row) - 20;
        stylusDown(cellX, cellY);
        ASSERT_EQ(gameState.cellPicked, 1);
        stylusUp(x, y);
    }
    static void tapCell(int column, int row) {
        pickCellAndLiftAt(column, row, 29 * (gameState.boardColumnOffset + column) - 20,
                          29 * (gameState.boardRowOffset + row) - 20);
    }

    static std::int32_t cell(int column, int row) { return gameState.playerGrid[column * GRID_SIDE + row]; }

    // The answer placed by hand (not by SOLVE) but for cell (0, 0), with its tower kind chosen.
    static void solveAllButOne() {
        gameState.playerGrid = gameState.solutionGrid;
        gameState.playerGrid[0] = 0;
        gameState.selectedTower = gameState.solutionGrid[0] - 1;
        for (int column = 0; column < gameState.columnCount; ++column) evaluateMove(column, 0);
        for (int row = 0; row < gameState.rowCount; ++row) evaluateMove(0, row);
    }
};

// ---- Home menu -----------------------------------------------------------------------------------

TEST_F(StylusUp, PlayResumesTheLevelAsItWasLeft) {
    playLevel(5, 9);
    gameState.screen = SCREEN_HOME;
    gameState.tutorialSeen = 1;
    gameState.levelSeconds = 42.0;
    gameState.playerGrid[1] = 2;
    gameState.playPressed = 1;
    stylusUp(200, 130);
    EXPECT_EQ(gameState.screen, SCREEN_PLAY);
    EXPECT_TRUE(clockRuns());
    EXPECT_EQ(gameState.levelSeconds, 42.0);
    EXPECT_EQ(gameState.playerGrid[1], 2);
    EXPECT_EQ(gameState.level, 5);
    EXPECT_EQ(gameState.playPressed, 0);
}

TEST_F(StylusUp, FirstPlayOpensTheTutorialAndRemembersIt) {
    gameState.screen = SCREEN_HOME;
    gameState.tutorialPageDone.fill(1);
    gameState.tutorialStep.fill(1);
    gameState.tutorialTick = 77;
    stylusUp(200, 130);
    EXPECT_EQ(gameState.screen, SCREEN_TUTORIAL_INTRO);
    EXPECT_EQ(gameState.tutorialSeen, 1);
    EXPECT_EQ(recordsFile()[1], '1');
    EXPECT_EQ(gameState.tutorialTick, 0);
    for (const std::int32_t flag : gameState.tutorialPageDone) EXPECT_EQ(flag, 0);
    for (const std::int32_t flag : gameState.tutorialStep) EXPECT_EQ(flag, 0);
    EXPECT_TRUE(clockStopped());
}

TEST_F(StylusUp, AnOddTutorialFlagSendsPlayToTheTutorialWithoutSaving) {
    gameState.screen = SCREEN_HOME;
    gameState.tutorialSeen = 2;
    const std::string before = recordsFile();
    stylusUp(200, 130);
    EXPECT_EQ(gameState.screen, SCREEN_TUTORIAL_INTRO);
    EXPECT_EQ(gameState.tutorialSeen, 2);
    EXPECT_EQ(recordsFile(), before);
}

TEST_F(StylusUp, SharedMenuRowsGoToTheUpperButton) {
    gameState.tutorialSeen = 1;
    gameState.screen = SCREEN_HOME;
    stylusUp(240, 156);
    EXPECT_EQ(gameState.screen, SCREEN_PLAY);

    gameState.screen = SCREEN_HOME;
    stylusUp(240, 191);  // HELP, not QUIT
    EXPECT_EQ(gameState.screen, SCREEN_TUTORIAL_INTRO);

    gameState.screen = SCREEN_HOME;
    stylusUp(132, 226);
    EXPECT_EQ(gameState.screen, SCREEN_CREDITS);
}

TEST_F(StylusUp, HelpAlwaysOpensTheTutorial) {
    gameState.screen = SCREEN_HOME;
    gameState.tutorialSeen = 1;
    const std::string before = recordsFile();
    stylusUp(180, 170);
    EXPECT_EQ(gameState.screen, SCREEN_TUTORIAL_INTRO);
    EXPECT_EQ(recordsFile(), before);
    gameState.screen = SCREEN_HOME;
    gameState.tutorialSeen = 0;
    stylusUp(180, 170);
    EXPECT_EQ(gameState.tutorialSeen, 1);
    EXPECT_EQ(recordsFile()[1], '1');
}

TEST_F(StylusUp, ALiftOffTheMenuOnlyReleasesTheButtons) {
    gameState.screen = SCREEN_HOME;
    gameState.playPressed = gameState.helpPressed = gameState.quitPressed = 1;
    stylusUp(131, 130);
    EXPECT_EQ(gameState.screen, SCREEN_HOME);
    EXPECT_EQ(gameState.playPressed + gameState.helpPressed + gameState.quitPressed, 0);
}

TEST_F(StylusUp, QuitShowsTheCreditsAndATapThereClosesTheWindow) {
    gameState.screen = SCREEN_HOME;
    stylusUp(200, 200);
    EXPECT_EQ(gameState.screen, SCREEN_CREDITS);
    messagesSent().clear();
    stylusUp(10, 10);
    ASSERT_GE(messagesSent().size(), 3u);
    EXPECT_EQ(messagesSent()[0], platform::Message::Activate);
    EXPECT_EQ(messagesSent()[1], platform::Message::Close);
    EXPECT_EQ(messagesSent()[2], platform::Message::Destroy);
    EXPECT_FALSE(headless::windowExists());
}

// ---- Play screen: placing towers -----------------------------------------------------------------

TEST_F(StylusUp, ATapOnACellPlacesTheChosenTower) {
    playing(11, 11);
    stylusUp(100, 240);  // tower button 2
    EXPECT_EQ(gameState.selectedTower, 2);
    tapCell(1, 2);
    EXPECT_EQ(cell(1, 2), 3);
    EXPECT_EQ(gameState.cellPicked, 0);
    EXPECT_EQ(gameState.screen, SCREEN_PLAY);
}

TEST_F(StylusUp, ATapWithNoTowerChosenEmptiesTheCell) {
    playing(11, 11);
    gameState.playerGrid[1 * GRID_SIDE + 2] = 3;
    ASSERT_EQ(gameState.selectedTower, NO_TOWER);
    tapCell(1, 2);
    EXPECT_EQ(cell(1, 2), 0);
    tapCell(0, 0);  // an empty cell emptied again
    EXPECT_EQ(cell(0, 0), 0);
}

TEST_F(StylusUp, ATowerButtonBeyondTheLevelsKindsUnselects) {
    playing(11, 11);  // three kinds
    ASSERT_EQ(gameState.towerKindCount, 3);
    stylusUp(20, 222);
    EXPECT_EQ(gameState.selectedTower, 0);
    stylusUp(121, 269);  // the fourth button
    EXPECT_EQ(gameState.selectedTower, NO_TOWER);
    gameState.playerGrid[0] = 2;
    tapCell(0, 0);
    EXPECT_EQ(cell(0, 0), 0);
}

TEST_F(StylusUp, TapsOutsideEveryControlAndTheBoardUnselect) {
    playing(11, 11);
    for (const auto& [x, y] : {std::pair{66, 310}, {80, 301}, {237, 310}, {240, 320}, {10, 10}, {120, 280}}) {
        gameState.selectedTower = 1;
        stylusUp(x, y);
        EXPECT_EQ(gameState.selectedTower, NO_TOWER) << x << ',' << y;
        EXPECT_EQ(gameState.screen, SCREEN_PLAY);
    }
}

TEST_F(StylusUp, ALiftInsideTheBoardWithoutAPickChangesNothing) {
    playing(11, 11);
    gameState.selectedTower = 1;
    stylusDown(10, 10);
    stylusUp(BOARD_INSIDE_X, BOARD_INSIDE_Y);
    EXPECT_EQ(gameState.selectedTower, 1);
    for (const std::int32_t value : gameState.playerGrid) EXPECT_EQ(value, 0);
    // The board's own grid line is not inside it.
    stylusUp(gameState.boardLeft, BOARD_INSIDE_Y);
    EXPECT_EQ(gameState.selectedTower, NO_TOWER);
}

TEST_F(StylusUp, APickLiftedOverAPanelButtonPlacesAndRunsTheButton) {
    playing(11, 11);
    gameState.selectedTower = 1;
    gameState.levelSeconds = 17.0;
    pickCellAndLiftAt(2, 1, 30, 310);  // HOME
    EXPECT_EQ(cell(2, 1), 2);
    EXPECT_EQ(gameState.screen, SCREEN_HOME);
    EXPECT_TRUE(clockStopped());
    EXPECT_EQ(gameState.levelSeconds, 17.0);
}

TEST_F(StylusUp, APickFromAnEarlierBoardThatMissesThisOnePlacesNothing) {
    playing(56, 56);  // 6 x 6 at offsets (2, 2)
    gameState.selectedTower = 0;
    stylusDown(29 * 7 - 20, 29 * 7 - 20);  // screen cell (7, 7): board cell (5, 5)
    ASSERT_EQ(gameState.cellPicked, 1);
    playLevel(11, 11);  // 3 x 3 at offsets (4, 4): board cell (3, 3) does not exist
    gameState.viewpointLit.fill(1);
    const auto gridBefore = gameState.playerGrid;
    stylusUp(10, 10);
    EXPECT_EQ(gameState.playerGrid, gridBefore);
    EXPECT_EQ(gameState.cellPicked, 0);
    for (int k = 1; k <= 12; ++k) EXPECT_EQ(gameState.viewpointLit[k], 1) << k;  // nothing re-judged
    EXPECT_EQ(gameState.screen, SCREEN_PLAY);

    // Above and left of the board as well.
    gameState.cellPicked = 1;
    gameState.hitColumn = 3;
    gameState.hitRow = 4;
    stylusUp(10, 10);
    EXPECT_EQ(gameState.playerGrid, gridBefore);
}

// ---- Play screen: completing a level -------------------------------------------------------------

TEST_F(StylusUp, SolveShowsTheAnswerWithoutEndingTheLevel) {
    playing(20, 20);
    gameState.levelSeconds = 30.0;
    stylusUp(144, 310);
    for (int column = 0; column < gameState.columnCount; ++column) {
        for (int row = 0; row < gameState.rowCount; ++row) {
            EXPECT_EQ(cell(column, row), gameState.solutionGrid[column * GRID_SIDE + row]);
        }
    }
    const int viewpoints = 2 * (gameState.columnCount + gameState.rowCount);
    for (int k = 1; k <= viewpoints; ++k) EXPECT_EQ(gameState.viewpointLit[k], 1);
    EXPECT_EQ(gameState.viewpointLit[viewpoints + 1], 0);
    EXPECT_EQ(gameState.screen, SCREEN_PLAY);
    EXPECT_TRUE(clockRuns());
}

TEST_F(StylusUp, APlacementThatKeepsTheShownSolutionCompletesTheLevelWithoutARecord) {
    playing(20, 20);
    gameState.tutorialSeen = 1;
    gameState.levelSeconds = 30.0;  // no record stored yet
    stylusUp(144, 310);             // SOLVE
    stylusUp(10, 310);              // HOME and PLAY keep the puzzle and its shown answer
    stylusUp(200, 130);
    gameState.selectedTower = gameState.solutionGrid[GRID_SIDE + 1] - 1;
    tapCell(1, 1);
    EXPECT_EQ(gameState.screen, SCREEN_LEVEL_COMPLETE);
    EXPECT_TRUE(clockStopped());
    EXPECT_EQ(gameState.levelSeconds, 30.0);
    stylusUp(10, 10);
    EXPECT_STREQ(gameState.recordTimes[20].data(), "       0");
    EXPECT_STREQ(gameState.recordNames[20].data(), "--------");
    EXPECT_EQ(gameState.maxLevel, 21);

    recordBoardBounds();  // the next puzzle is the player's own again
    solveAllButOne();
    tapCell(0, 0);
    EXPECT_EQ(gameState.screen, SCREEN_NEW_RECORD);
}

TEST_F(StylusUp, ASolveThatIsNoFasterShowsLevelComplete) {
    playing(20, 20);
    std::snprintf(gameState.recordTimes[20].data(), RECORD_TEXT_SIZE, "%8i", 83);
    gameState.levelSeconds = 83.0;
    solveAllButOne();
    tapCell(0, 0);
    EXPECT_EQ(gameState.screen, SCREEN_LEVEL_COMPLETE);

    playing(20, 20);
    gameState.levelSeconds = 82.0;
    solveAllButOne();
    tapCell(0, 0);
    EXPECT_EQ(gameState.screen, SCREEN_NEW_RECORD);
}

TEST_F(StylusUp, TheLiftThatSolvesTheLevelHoldsBackOnlyWhatWouldLeaveTheResult) {
    constexpr int KEPT = -1;
    struct Lift {
        const char* over;
        int x, y;
        int selectedTower;
        std::uint32_t soundOn;
        std::int32_t solutionShown;
    };
    for (const Lift& lift : {Lift{"HOME", 10, 310, KEPT, 0, 0}, Lift{"PREV", 100, 310, KEPT, 0, 0},
                             Lift{"RESET", 160, 310, KEPT, 0, 0}, Lift{"NEXT", 200, 310, KEPT, 0, 0},
                             Lift{"SOUND", 175, 310, KEPT, 1, 0}, Lift{"SOLVE", 144, 310, KEPT, 0, 1},
                             Lift{"tower 1", 20, 240, 0, 0, 0}, Lift{"tower 6", 220, 240, NO_TOWER, 0, 0},
                             Lift{"beside the panel", 70, 310, NO_TOWER, 0, 0},
                             Lift{"the board", BOARD_INSIDE_X, BOARD_INSIDE_Y, KEPT, 0, 0}}) {
        SCOPED_TRACE(lift.over);
        playing(20, 25);
        gameState.soundOn = 0;
        gameState.levelSeconds = 30.0;
        solveAllButOne();
        const int chosen = gameState.selectedTower;
        pickCellAndLiftAt(0, 0, lift.x, lift.y);
        EXPECT_EQ(gameState.screen, SCREEN_NEW_RECORD);
        EXPECT_EQ(gameState.level, 20);
        EXPECT_EQ(gameState.levelSeconds, 30.0);
        EXPECT_TRUE(clockStopped());
        EXPECT_EQ(gameState.selectedTower, lift.selectedTower == KEPT ? chosen : lift.selectedTower);
        EXPECT_EQ(gameState.soundOn, lift.soundOn);
        EXPECT_EQ(gameState.solutionShown, lift.solutionShown);
    }
}

// ---- Play screen: the control panel --------------------------------------------------------------

TEST_F(StylusUp, PrevAndNextAtTheirLimitsChangeNothing) {
    playing(1, 1);
    gameState.levelSeconds = 12.0;
    gameState.playerGrid[0] = 1;
    stylusUp(100, 310);
    stylusUp(200, 310);
    EXPECT_EQ(gameState.level, 1);
    EXPECT_EQ(gameState.levelSeconds, 12.0);
    EXPECT_EQ(gameState.playerGrid[0], 1);
    EXPECT_TRUE(clockRuns());
}

TEST_F(StylusUp, PrevNextAndResetStartAFreshPuzzleWithTheClockRunning) {
    playing(3, 5);
    gameState.levelSeconds = 12.0;
    stylusUp(81, 301);  // PREV
    EXPECT_EQ(gameState.level, 2);
    EXPECT_EQ(gameState.levelSeconds, 0.0);
    EXPECT_TRUE(clockRuns());

    gameState.levelSeconds = 12.0;
    stylusUp(236, 320);  // NEXT
    stylusUp(236, 320);
    EXPECT_EQ(gameState.level, 4);
    EXPECT_EQ(gameState.levelSeconds, 0.0);

    gameState.levelSeconds = 12.0;
    gameState.playerGrid[0] = 2;
    gameState.viewpointLit[1] = 1;
    stylusUp(160, 310);  // RESET
    EXPECT_EQ(gameState.level, 4);
    EXPECT_EQ(gameState.levelSeconds, 0.0);
    EXPECT_EQ(gameState.playerGrid[0], 0);
    EXPECT_EQ(gameState.viewpointLit[1], 0);
    EXPECT_TRUE(clockRuns());
}

TEST_F(StylusUp, SoundTogglesTheSettingAndSavesIt) {
    playing(4, 4);
    stylusUp(175, 310);
    EXPECT_EQ(gameState.soundOn, 1u);
    EXPECT_EQ(recordsFile()[0], '1');
    stylusUp(175, 310);
    EXPECT_EQ(gameState.soundOn, 0u);
    EXPECT_EQ(recordsFile()[0], '0');
}

TEST_F(StylusUp, HomeStopsTheClockAndPlayCarriesItOn) {
    playing(4, 4);
    gameState.tutorialSeen = 1;
    headless::advance(5000);
    EXPECT_EQ(gameState.levelSeconds, 5.0);
    stylusUp(10, 310);
    EXPECT_EQ(gameState.screen, SCREEN_HOME);
    headless::advance(5000);
    EXPECT_EQ(gameState.levelSeconds, 5.0);
    stylusUp(200, 130);
    headless::advance(2000);
    EXPECT_EQ(gameState.levelSeconds, 7.0);

    stylusUp(160, 310);  // RESET
    EXPECT_EQ(gameState.levelSeconds, 0.0);
    headless::advance(1000);
    EXPECT_EQ(gameState.levelSeconds, 1.0);
}

TEST_F(StylusUp, EveryLiftReleasesThePanelButtons) {
    playing(4, 4);
    for (const auto& [x, y] : {std::pair{100, 310}, {20, 240}, {BOARD_INSIDE_X, BOARD_INSIDE_Y}, {70, 310}}) {
        for (const auto flag : {&GameState::homePressed, &GameState::prevPressed, &GameState::solvePressed,
                                &GameState::resetPressed, &GameState::soundPressed, &GameState::nextPressed}) {
            gameState.*flag = 1;
        }
        stylusUp(x, y);
        EXPECT_EQ(gameState.homePressed + gameState.prevPressed + gameState.solvePressed + gameState.resetPressed +
                      gameState.soundPressed + gameState.nextPressed,
                  0);
    }
}

// ---- The result screens --------------------------------------------------------------------------

TEST_F(StylusUp, OkStoresTheNameAndTimeAndStartsTheNextLevel) {
    playLevel(7, 7);
    gameState.screen = SCREEN_NEW_RECORD;
    gameState.keyHeld = 1;
    gameState.levelSeconds = 83.0;
    std::snprintf(gameState.nameEntry.data(), RECORD_TEXT_SIZE, "%s", "ANN");
    stylusUp(104, 223);
    EXPECT_STREQ(gameState.recordNames[7].data(), "     ANN");
    EXPECT_STREQ(gameState.recordTimes[7].data(), "      83");
    EXPECT_EQ(gameState.level, 8);
    EXPECT_EQ(gameState.maxLevel, 8);
    EXPECT_EQ(gameState.screen, SCREEN_PLAY);
    EXPECT_EQ(gameState.levelSeconds, 0.0);
    EXPECT_EQ(gameState.keyHeld, 0);
    EXPECT_TRUE(clockRuns());
    EXPECT_STREQ(gameState.nameEntry.data(), "ANN");  // offered again next time
    const std::string file = recordsFile();
    ASSERT_EQ(file.size(), 900u);
    EXPECT_EQ(file.substr(2, 2), " 8");
    EXPECT_EQ(file.substr(4 + 16 * 6, 16), "     ANN      83");
}

TEST_F(StylusUp, AnEmptyNameIsStoredAsSpaces) {
    playLevel(2, 2);
    gameState.screen = SCREEN_NEW_RECORD;
    gameState.levelSeconds = 5.0;
    stylusUp(137, 248);
    EXPECT_STREQ(gameState.recordNames[2].data(), "        ");
    EXPECT_STREQ(gameState.recordTimes[2].data(), "       5");
}

TEST_F(StylusUp, ATapBesideOkOnlyReleasesTheKey) {
    playLevel(2, 2);
    gameState.screen = SCREEN_NEW_RECORD;
    gameState.keyHeld = 1;
    stylusUp(103, 223);
    stylusUp(138, 248);
    EXPECT_EQ(gameState.keyHeld, 0);
    EXPECT_EQ(gameState.screen, SCREEN_NEW_RECORD);
    EXPECT_STREQ(gameState.recordNames[2].data(), "--------");
}

TEST_F(StylusUp, SolvingAnEarlierLevelMovesOnAndKeepsTheLevelReached) {
    for (const auto& [screen, x, y] : {std::tuple{SCREEN_LEVEL_COMPLETE, 10, 10}, {SCREEN_NEW_RECORD, 104, 223}}) {
        playLevel(3, 9);  // replaying an earlier level
        gameState.screen = screen;
        stylusUp(x, y);
        EXPECT_EQ(gameState.level, 4);
        EXPECT_EQ(gameState.maxLevel, 9);
        EXPECT_EQ(gameState.screen, SCREEN_PLAY);
        EXPECT_TRUE(clockRuns());
        // Only the record dialog saves, and what it saves is the level reached.
        EXPECT_EQ(recordsFile().substr(2, 2), screen == SCREEN_NEW_RECORD ? " 9" : " 1");
    }
}

TEST_F(StylusUp, TheLastLevelEndsTheGameAndGoesHomeStillOnIt) {
    playLevel(56, 56);
    gameState.screen = SCREEN_LEVEL_COMPLETE;
    stylusUp(10, 10);
    EXPECT_EQ(gameState.screen, SCREEN_GAME_COMPLETE);
    EXPECT_EQ(gameState.level, 56);
    stylusUp(10, 10);
    EXPECT_EQ(gameState.screen, SCREEN_HOME);
    EXPECT_EQ(gameState.level, 56);
    EXPECT_EQ(gameState.maxLevel, 56);

    playLevel(56, 56);
    gameState.screen = SCREEN_NEW_RECORD;
    gameState.levelSeconds = 600.0;
    stylusUp(120, 235);
    EXPECT_EQ(gameState.screen, SCREEN_GAME_COMPLETE);
    EXPECT_EQ(gameState.level, 56);
    EXPECT_EQ(recordsFile().substr(4 + 16 * 55 + 8, 8), "     600");
    EXPECT_TRUE(clockStopped());
}

TEST_F(StylusUp, UnknownScreensIgnoreTheLift) {
    for (const std::uint32_t screen : {2u, 7u, 12u, 0xFFFFFFFFu}) {
        gameState.screen = screen;
        gameState.cellPicked = 1;
        stylusUp(30, 310);
        EXPECT_EQ(gameState.screen, screen);
        EXPECT_EQ(gameState.cellPicked, 1);
    }
}

}  // namespace
