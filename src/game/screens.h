// Drawing of the whole frame for the current screen, every frame tick.
#pragma once

// Draws the screen in front into screenFrame, without presenting it. (The tutorial's pages move their
// schedule on by a frame as they are drawn.)
void drawScreen();

// Runs the game's initialisation on the first call, draws the current screen and presents it.
void renderFrame();
