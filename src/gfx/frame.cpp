// Placeholder until this concern is written; replaced by its implementation.
#include "gfx/frame.h"
int presentFrame() { return 0; }
void clearFrame(int, int, int) {}
void drawLine(int, int, int, int) {}
void drawRect(int, int, int, int) {}
void fillRect(int, int, int, int) {}
