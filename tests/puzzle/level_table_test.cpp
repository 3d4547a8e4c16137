// The level table against the level rows as the game's design lists them.
#include <gtest/gtest.h>

#include <initializer_list>
#include <map>

#include "game/game_state.h"
#include "puzzle/level_table.h"

namespace {

struct Row {
    std::initializer_list<int> levels;
    int kinds, columns, rows, columnOffset, rowOffset;
};

// Written out row by row from the design, apart from the table in the game.
const Row DESIGN_ROWS[] = {
    {{1, 2}, 2, 1, 2, 4, 4},         {{3, 4}, 2, 2, 2, 4, 4},         {{5}, 2, 3, 2, 4, 4},
    {{6}, 2, 3, 2, 3, 4},            {{7}, 3, 2, 3, 4, 3},            {{8}, 3, 3, 2, 4, 4},
    {{9}, 3, 2, 3, 4, 4},            {{10}, 3, 3, 2, 3, 4},           {{11, 12}, 3, 3, 3, 4, 4},
    {{13, 15}, 3, 4, 2, 3, 4},       {{14, 16}, 3, 2, 4, 4, 3},       {{17, 19}, 3, 3, 4, 3, 3},
    {{18, 20}, 3, 4, 3, 3, 4},       {{21, 22}, 3, 4, 4, 3, 3},       {{23, 25}, 3, 5, 2, 2, 4},
    {{24, 26}, 3, 2, 5, 4, 2},       {{27, 29}, 3, 3, 5, 3, 2},       {{28, 30}, 3, 5, 3, 2, 3},
    {{31, 33}, 4, 3, 5, 3, 2},       {{32, 34}, 4, 5, 3, 2, 3},       {{35, 37}, 4, 4, 5, 3, 2},
    {{36, 38}, 4, 5, 4, 2, 3},       {{39}, 4, 5, 5, 2, 2},           {{40, 42}, 5, 4, 5, 3, 2},
    {{41, 43}, 5, 5, 4, 2, 3},       {{44}, 5, 5, 5, 2, 2},           {{45, 47}, 5, 5, 6, 2, 2},
    {{46, 48}, 5, 6, 5, 2, 2},       {{49, 51}, 6, 5, 6, 2, 2},       {{50, 52}, 6, 6, 5, 2, 2},
    {{53, 54, 55, 56}, 6, 6, 6, 2, 2},
};

class LevelTable : public ::testing::Test {
protected:
    void SetUp() override { resetGameState(); }
    void TearDown() override { resetGameState(); }
};

TEST_F(LevelTable, EveryLevelMatchesItsDesignRow) {
    std::map<int, int> seen;
    for (const Row& row : DESIGN_ROWS) {
        for (int level : row.levels) {
            ++seen[level];
            gameState.selectedTower = 2;
            setupLevel(static_cast<std::uint32_t>(level));
            SCOPED_TRACE(level);
            EXPECT_EQ(gameState.towerKindCount, row.kinds);
            EXPECT_EQ(gameState.columnCount, row.columns);
            EXPECT_EQ(gameState.rowCount, row.rows);
            EXPECT_EQ(gameState.boardColumnOffset, row.columnOffset);
            EXPECT_EQ(gameState.boardRowOffset, row.rowOffset);
            EXPECT_EQ(gameState.selectedTower, NO_TOWER);
        }
    }
    ASSERT_EQ(seen.size(), 56u);
    EXPECT_EQ(seen.begin()->first, 1);
    EXPECT_EQ(seen.rbegin()->first, 56);
    for (const auto& [level, count] : seen) EXPECT_EQ(count, 1) << "level " << level;
}

TEST_F(LevelTable, FirstAndLastBoardsSitWhereDesigned) {
    setupLevel(1);
    EXPECT_EQ(29 * gameState.boardColumnOffset - 26, 90);
    EXPECT_EQ(29 * gameState.boardRowOffset - 26, 90);
    setupLevel(56);
    const int left = 29 * gameState.boardColumnOffset - 26;
    const int top = 29 * gameState.boardRowOffset - 26;
    EXPECT_EQ(left, 32);
    EXPECT_EQ(left + 29 * gameState.columnCount, 206);
    EXPECT_EQ(top, 32);
    EXPECT_EQ(top + 29 * gameState.rowCount, 206);
}

TEST_F(LevelTable, NumbersOutsideTheLevelsChangeNothing) {
    setupLevel(5);
    gameState.selectedTower = 3;
    const GameState before = gameState;
    for (std::uint32_t level : {0u, 57u, 1000u, 0xFFFFFFFFu}) {
        setupLevel(level);
        EXPECT_EQ(gameState.towerKindCount, before.towerKindCount);
        EXPECT_EQ(gameState.columnCount, before.columnCount);
        EXPECT_EQ(gameState.rowCount, before.rowCount);
        EXPECT_EQ(gameState.boardColumnOffset, before.boardColumnOffset);
        EXPECT_EQ(gameState.boardRowOffset, before.boardRowOffset);
        EXPECT_EQ(gameState.selectedTower, 3);
    }
}

TEST_F(LevelTable, LeavesTheGridsAndClockAlone) {
    gameState.playerGrid[0] = 4;
    gameState.solutionGrid[7] = 2;
    gameState.viewpointClues[1] = 3;
    gameState.levelSeconds = 12.0;
    setupLevel(30);
    EXPECT_EQ(gameState.playerGrid[0], 4);
    EXPECT_EQ(gameState.solutionGrid[7], 2);
    EXPECT_EQ(gameState.viewpointClues[1], 3);
    EXPECT_EQ(gameState.levelSeconds, 12.0);
}

}  // namespace
