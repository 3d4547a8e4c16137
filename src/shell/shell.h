// The application shell: start-up, the window procedure and the message loop that turn the device's
// messages into the game's events.
#pragma once

#include <cstdint>

#include "platform/platform.h"

inline constexpr const char* WINDOW_TITLE = "Spirehold v1.0";

// The whole program: startApplication, then the message loop. Returns the process exit code: the one
// given to the quit message (0), also 0 when the start-up ended the program at once (a running copy,
// a display that is not 16 bits), unless the device layer reports a failure of its own (exitCode).
// startApplication is declared in platform.h, as the browser's device calls it itself: it finds a
// running copy, creates the window, opens the display and keys, checks the colour depth, allocates
// the frame, captures the stylus and starts the frame timer.
int runApplication();

// The window procedure: create, destroy, focus, key, tick and stylus messages become game events;
// everything else goes to the default handling.

std::intptr_t windowProcedure(platform::Message message, std::uint32_t firstWord, std::uint32_t secondWord);

// A hardware key: on the play screen, back to the home screen with the clock stopped.
void keyDown(std::uint32_t keyCode);
