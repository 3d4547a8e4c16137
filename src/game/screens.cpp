// Placeholder until this concern is written; replaced by its implementation.
#include "game/screens.h"
void renderFrame() {}
