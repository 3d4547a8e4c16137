// The board's parts in words, shared by the board's description, the news of a placement and the
// names of the board's cells and viewpoints among the screen's controls.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "game/screen_facts.h"

// The side of the board a viewpoint looks from.
enum class BoardSide { Top, Right, Bottom, Left };

inline constexpr std::size_t PART_NAME_SIZE = 48;  // the longest name with any int32 numbers in it
using PartName = std::array<char, PART_NAME_SIZE>;

// A tower kind as its button's badge shows it: "1" to "4", "park", "5"; "empty" for none.
const char* kindBadge(std::int32_t kind);

// The viewpoint index (board_lines.h) of line `line` (a column for top and bottom, a row for left and
// right, from 0) on `side` of the facts' board.
int viewpointOn(const ScreenFacts& facts, BoardSide side, int line);

// "Row 2, column 3, tower 4": a cell by its place, counted from 1 at the top left, and what stands on
// it ("empty", "tower 1" to "tower 5", "park").
void nameCell(PartName& name, const ScreenFacts& facts, int column, int row);

// "top 3, lit", "left 2": a viewpoint by its side and its number, and "lit" while its line is right.
void nameViewpoint(PartName& name, const ScreenFacts& facts, BoardSide side, int line);
