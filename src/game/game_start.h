// The game's one-time start on the first rendered frame.
#pragma once

// Loads the pictures, prepares and loads the records file, sets up the level last reached, opens the
// sound output and starts the music, then resumes the saved game when there is one; does nothing
// without a frame to draw into.
void initialiseGame();
