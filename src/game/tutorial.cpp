// Placeholder until this concern is written; replaced by its implementation.
#include "game/tutorial.h"
void drawTutorialPage() {}
void tutorialNavigation(int, int) {}
void prepareTutorialBoard() {}
