// The visible count, the lighting of viewpoints, completion and the stylus hit test.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "game/game_state.h"
#include "puzzle/board.h"

namespace {

int count(std::vector<std::int32_t> line) { return countVisible(line); }

class BoardRules : public ::testing::Test {
protected:
    void SetUp() override { resetGameState(); }
    void TearDown() override { resetGameState(); }

    static void useBoard(int columns, int rows, int kinds) {
        gameState.columnCount = columns;
        gameState.rowCount = rows;
        gameState.towerKindCount = kinds;
    }
    // Places a kind as the stylus command does and judges the move.
    static std::uint32_t place(int column, int row, std::int32_t kind) {
        gameState.playerGrid[column * 6 + row] = kind;
        return evaluateMove(column, row);
    }
    static std::int32_t lit(int viewpoint) { return gameState.viewpointLit[viewpoint]; }
};

TEST(CountVisible, TallerTowersHideLowerOnes) {
    EXPECT_EQ(count({1, 2, 3, 4}), 4);
    EXPECT_EQ(count({4, 3, 2, 1}), 1);
    EXPECT_EQ(count({2, 1, 3, 1, 4}), 3);
    EXPECT_EQ(count({}), 0);
}

TEST(CountVisible, EqualHeightsHideEachOther) {
    EXPECT_EQ(count({3, 3, 3}), 1);
    EXPECT_EQ(count({2, 2, 2}), 1);
}

TEST(CountVisible, ParksAreNeitherSeenNorHide) {
    EXPECT_EQ(count({1, 5, 2}), 2);
    EXPECT_EQ(count({2, 5, 1}), 1);
    EXPECT_EQ(count({5, 5}), 0);
    EXPECT_EQ(count({5, 5, 5, 5, 5, 5}), 0);
    EXPECT_EQ(count({5, 1}), 1);
}

TEST(CountVisible, TheTallestTowerHidesEverythingButCountsOnce) {
    EXPECT_EQ(count({6, 5, 4}), 1);
    EXPECT_EQ(count({4, 5, 6}), 2);
    EXPECT_EQ(count({1, 2, 3, 4, 6}), 5);
    EXPECT_EQ(count({6, 6}), 1);
}

TEST(CountVisible, EmptyCellsNeverCount) { EXPECT_EQ(count({0, 1, 0, 2}), 2); }

TEST_F(BoardRules, OneByTwoBoardLightsRowThenColumnAndCompletes) {
    useBoard(1, 2, 2);
    // Hidden column (1, 2) from the top: top 2, right 1 1, bottom 1, left 1 1.
    gameState.viewpointClues = {0, 2, 1, 1, 1, 1, 1};
    EXPECT_EQ(place(0, 0, 1), 0u);
    EXPECT_EQ(lit(5), 1);  // left of row 0
    EXPECT_EQ(lit(2), 1);  // right of row 0
    EXPECT_EQ(lit(1), 0);  // column not full yet
    EXPECT_EQ(lit(4), 0);
    EXPECT_EQ(place(0, 1, 2), 1u);
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(lit(k), 1) << k;
}

TEST_F(BoardRules, WrongCountLeavesFullLineDark) {
    useBoard(1, 2, 2);
    gameState.viewpointClues = {0, 2, 1, 1, 1, 1, 1};
    place(0, 0, 2);
    EXPECT_EQ(place(0, 1, 1), 0u);
    EXPECT_EQ(lit(1), 0);  // from the top: 2 then 1 counts 1, clue 2
    EXPECT_EQ(lit(4), 0);  // from the bottom: 1 then 2 counts 2, clue 1
    EXPECT_EQ(lit(2), 1);
    EXPECT_EQ(lit(3), 1);
}

TEST_F(BoardRules, RowOfParksLightsClueZero) {
    useBoard(3, 1, 5);
    // viewpoints: top 1..3, right 4, bottom 5..7, left 8
    gameState.viewpointClues[4] = 0;
    gameState.viewpointClues[8] = 0;
    place(0, 0, 5);
    place(1, 0, 5);
    place(2, 0, 5);
    EXPECT_EQ(lit(4), 1);
    EXPECT_EQ(lit(8), 1);
}

TEST_F(BoardRules, ParkAndTallestTowerFromBothEnds) {
    useBoard(3, 1, 6);
    gameState.viewpointClues[8] = 1;  // left
    gameState.viewpointClues[4] = 2;  // right
    place(0, 0, 6);
    place(1, 0, 5);
    place(2, 0, 4);
    EXPECT_EQ(lit(8), 1);
    EXPECT_EQ(lit(4), 1);
}

TEST_F(BoardRules, EqualHeightsLightClueOneOnBothEnds) {
    useBoard(3, 1, 3);
    gameState.viewpointClues[8] = 1;
    gameState.viewpointClues[4] = 1;
    for (int x = 0; x < 3; ++x) place(x, 0, 2);
    EXPECT_EQ(lit(8), 1);
    EXPECT_EQ(lit(4), 1);
}

TEST_F(BoardRules, EmptyingACellUnlightsItsFourViewpoints) {
    useBoard(2, 2, 2);
    // Any filling with all ones: every line counts 1 from both ends.
    for (int k = 1; k <= 8; ++k) gameState.viewpointClues[k] = 1;
    std::uint32_t solved = 0;
    for (int x = 0; x < 2; ++x)
        for (int y = 0; y < 2; ++y) solved = place(x, y, 1);
    ASSERT_EQ(solved, 1u);
    EXPECT_EQ(place(1, 0, 0), 0u);
    // column 1: top 2, bottom 6; row 0: right 3, left 7
    EXPECT_EQ(lit(2), 0);
    EXPECT_EQ(lit(6), 0);
    EXPECT_EQ(lit(3), 0);
    EXPECT_EQ(lit(7), 0);
    EXPECT_EQ(lit(1), 1);
    EXPECT_EQ(lit(5), 1);
    EXPECT_EQ(lit(4), 1);
    EXPECT_EQ(lit(8), 1);
}

TEST_F(BoardRules, AnyArrangementMeetingTheCluesCompletes) {
    useBoard(2, 2, 3);
    // Hidden (columns): (1,2) (2,1). Clues: top 2,1; right 1,2; bottom 1,2; left 2,1.
    gameState.solutionGrid[0] = 1;
    gameState.solutionGrid[1] = 2;
    gameState.solutionGrid[6] = 2;
    gameState.solutionGrid[7] = 1;
    gameState.viewpointClues = {0, 2, 1, 1, 2, 1, 2, 2, 1};
    // Another filling with the same counts: (1,3) (3,1).
    place(0, 0, 1);
    place(0, 1, 3);
    place(1, 0, 3);
    EXPECT_EQ(place(1, 1, 1), 1u);
    EXPECT_NE(gameState.playerGrid, gameState.solutionGrid);
}

TEST_F(BoardRules, ResultScansEveryViewpointNotOnlyTheJudgedOnes) {
    useBoard(2, 2, 2);
    for (int k = 1; k <= 8; ++k) gameState.viewpointClues[k] = 1;
    for (int x = 0; x < 2; ++x)
        for (int y = 0; y < 2; ++y) place(x, y, 1);
    gameState.viewpointLit[5] = 0;  // a viewpoint of another line
    EXPECT_EQ(evaluateMove(1, 0), 0u);
    gameState.viewpointLit[5] = 1;
    EXPECT_EQ(evaluateMove(1, 0), 1u);
}

TEST_F(BoardRules, OnlyTheChangedRowAndColumnAreJudged) {
    useBoard(2, 2, 2);
    for (int k = 1; k <= 8; ++k) gameState.viewpointClues[k] = 1;
    gameState.viewpointLit[4] = 1;  // bottom of column 0, stale
    gameState.playerGrid[6] = 1;    // cell (1, 0)
    evaluateMove(1, 0);
    EXPECT_EQ(gameState.viewpointLit[4], 1);
}

TEST_F(BoardRules, BadCellsAndSizesTouchNothingOutsideTheBoard) {
    useBoard(6, 6, 6);
    for (int k = 1; k <= 24; ++k) gameState.viewpointClues[k] = 1;
    EXPECT_EQ(evaluateMove(-1, 6), 0u);
    EXPECT_EQ(evaluateMove(100, -100), 0u);
    useBoard(0, 0, 0);
    EXPECT_EQ(evaluateMove(0, 0), 0u);
    useBoard(7, 9, 6);
    EXPECT_EQ(evaluateMove(6, 8), 0u);
    for (std::int32_t flag : gameState.viewpointLit) EXPECT_EQ(flag, 0);
}

TEST_F(BoardRules, HitTestMapsScreenCellsAndTruncatesTowardZero) {
    std::int32_t left = 0, top = 0, column = 0, row = 0;
    hitTestBoard(163, 191, left, top, column, row);
    EXPECT_EQ(column, 6);
    EXPECT_EQ(row, 7);
    EXPECT_EQ(left, 149);
    EXPECT_EQ(top, 178);
    hitTestBoard(1, -20, left, top, column, row);
    EXPECT_EQ(column, 1);  // (1 - 4) / 29 is 0
    EXPECT_EQ(left, 4);
    EXPECT_EQ(row, 1);
    hitTestBoard(-40, 4, left, top, column, row);
    EXPECT_EQ(column, 0);
    EXPECT_EQ(left, -25);
    EXPECT_EQ(row, 1);
}

TEST_F(BoardRules, PointsFarOffTheScreenMissTheBoard) {
    gameState.boardLeft = 32;
    gameState.boardTop = 32;
    gameState.boardRight = 206;
    gameState.boardBottom = 206;
    std::int32_t left = 0, top = 0, column = 0, row = 0;
    EXPECT_EQ(hitTestBoard(INT32_MIN, INT32_MAX, left, top, column, row), 0u);
    EXPECT_EQ(column, (INT32_MIN - 4ll) / 29 + 1);
    EXPECT_EQ(row, (INT32_MAX - 4ll) / 29 + 1);
}

TEST_F(BoardRules, GridLinesBelongToTheCellLeftOrAbove) {
    std::int32_t left = 0, top = 0, column = 0, row = 0;
    hitTestBoard(32, 61, left, top, column, row);  // lines at 32 and 61
    EXPECT_EQ(column, 1);
    EXPECT_EQ(row, 2);
    hitTestBoard(33, 62, left, top, column, row);
    EXPECT_EQ(column, 2);
    EXPECT_EQ(row, 3);
    EXPECT_EQ(left, 33);
    EXPECT_EQ(top, 62);
}

TEST_F(BoardRules, InsideMeansStrictlyBetweenTheOuterLines) {
    // Level 56 board: lines 32..206 both ways; board column 0 is screen column 2.
    gameState.boardLeft = 32;
    gameState.boardTop = 32;
    gameState.boardRight = 206;
    gameState.boardBottom = 206;
    std::int32_t left = 0, top = 0, column = 0, row = 0;
    EXPECT_EQ(hitTestBoard(32, 100, left, top, column, row), 0u);
    EXPECT_EQ(hitTestBoard(33, 100, left, top, column, row), 1u);
    EXPECT_EQ(column, 2);
    EXPECT_EQ(hitTestBoard(206, 100, left, top, column, row), 0u);
    EXPECT_EQ(hitTestBoard(205, 100, left, top, column, row), 1u);
    EXPECT_EQ(column - 2, 5);
    EXPECT_EQ(hitTestBoard(100, 32, left, top, column, row), 0u);
    EXPECT_EQ(hitTestBoard(100, 33, left, top, column, row), 1u);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(hitTestBoard(100, 206, left, top, column, row), 0u);
    EXPECT_EQ(hitTestBoard(100, 205, left, top, column, row), 1u);
    EXPECT_EQ(row - 2, 5);
    // Outputs are written even when the point misses the board.
    hitTestBoard(230, 300, left, top, column, row);
    EXPECT_EQ(column, 8);
    EXPECT_EQ(row, 11);
}

}  // namespace
