// Draws a level's hidden arrangement at random and computes its viewpoint clues.
#pragma once

#include "puzzle/board.h"

// Fills the board's solutionGrid for a columns x rows board with kinds 1..towerKindCount (drawn from
// platform::randomNumber), empties its playerGrid, computes the clues side by side (top, right, bottom,
// left) and unlights them. A size the grids cannot hold, or a board without tower kinds, is left alone.
void generatePuzzle(Board& board, int columns, int rows);
