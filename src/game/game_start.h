// The game's one-time start on the first rendered frame.
#pragma once

// Loads the pictures, prepares and loads the records file, sets up the level last reached, opens the
// sound output and starts the music; does nothing without a frame to draw into.
void initialiseGame();
