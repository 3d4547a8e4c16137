// Placeholder until this concern is written; replaced by its implementation.
#include "puzzle/board_drawing.h"
void drawBoard(int, int, int, int) {}
void drawTowerPanel() {}
void shadeScreen() {}
void drawRecordKeyboard() {}
