// What a keyboard event means to the device: a window command kept inside the layer (F11: full
// screen), or a hardware key for the game. Apart from the rest of the layer so it can be checked alone.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/platform.h"

namespace sdl_device {

enum class KeyAction {
    Ignore,            // nothing reaches the game or the window
    ToggleFullscreen,  // the window switches between windowed and full screen
    HardwareKey,       // `message` with `code` goes to the game
};

struct KeyTranslation {
    KeyAction action = KeyAction::Ignore;
    platform::Message message = platform::Message::KeyDown;
    std::uint32_t code = 0;
};

// `pressed` is true for a key press, `repeat` for the keyboard's own repeats of a held key. F11 toggles
// once per press (its repeats and its release do nothing); every other key, repeats included, is a
// hardware key whose code is the low 16 bits of the SDL key code.
KeyTranslation translateKey(SDL_Keycode key, bool pressed, bool repeat);

}  // namespace sdl_device
