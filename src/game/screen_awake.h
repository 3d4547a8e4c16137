// The screen stays lit while a level is played: a player thinking over a board may touch nothing for
// minutes.
#pragma once

// Tells the device to keep the screen awake when the play screen has come into view, and to let it
// sleep when the play screen has gone; says nothing while neither happened. Called after each drawn
// frame.
void keepScreenAwakeWhilePlaying();

// Forgets what the device was told, as at program start (when it keeps nothing awake).
void forgetScreenAwake();
