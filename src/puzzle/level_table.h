// The 56 levels: board size, board position and the number of tower kinds of each.
#pragma once

#include <cstdint>

#include "puzzle/board.h"

inline constexpr int LEVEL_COUNT = 56;
inline constexpr int LEVEL_TABLE_SIZE = LEVEL_COUNT + 1;  // per-level tables leave index 0 empty

// Writes the board's towerKindCount, columnCount, rowCount, boardColumnOffset, boardRowOffset and
// selectedTower (= NO_TOWER) for a level 1..56; any other number changes nothing.
void setupLevel(Board& board, std::uint32_t level);
