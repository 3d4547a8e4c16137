// The board's rules: the lighting of viewpoints, completion and the stylus hit test.
#include "puzzle/board_rules.h"

#include <algorithm>

#include "puzzle/board_lines.h"

namespace {

constexpr int SCREEN_CELL_START = SCREEN_GRID_ORIGIN + 1;  // first pixel inside screen column (or row) 1

bool rowFull(const Grid& grid, int columns, int row) {
    for (int x = 0; x < columns; ++x)
        if (grid[cellIndex(x, row)] == 0) return false;
    return true;
}

bool columnFull(const Grid& grid, int rows, int column) {
    for (int y = 0; y < rows; ++y)
        if (grid[cellIndex(column, y)] == 0) return false;
    return true;
}

std::int32_t litWhen(bool full, int count, std::int32_t clue) { return full && count == clue ? 1 : 0; }

void judgeRow(Board& board, int row) {
    const int columns = board.columnCount, rows = board.rowCount;
    const Grid& grid = board.playerGrid;
    const bool full = rowFull(grid, columns, row);
    const int left = leftViewpoint(columns, rows, row);
    const int right = rightViewpoint(columns, row);
    board.viewpointLit[left] = litWhen(full, countFromLeft(grid, columns, row), board.viewpointClues[left]);
    board.viewpointLit[right] = litWhen(full, countFromRight(grid, columns, row), board.viewpointClues[right]);
}

void judgeColumn(Board& board, int column) {
    const int columns = board.columnCount, rows = board.rowCount;
    const Grid& grid = board.playerGrid;
    const bool full = columnFull(grid, rows, column);
    const int top = topViewpoint(column);
    const int bottom = bottomViewpoint(columns, rows, column);
    board.viewpointLit[top] = litWhen(full, countFromTop(grid, rows, column), board.viewpointClues[top]);
    board.viewpointLit[bottom] = litWhen(full, countFromBottom(grid, rows, column), board.viewpointClues[bottom]);
}

bool everyViewpointLit(const Board& board) {
    for (int k = 1; k <= viewpointCount(board.columnCount, board.rowCount); ++k)
        if (board.viewpointLit[k] == 0) return false;
    return true;
}

}  // namespace

// A board size or cell outside the grids (a stale or unset board) re-judges nothing rather than reading
// past the arrays.
std::uint32_t evaluateMove(Board& board, int cx, int cy) {
    if (!boardSizeValid(board.columnCount, board.rowCount)) return 0;
    if (cy >= 0 && cy < board.rowCount) judgeRow(board, cy);
    if (cx >= 0 && cx < board.columnCount) judgeColumn(board, cx);
    return everyViewpointLit(board) ? 1 : 0;
}

bool insideBoard(const Board& board, int x, int y) {
    return board.boardLeft < x && x < board.boardRight && board.boardTop < y && y < board.boardBottom;
}

// Wide arithmetic keeps points far off the screen from overflowing; on the screen it changes nothing.
std::uint32_t hitTestBoard(const Board& board, int x, int y, std::int32_t& cellLeft, std::int32_t& cellTop,
                           std::int32_t& column, std::int32_t& row) {
    const std::int64_t screenColumn = (std::int64_t{x} - SCREEN_CELL_START) / SCREEN_CELL + 1;
    const std::int64_t screenRow = (std::int64_t{y} - SCREEN_CELL_START) / SCREEN_CELL + 1;
    column = static_cast<std::int32_t>(screenColumn);
    row = static_cast<std::int32_t>(screenRow);
    cellLeft = static_cast<std::int32_t>(SCREEN_CELL * screenColumn - (SCREEN_CELL - SCREEN_CELL_START));
    cellTop = static_cast<std::int32_t>(SCREEN_CELL * screenRow - (SCREEN_CELL - SCREEN_CELL_START));
    return insideBoard(board, x, y) ? 1 : 0;
}

// Board bounds from an earlier level can name a cell the current board does not have.
BoardCell hitBoardCell(const Board& board) {
    const int column = board.hitColumn - board.boardColumnOffset;
    const int row = board.hitRow - board.boardRowOffset;
    const bool onBoard = column >= 0 && column < std::min(board.columnCount, GRID_SIDE) && row >= 0 &&
                         row < std::min(board.rowCount, GRID_SIDE);
    return {column, row, onBoard};
}
