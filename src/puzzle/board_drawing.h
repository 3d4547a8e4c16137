// Drawing of the board with its towers and viewpoint numbers, the tower panel under it, and the result
// screens' shading.
#pragma once

#include "gfx/frame.h"
#include "gfx/image_table.h"
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
// The result screens' darkening: every pixel whose x + y is even turns black, and so does the pen.
// shadeRows darkens rows [first, end) of the frame as they stand. drawShadedBackground copies a
// whole-screen picture (keyed, as drawImage) to the frame already darkened in rows [0, shadedRows) and
// as it is below them: for a screen that draws nothing more above that row, and darkens the rows
// below with shadeRows once it has drawn them.
void shadeRows(Frame& frame, int first, int end);
void drawShadedBackground(Frame& frame, ImageId image, int shadedRows);
