// The SDL2 device's shared state and the few operations its parts (window, input, message loop,
// display, single running copy) call on each other. Not for use outside src/platform/sdl/.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string_view>

#include "platform/platform.h"

namespace sdl_device {

using platform::DISPLAY_HEIGHT;
using platform::DISPLAY_WIDTH;

struct WindowState {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    platform::WindowProcedure procedure = nullptr;
    bool stylusCaptured = false;
};

WindowState& windowState();
bool windowExists();

// Queues a message for the window; dropped while there is no window.
void postMessage(platform::Message message, std::uint32_t firstWord, std::uint32_t secondWord);

// The window is gone: its timers and waiting messages go with it.
void discardWindowMessagesAndTimers();

// Turns one SDL event into the window's messages (or handles it inside the layer: F11, exposure).
void translateEvent(const SDL_Event& event);

// Shows the display memory in the window again (after exposure, resize or a new frame).
void showDisplay();
void releaseDisplayTexture();

// Toggles between the window and the desktop-sized full screen.
void toggleFullscreen();

// Keeps the window's present size for the next start, unless it is full screen, maximised or minimised.
void rememberWindowSize();

// One running copy per user: a Unix socket that a second start connects to.
bool askRunningCopyToRaise(std::string_view title);
void listenForOtherCopies(std::string_view title);
void stopListeningForOtherCopies();
// Brings the window forward when another start asked for it since the last call.
void answerOtherCopies();

// The exit code for a device that could not run the program at all.
void setDeviceFailureExitCode(int code);

}  // namespace sdl_device
