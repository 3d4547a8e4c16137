// The 56 levels: each level's tower kinds, board size and board position on the screen.
#include "puzzle/level_table.h"

#include <array>


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
    {2, 1, 2, 4, 4},  // 1
    {2, 1, 2, 4, 4},  // 2
    {2, 2, 2, 4, 4},  // 3
    {2, 2, 2, 4, 4},  // 4
    {2, 3, 2, 4, 4},  // 5
    {2, 3, 2, 3, 4},  // 6
    {3, 2, 3, 4, 3},  // 7
    {3, 3, 2, 4, 4},  // 8
    {3, 2, 3, 4, 4},  // 9
    {3, 3, 2, 3, 4},  // 10
    {3, 3, 3, 4, 4},  // 11
    {3, 3, 3, 4, 4},  // 12
    {3, 4, 2, 3, 4},  // 13
    {3, 2, 4, 4, 3},  // 14
    {3, 4, 2, 3, 4},  // 15
    {3, 2, 4, 4, 3},  // 16
    {3, 3, 4, 3, 3},  // 17
    {3, 4, 3, 3, 4},  // 18
    {3, 3, 4, 3, 3},  // 19
    {3, 4, 3, 3, 4},  // 20
    {3, 4, 4, 3, 3},  // 21
    {3, 4, 4, 3, 3},  // 22
    {3, 5, 2, 2, 4},  // 23
    {3, 2, 5, 4, 2},  // 24
    {3, 5, 2, 2, 4},  // 25
    {3, 2, 5, 4, 2},  // 26
    {3, 3, 5, 3, 2},  // 27
    {3, 5, 3, 2, 3},  // 28
    {3, 3, 5, 3, 2},  // 29
    {3, 5, 3, 2, 3},  // 30
    {4, 3, 5, 3, 2},  // 31
    {4, 5, 3, 2, 3},  // 32
    {4, 3, 5, 3, 2},  // 33
    {4, 5, 3, 2, 3},  // 34
    {4, 4, 5, 3, 2},  // 35
    {4, 5, 4, 2, 3},  // 36
    {4, 4, 5, 3, 2},  // 37
    {4, 5, 4, 2, 3},  // 38
    {4, 5, 5, 2, 2},  // 39
    {5, 4, 5, 3, 2},  // 40
    {5, 5, 4, 2, 3},  // 41
    {5, 4, 5, 3, 2},  // 42
    {5, 5, 4, 2, 3},  // 43
    {5, 5, 5, 2, 2},  // 44
    {5, 5, 6, 2, 2},  // 45
    {5, 6, 5, 2, 2},  // 46
    {5, 5, 6, 2, 2},  // 47
    {5, 6, 5, 2, 2},  // 48
    {6, 5, 6, 2, 2},  // 49
    {6, 6, 5, 2, 2},  // 50
    {6, 5, 6, 2, 2},  // 51
    {6, 6, 5, 2, 2},  // 52
    {6, 6, 6, 2, 2},  // 53
    {6, 6, 6, 2, 2},  // 54
    {6, 6, 6, 2, 2},  // 55
    {6, 6, 6, 2, 2},  // 56
}};

}  // namespace

void setupLevel(Board& board, std::uint32_t level) {
    if (level < 1 || level > static_cast<std::uint32_t>(LEVEL_COUNT)) return;
    const LevelShape& shape = LEVELS[level];
    board.towerKindCount = shape.towerKinds;
    board.columnCount = shape.columns;
    board.rowCount = shape.rows;
    board.boardColumnOffset = shape.columnOffset;
    board.boardRowOffset = shape.rowOffset;
    board.selectedTower = NO_TOWER;
}
