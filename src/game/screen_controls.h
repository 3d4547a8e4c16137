// The controls of each screen as the device is told them (platform::showControls): every button, key,
// link and board cell the screen in front answers a tap on, at the rectangle its taps are tested
// against, and the board's viewpoints as the headers of the board's grid.
#pragma once

#include "game/screen_facts.h"

// Tells the device the controls of the screen `facts` describe, when they differ from those it was
// last told.
void showControlChanges(const ScreenFacts& facts);
// The device has been told no controls yet.
void forgetControlsShown();
// What the record dialog's name field is called.
const char* nameFieldName();
