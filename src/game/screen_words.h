// The screen in words and controls, for a player who follows the game with a screen reader or plays it
// from the keyboard: what a sighted player sees change is handed to the device as text
// (platform::announceScreen), and the controls of the screen in front as a list (platform::showControls).
#pragma once

// Tells the device the screen's summary, the board's description and the news of the player's last
// action, and the screen's controls, whenever what they describe has changed since it was last told;
// part of renderFrame. A frame that changes none of it builds nothing and allocates nothing.
void announceScreenChanges();
// A new game has told the device nothing yet (resetGameState).
void forgetScreenWords();
