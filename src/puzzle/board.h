// The board's rules: what a viewpoint sees, when it lights up, when the level is solved, and which
// screen cell lies under the stylus.
#pragma once

#include <cstdint>
#include <span>

// Towers seen along a line in viewing order: a kind counts when it is taller than every earlier one;
// empty cells and parks never count.
int countVisible(std::span<const std::int32_t> line);

// Re-judges the four viewpoints of column cx and row cy of playerGrid; returns 1 when every
// viewpoint of the board is lit.
std::uint32_t evaluateMove(int cx, int cy);

// Maps a screen point to its 29-pixel screen cell; writes all four outputs and returns 1 when the
// point lies strictly inside the board's outer grid lines.
std::uint32_t hitTestBoard(int x, int y, std::int32_t& cellLeft, std::int32_t& cellTop,
                           std::int32_t& column, std::int32_t& row);
