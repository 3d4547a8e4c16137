// The screen in words, for a player who follows the game with a screen reader: what a sighted player
// sees change is handed to the device as text (platform::announceScreen).
#pragma once

// Tells the device the screen's summary and the board's description whenever either differs from what
// it was last told; part of renderFrame.
void announceScreenChanges();
// A new game has told the device nothing yet (resetGameState).
void forgetScreenWords();
