// Draws a level's hidden arrangement at random and computes its viewpoint clues.
#pragma once

// Fills solutionGrid for a columns x rows board with kinds 1..towerKindCount, empties playerGrid,
// computes the clues side by side (top, right, bottom, left), unlights them and resets the clock.
void generatePuzzle(int columns, int rows);
