// A level's puzzle: a hidden arrangement drawn at random and the viewpoint clues computed from it.
#include "puzzle/puzzle_generator.h"

#include "platform/platform.h"
#include "puzzle/board_lines.h"

namespace {

void drawHiddenArrangement(Board& board, int columns, int rows) {
    const auto kinds = static_cast<std::uint32_t>(board.towerKindCount);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x)
            board.solutionGrid[cellIndex(x, y)] = static_cast<std::int32_t>(platform::randomNumber() % kinds) + 1;
}

void emptyPlayerBoard(Board& board, int columns, int rows) {
    for (int x = 0; x < columns; ++x)
        for (int y = 0; y < rows; ++y) board.playerGrid[cellIndex(x, y)] = 0;
}

// Each side's flags are cleared before its clues are computed, side by side clockwise.
void computeClues(Board& board, int columns, int rows) {
    const Grid& grid = board.solutionGrid;
    Viewpoints& clues = board.viewpointClues;
    Viewpoints& lit = board.viewpointLit;
    for (int x = 0; x < columns; ++x) lit[topViewpoint(x)] = 0;
    for (int x = 0; x < columns; ++x) clues[topViewpoint(x)] = countFromTop(grid, rows, x);
    for (int y = 0; y < rows; ++y) lit[rightViewpoint(columns, y)] = 0;
    for (int y = 0; y < rows; ++y) clues[rightViewpoint(columns, y)] = countFromRight(grid, columns, y);
    for (int x = 0; x < columns; ++x) lit[bottomViewpoint(columns, rows, x)] = 0;
    for (int x = 0; x < columns; ++x) clues[bottomViewpoint(columns, rows, x)] = countFromBottom(grid, rows, x);
    for (int y = 0; y < rows; ++y) lit[leftViewpoint(columns, rows, y)] = 0;
    for (int y = 0; y < rows; ++y) clues[leftViewpoint(columns, rows, y)] = countFromLeft(grid, columns, y);
}

}  // namespace

// A size the grids cannot hold, or no tower kinds to draw from, leaves the board alone rather than
// writing past the grids or dividing by zero.
void generatePuzzle(Board& board, int columns, int rows) {
    if (!boardSizeValid(columns, rows) || board.towerKindCount < 1) return;
    drawHiddenArrangement(board, columns, rows);
    emptyPlayerBoard(board, columns, rows);
    computeClues(board, columns, rows);
}
