// A level's puzzle: a hidden arrangement drawn at random and the viewpoint clues computed from it.
#include "puzzle/puzzle_generator.h"

#include <cstdlib>

#include "game/game_state.h"
#include "platform/platform.h"
#include "puzzle/board_lines.h"

namespace {

void drawHiddenArrangement(int columns, int rows) {
    const auto kinds = static_cast<std::uint32_t>(gameState.towerKindCount);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x)
            gameState.solutionGrid[cellIndex(x, y)] = static_cast<std::int32_t>(platform::randomNumber() % kinds) + 1;
}

void emptyPlayerBoard(int columns, int rows) {
    for (int x = 0; x < columns; ++x)
        for (int y = 0; y < rows; ++y) gameState.playerGrid[cellIndex(x, y)] = 0;
}

// Each side's flags are cleared before its clues are computed, side by side clockwise.
void computeClues(int columns, int rows) {
    const Grid& grid = gameState.solutionGrid;
    auto& clues = gameState.viewpointClues;
    auto& lit = gameState.viewpointLit;
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
void generatePuzzle(int columns, int rows) {
    gameState.levelSeconds = 0.0;
    std::srand(platform::tickCount());
    if (!boardSizeValid(columns, rows) || gameState.towerKindCount < 1) return;
    drawHiddenArrangement(columns, rows);
    emptyPlayerBoard(columns, rows);
    computeClues(columns, rows);
}
