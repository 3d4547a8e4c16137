// Keyboard events as window commands or hardware keys.
#include "platform/sdl/sdl_key_translation.h"

namespace sdl_device {
namespace {

constexpr SDL_Keycode FULLSCREEN_KEY = SDLK_F11;

}  // namespace

KeyTranslation translateKey(SDL_Keycode key, bool pressed, bool repeat) {
    if (key == FULLSCREEN_KEY) {
        return {pressed && !repeat ? KeyAction::ToggleFullscreen : KeyAction::Ignore, platform::Message::KeyDown, 0};
    }
    const auto code = platform::lowWord(static_cast<std::uint32_t>(key));
    return {KeyAction::HardwareKey, pressed ? platform::Message::KeyDown : platform::Message::KeyUp, code};
}

}  // namespace sdl_device
