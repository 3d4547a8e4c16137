// Placeholder until this concern is written; replaced by its implementation.
#include "gfx/text.h"
void drawText(const char*, int, int, int) {}
