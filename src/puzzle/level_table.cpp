// The 56 levels: each level's tower kinds, board size and board position on the screen.
#include "puzzle/level_table.h"

#include <array>

#include "game/game_state.h"

namespace {

struct LevelShape {
    std::int32_t towerKinds;
    std::int32_t columns;
    std::int32_t rows;
    std::int32_t columnOffset;
    std::int32_t rowOffset;
};

// Index 0 is never used: levels are numbered from 1. From level 13 on, sizes mostly come as a wide
// board and its tall twin on alternating levels.
constexpr std::array<LevelShape, LEVEL_TABLE_SIZE> LEVELS = {{
    {0, 0, 0, 0, 0},
    {2, 1, 2, 4, 4}, {2, 1, 2, 4, 4},  // 1, 2
    {2, 2, 2, 4, 4}, {2, 2, 2, 4, 4},  // 3, 4
    {2, 3, 2, 4, 4},                   // 5
    {2, 3, 2, 3, 4},                   // 6
    {3, 2, 3, 4, 3},                   // 7
    {3, 3, 2, 4, 4},                   // 8
    {3, 2, 3, 4, 4},                   // 9
    {3, 3, 2, 3, 4},                   // 10
    {3, 3, 3, 4, 4}, {3, 3, 3, 4, 4},  // 11, 12
    {3, 4, 2, 3, 4}, {3, 2, 4, 4, 3},  // 13, 14
    {3, 4, 2, 3, 4}, {3, 2, 4, 4, 3},  // 15, 16
    {3, 3, 4, 3, 3}, {3, 4, 3, 3, 4},  // 17, 18
    {3, 3, 4, 3, 3}, {3, 4, 3, 3, 4},  // 19, 20
    {3, 4, 4, 3, 3}, {3, 4, 4, 3, 3},  // 21, 22
    {3, 5, 2, 2, 4}, {3, 2, 5, 4, 2},  // 23, 24
    {3, 5, 2, 2, 4}, {3, 2, 5, 4, 2},  // 25, 26
    {3, 3, 5, 3, 2}, {3, 5, 3, 2, 3},  // 27, 28
    {3, 3, 5, 3, 2}, {3, 5, 3, 2, 3},  // 29, 30
    {4, 3, 5, 3, 2}, {4, 5, 3, 2, 3},  // 31, 32
    {4, 3, 5, 3, 2}, {4, 5, 3, 2, 3},  // 33, 34
    {4, 4, 5, 3, 2}, {4, 5, 4, 2, 3},  // 35, 36
    {4, 4, 5, 3, 2}, {4, 5, 4, 2, 3},  // 37, 38
    {4, 5, 5, 2, 2},                   // 39
    {5, 4, 5, 3, 2}, {5, 5, 4, 2, 3},  // 40, 41
    {5, 4, 5, 3, 2}, {5, 5, 4, 2, 3},  // 42, 43
    {5, 5, 5, 2, 2},                   // 44
    {5, 5, 6, 2, 2}, {5, 6, 5, 2, 2},  // 45, 46
    {5, 5, 6, 2, 2}, {5, 6, 5, 2, 2},  // 47, 48
    {6, 5, 6, 2, 2}, {6, 6, 5, 2, 2},  // 49, 50
    {6, 5, 6, 2, 2}, {6, 6, 5, 2, 2},  // 51, 52
    {6, 6, 6, 2, 2}, {6, 6, 6, 2, 2},  // 53, 54
    {6, 6, 6, 2, 2}, {6, 6, 6, 2, 2},  // 55, 56
}};

}  // namespace

void setupLevel(std::uint32_t level) {
    if (level < 1 || level > static_cast<std::uint32_t>(LEVEL_COUNT)) return;
    const LevelShape& shape = LEVELS[level];
    gameState.towerKindCount = shape.towerKinds;
    gameState.columnCount = shape.columns;
    gameState.rowCount = shape.rows;
    gameState.boardColumnOffset = shape.columnOffset;
    gameState.boardRowOffset = shape.rowOffset;
    gameState.selectedTower = NO_TOWER;
}
