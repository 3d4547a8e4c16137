// The viewpoints round a board: their numbering, and the row or column each one looks along.
#pragma once

#include <array>
#include <cstdint>

#include "game/game_state.h"

using Grid = std::array<std::int32_t, GRID_CELLS>;

// The screen is a grid of 29-pixel cells whose lines lie at x and y = 3 + 29k; boards sit on it.
inline constexpr int SCREEN_CELL = 29;
inline constexpr int SCREEN_GRID_ORIGIN = 3;

// Viewpoint indices (1-based, clockwise from the top-left) of a columns x rows board.
constexpr int topViewpoint(int column) { return 1 + column; }
constexpr int rightViewpoint(int columns, int row) { return columns + 1 + row; }
constexpr int bottomViewpoint(int columns, int rows, int column) { return columns + rows + 1 + column; }
constexpr int leftViewpoint(int columns, int rows, int row) { return 2 * columns + rows + 1 + row; }
constexpr int viewpointCount(int columns, int rows) { return 2 * columns + 2 * rows; }

// True for a board size the grids can hold (1..6 each way).
constexpr bool boardSizeValid(int columns, int rows) {
    return columns >= 1 && columns <= GRID_SIDE && rows >= 1 && rows <= GRID_SIDE;
}

// Cell (column, row) of a grid; grids are stored column by column.
constexpr int cellIndex(int column, int row) { return column * GRID_SIDE + row; }

// Towers seen along column `column` (rows cells) from the top or from the bottom, and along row `row`
// (columns cells) from the left or from the right. The line must lie inside the grid.
int countFromTop(const Grid& grid, int rows, int column);
int countFromBottom(const Grid& grid, int rows, int column);
int countFromLeft(const Grid& grid, int columns, int row);
int countFromRight(const Grid& grid, int columns, int row);
