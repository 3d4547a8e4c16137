// The board's rules: when a viewpoint lights up, when the level is solved, and which screen cell lies
// under the stylus.
#pragma once

#include <cstdint>

#include "puzzle/board.h"

// Re-judges the four viewpoints of column cx and row cy of the board's playerGrid; returns 1 when every
// viewpoint of the board is lit.
std::uint32_t evaluateMove(Board& board, int cx, int cy);

// True when the point lies strictly inside the board's outer grid lines, as last drawn.
bool insideBoard(const Board& board, int x, int y);

// Maps a screen point to its 29-pixel screen cell; writes all four outputs and returns 1 when the
// point lies inside the board (insideBoard).
std::uint32_t hitTestBoard(const Board& board, int x, int y, std::int32_t& cellLeft, std::int32_t& cellTop,
                           std::int32_t& column, std::int32_t& row);

// The board's own cell under the last hit test (hitColumn, hitRow less the board's offsets), and whether
// the board has that cell.
struct BoardCell {
    int column, row;
    bool onBoard;
};
BoardCell hitBoardCell(const Board& board);
