// The four tutorial pages: their drawing, step by step, and the taps on them.
#pragma once

// Draws the tutorial page of the current screen (and advances its animation); part of renderFrame.
void drawTutorialPage();
// Handles a stylus lift on a tutorial page: the footer's HOME and page links, or else hurries the page on
// by one step, or turns to the next page once the page is complete. Does nothing on other screens.
void tutorialNavigation(int x, int y);
// Sets up the 2 x 2 demonstration board (fixed clues, empty cells, clock at 0 and running) and shows the
// playing page. Whoever turns to the page has set its tick to 0 and its steps off first.
void prepareTutorialBoard();
