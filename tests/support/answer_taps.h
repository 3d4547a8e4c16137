// Towers placed on the board in play as a player's taps place them, through `tap` (a simulator's "tap X Y"),
// each at the centre of what it taps.
#pragma once

#include <functional>

#include "game/controls.h"
#include "game/game_state.h"
#include "puzzle/board_lines.h"

using Tap = std::function<void(int x, int y)>;

inline void tapCentre(const Tap& tap, const HitRect& rect) { tap((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2); }

// The tower button of `kind` unless it is chosen already, then the cell.
inline void placeTower(const Tap& tap, int column, int row, int kind) {
    if (gameState.board.selectedTower != kind - 1) tapCentre(tap, towerButtonRects[kind - 1]);
    const int left = gameState.board.boardLeft + column * SCREEN_CELL, top = gameState.board.boardTop + row * SCREEN_CELL;
    tapCentre(tap, {left, top, left + SCREEN_CELL - 1, top + SCREEN_CELL - 1});
}

// The answer in every cell that differs from it; when none does (SOLVE showed it), the first cell again,
// since only a placement completes a level.
inline void placeTheAnswer(const Tap& tap) {
    const Board& board = gameState.board;
    bool placed = false;
    for (int column = 0; column < board.columnCount; ++column)
        for (int row = 0; row < board.rowCount; ++row)
            if (const int kind = board.solutionGrid[cellIndex(column, row)]; board.playerGrid[cellIndex(column, row)] != kind)
                placeTower(tap, column, row, kind), placed = true;
    if (!placed) placeTower(tap, 0, 0, board.solutionGrid[cellIndex(0, 0)]);
}
