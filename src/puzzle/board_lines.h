// The viewpoints round a board: their numbering, the row or column each one looks along, and what it sees
// there.
#pragma once

#include <cstdint>
#include <span>

#include "puzzle/board.h"

// The screen is a grid of 29-pixel cells whose lines lie at x and y = 3 + 29k; boards sit on it.
inline constexpr int SCREEN_CELL = 29;
inline constexpr int SCREEN_GRID_ORIGIN = 3;

// Viewpoint indices (1-based, clockwise from the top-left) of a columns x rows board.
constexpr int topViewpoint(int column) { return 1 + column; }
constexpr int rightViewpoint(int columns, int row) { return columns + 1 + row; }
constexpr int bottomViewpoint(int columns, int rows, int column) { return columns + rows + 1 + column; }
constexpr int leftViewpoint(int columns, int rows, int row) { return 2 * columns + rows + 1 + row; }
constexpr int viewpointCount(int columns, int rows) { return 2 * columns + 2 * rows; }

// Towers seen along a line in viewing order: a kind counts when it is taller than every earlier one;
// empty cells and parks never count.
int countVisible(std::span<const std::int32_t> line);

// Towers seen along column `column` (rows cells) from the top or from the bottom, and along row `row`
// (columns cells) from the left or from the right. The line must lie inside the grid.
int countFromTop(const Grid& grid, int rows, int column);
int countFromBottom(const Grid& grid, int rows, int column);
int countFromLeft(const Grid& grid, int columns, int row);
int countFromRight(const Grid& grid, int columns, int row);
