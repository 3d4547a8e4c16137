// Drawing of the board, the tower panel, the result screens' shading and the record keyboard.
#pragma once

// Grid, towers and viewpoint numbers; records the board's outer grid lines for the hit test.
void drawBoard(int columns, int rows, int rowOffset, int columnOffset);
// The tower buttons of the level's kinds, the chosen one darkened.
void drawTowerPanel();
// Blackens every pixel whose x + y is even.
void shadeScreen();
// The record dialog with the held key's highlight and the key labels.
void drawRecordKeyboard();
