// The four tutorial pages: their drawing, step by step, and the taps on them.
#pragma once

// Draws the tutorial page of the current screen (and advances its animation); part of renderFrame.
void drawTutorialPage();
// Handles a stylus lift on a tutorial page.
void tutorialNavigation(int x, int y);
// Sets up the 2 x 2 demonstration board and shows the playing page.
void prepareTutorialBoard();
