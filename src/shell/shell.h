// The application shell: start-up, the window procedure and the message loop that turn the device's
// messages into the game's events.
#pragma once

#include <cstdint>

#include "platform/platform.h"

inline constexpr const char* WINDOW_TITLE = "Spirehold v1.0";

// Start-up up to the message loop: finds a running copy, creates the window, opens the display and
// keys, checks the colour depth, allocates the frame, captures the stylus, starts the frame timer.
// Returns false when the program should end at once.
bool startApplication();

// The whole program: startApplication, then the message loop. Returns the process exit code.
int runApplication();

std::intptr_t windowProcedure(platform::Message message, std::uint32_t firstWord, std::uint32_t secondWord);

// A hardware key: on the play screen, back to the home screen with the clock stopped.
void keyDown(std::uint32_t keyCode);
