// The 56 levels: board size, board position and the number of tower kinds of each.
#pragma once

#include <cstdint>

// Writes towerKindCount, columnCount, rowCount, boardColumnOffset, boardRowOffset and selectedTower
// (= NO_TOWER) for a level 1..56; any other number changes nothing.
void setupLevel(std::uint32_t level);
