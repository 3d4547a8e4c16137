// The generator: random hidden arrangements drawn row by row, and clues that match them side by side.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "game/game_state.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "puzzle/board.h"
#include "puzzle/level_table.h"
#include "puzzle/puzzle_generator.h"

namespace {

class PuzzleGenerator : public ::testing::Test {
protected:
    void SetUp() override {
        resetGameState();
        headless::reset();
    }
    void TearDown() override { resetGameState(); }

    static std::int32_t solution(int x, int y) { return gameState.solutionGrid[x * 6 + y]; }

    // The hidden line seen by viewpoint k, in its viewing order, gathered independently of the game.
    static std::vector<std::int32_t> lineSeenBy(int k, int w, int h) {
        std::vector<std::int32_t> line;
        if (k <= w) {
            for (int y = 0; y < h; ++y) line.push_back(solution(k - 1, y));
        } else if (k <= w + h) {
            for (int x = w - 1; x >= 0; --x) line.push_back(solution(x, k - w - 1));
        } else if (k <= 2 * w + h) {
            for (int y = h - 1; y >= 0; --y) line.push_back(solution(k - w - h - 1, y));
        } else {
            for (int x = 0; x < w; ++x) line.push_back(solution(x, k - 2 * w - h - 1));
        }
        return line;
    }
};

TEST_F(PuzzleGenerator, DrawsOneNumberPerCellRowByRow) {
    setupLevel(41);  // 5 x 4, five kinds
    const int w = gameState.columnCount, h = gameState.rowCount, n = gameState.towerKindCount;
    headless::configure(77, headless::STANDARD_DISPLAY, "", false);
    std::vector<std::uint32_t> numbers;
    for (int i = 0; i < w * h; ++i) numbers.push_back(platform::randomNumber());
    headless::configure(77, headless::STANDARD_DISPLAY, "", false);
    generatePuzzle(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            EXPECT_EQ(solution(x, y), static_cast<std::int32_t>(numbers[y * w + x] % n) + 1) << x << "," << y;
}

TEST_F(PuzzleGenerator, StartsAnEmptyUnlitBoardWithTheClockAtZero) {
    setupLevel(56);
    gameState.playerGrid.fill(3);
    gameState.viewpointLit.fill(1);
    gameState.levelSeconds = 41.0;
    generatePuzzle(6, 6);
    for (std::int32_t cell : gameState.playerGrid) EXPECT_EQ(cell, 0);
    for (int k = 1; k <= 24; ++k) EXPECT_EQ(gameState.viewpointLit[k], 0) << k;
    EXPECT_EQ(gameState.levelSeconds, 0.0);
}

TEST_F(PuzzleGenerator, LeavesEverythingBeyondTheBoardAlone) {
    setupLevel(1);  // 1 x 2: six viewpoints
    gameState.viewpointLit.fill(1);
    gameState.viewpointClues.fill(9);
    gameState.playerGrid.fill(4);
    gameState.solutionGrid.fill(4);
    generatePuzzle(1, 2);
    EXPECT_EQ(gameState.viewpointLit[0], 1);
    EXPECT_EQ(gameState.viewpointClues[0], 9);
    for (int k = 7; k < VIEWPOINT_SLOTS; ++k) {
        EXPECT_EQ(gameState.viewpointLit[k], 1) << k;
        EXPECT_EQ(gameState.viewpointClues[k], 9) << k;
    }
    for (int i = 2; i < GRID_CELLS; ++i) {
        EXPECT_EQ(gameState.playerGrid[i], 4) << i;
        EXPECT_EQ(gameState.solutionGrid[i], 4) << i;
    }
}

TEST_F(PuzzleGenerator, OverManySeedsEveryKindAppearsAndCluesMatchTheHiddenLines) {
    std::set<std::int32_t> kindsSeen[7];
    for (std::uint32_t seed = 1; seed <= 120; ++seed) {
        headless::configure(seed, headless::STANDARD_DISPLAY, "", false);
        for (std::uint32_t level = 1; level <= 56; ++level) {
            setupLevel(level);
            const int w = gameState.columnCount, h = gameState.rowCount, n = gameState.towerKindCount;
            generatePuzzle(w, h);
            for (int x = 0; x < w; ++x) {
                for (int y = 0; y < h; ++y) {
                    ASSERT_GE(solution(x, y), 1);
                    ASSERT_LE(solution(x, y), n) << "level " << level;
                    kindsSeen[n].insert(solution(x, y));
                }
            }
            for (int k = 1; k <= 2 * w + 2 * h; ++k) {
                const std::vector<std::int32_t> line = lineSeenBy(k, w, h);
                ASSERT_EQ(gameState.viewpointClues[k], countVisible(line)) << "level " << level << " viewpoint " << k;
                if (n == 2) {
                    ASSERT_GE(gameState.viewpointClues[k], 1);
                    ASSERT_LE(gameState.viewpointClues[k], static_cast<int>(line.size()));
                }
            }
        }
    }
    for (int n = 2; n <= 6; ++n) EXPECT_EQ(kindsSeen[n].size(), static_cast<std::size_t>(n)) << n;
}

TEST_F(PuzzleGenerator, RestartingDrawsAFreshArrangement) {
    setupLevel(56);
    generatePuzzle(6, 6);
    const auto first = gameState.solutionGrid;
    generatePuzzle(6, 6);
    EXPECT_NE(gameState.solutionGrid, first);
}

TEST_F(PuzzleGenerator, SizesTheGridsCannotHoldLeaveTheBoardAlone) {
    gameState.towerKindCount = 3;
    gameState.solutionGrid.fill(8);
    generatePuzzle(0, 0);
    generatePuzzle(7, 2);
    generatePuzzle(2, -1);
    gameState.towerKindCount = 0;
    generatePuzzle(2, 2);
    for (std::int32_t cell : gameState.solutionGrid) EXPECT_EQ(cell, 8);
}

}  // namespace
