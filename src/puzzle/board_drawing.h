// Drawing of the board with its towers and viewpoint numbers, the tower panel under it, and the result
// screens' shading.
#pragma once

#include "gfx/frame.h"
#include "puzzle/board.h"

// The six tower buttons under the board, index 0..5 from the left, each drawn 40 pixels wide from the
// panel's top row; the game tests its taps against the same geometry.
inline constexpr int TOWER_BUTTON_COUNT = 6;
inline constexpr int TOWER_BUTTON_WIDTH = 40, TOWER_BUTTON_HEIGHT = 47, TOWER_PANEL_TOP = 222;

// Grid, towers and viewpoint numbers of the board's size at its place; records the board's outer grid
// lines (boardLeft .. boardBottom) for the hit test. A board that would not fit the frame is not drawn.
void drawBoard(Frame& frame, Board& board);
// The tower buttons of the board's kinds, the chosen one lit.
void drawTowerPanel(Frame& frame, const Board& board);
// Blackens every pixel whose x + y is even.
void shadeScreen(Frame& frame);
