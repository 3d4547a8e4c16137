// The board's rules: the visible count, the lighting of viewpoints, completion and the stylus hit test.
#include "puzzle/board.h"

#include "game/game_state.h"
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

void judgeRow(int columns, int rows, int row) {
    const Grid& grid = gameState.playerGrid;
    const bool full = rowFull(grid, columns, row);
    const int left = leftViewpoint(columns, rows, row);
    const int right = rightViewpoint(columns, row);
    gameState.viewpointLit[left] = litWhen(full, countFromLeft(grid, columns, row), gameState.viewpointClues[left]);
    gameState.viewpointLit[right] =
        litWhen(full, countFromRight(grid, columns, row), gameState.viewpointClues[right]);
}

void judgeColumn(int columns, int rows, int column) {
    const Grid& grid = gameState.playerGrid;
    const bool full = columnFull(grid, rows, column);
    const int top = topViewpoint(column);
    const int bottom = bottomViewpoint(columns, rows, column);
    gameState.viewpointLit[top] = litWhen(full, countFromTop(grid, rows, column), gameState.viewpointClues[top]);
    gameState.viewpointLit[bottom] =
        litWhen(full, countFromBottom(grid, rows, column), gameState.viewpointClues[bottom]);
}

bool everyViewpointLit(int columns, int rows) {
    for (int k = 1; k <= viewpointCount(columns, rows); ++k)
        if (gameState.viewpointLit[k] == 0) return false;
    return true;
}

}  // namespace

int countVisible(std::span<const std::int32_t> line) {
    std::int32_t tallest = 0;
    int count = 0;
    for (std::int32_t kind : line) {
        if (kind > tallest && kind != PARK) {
            ++count;
            tallest = kind;
        }
    }
    return count;
}

// A board size or cell outside the grids (a stale or unset board) re-judges nothing rather than reading
// past the arrays.
std::uint32_t evaluateMove(int cx, int cy) {
    const int columns = gameState.columnCount;
    const int rows = gameState.rowCount;
    if (!boardSizeValid(columns, rows)) return 0;
    if (cy >= 0 && cy < rows) judgeRow(columns, rows, cy);
    if (cx >= 0 && cx < columns) judgeColumn(columns, rows, cx);
    return everyViewpointLit(columns, rows) ? 1 : 0;
}

// Wide arithmetic keeps points far off the screen from overflowing; on the screen it changes nothing.
std::uint32_t hitTestBoard(int x, int y, std::int32_t& cellLeft, std::int32_t& cellTop, std::int32_t& column,
                           std::int32_t& row) {
    const std::int64_t screenColumn = (std::int64_t{x} - SCREEN_CELL_START) / SCREEN_CELL + 1;
    const std::int64_t screenRow = (std::int64_t{y} - SCREEN_CELL_START) / SCREEN_CELL + 1;
    column = static_cast<std::int32_t>(screenColumn);
    row = static_cast<std::int32_t>(screenRow);
    cellLeft = static_cast<std::int32_t>(SCREEN_CELL * screenColumn - (SCREEN_CELL - SCREEN_CELL_START));
    cellTop = static_cast<std::int32_t>(SCREEN_CELL * screenRow - (SCREEN_CELL - SCREEN_CELL_START));
    const bool inside = gameState.boardLeft < x && x < gameState.boardRight && gameState.boardTop < y &&
                        y < gameState.boardBottom;
    return inside ? 1 : 0;
}
