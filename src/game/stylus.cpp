// Placeholder until this concern is written; replaced by its implementation.
#include "game/stylus.h"
void stylusDown(int, int) {}
void stylusUp(int, int) {}
void startLevel() {}
void advanceLevel() {}
void enterTutorial() {}
void closeApplication() {}
