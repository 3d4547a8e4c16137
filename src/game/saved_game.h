// The game in play kept in the saved game file, so that the end of the program is like HOME: the level,
// its board and its clock wait for the next start. What was last written is kept here, outside the game
// state, whose fields are what the player sees.
#pragma once

// At start-up, once the records are loaded and a fresh puzzle of the level reached is set up: when the
// saved game file holds a game the player could have left at a level up to maxLevel, puts its level,
// board, clock and answer flag in place of the fresh puzzle, and reopens the result screen left open
// (the name dialog while its time still beats the level's best, else the level's end) with the music
// paused, as after a completion. Anything else in the file changes nothing and is not reported.
// Either way the game now in play counts as written, so that only a change is written.
void resumeGameLeft();

// Writes the game in play when it differs from what was last written or found at start-up; called after
// every command and clock tick. The tutorial pages write nothing (their board is the demonstration's),
// nor does anything before resumeGameLeft. A save that fails is tried again at the next call; play goes
// on either way. The first save asks the device to keep its files.
void keepGameInPlay();

// Forgets the file and what was written, as at program start.
void forgetGameInPlay();
