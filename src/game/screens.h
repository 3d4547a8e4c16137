// Drawing of the whole frame for the current screen, every frame tick.
#pragma once

// Runs the game's initialisation on the first call, draws the current screen and presents it.
void renderFrame();
