// SDL events as the device's messages: the left mouse button and touch are the stylus, in display
// pixels, when they go down on the picture; keys are hardware keys; F11 toggles full screen inside the
// layer and never reaches the game.
#include "platform/sdl/sdl_device.h"
#include "platform/sdl/sdl_key_translation.h"
#include "platform/sdl/sdl_stylus_position.h"

namespace sdl_device {
namespace {

using platform::Message;

constexpr SDL_FingerID NO_FINGER = -1;

SDL_FingerID stylusFinger = NO_FINGER;
bool mouseStylusDown = false;

// The renderer has already turned window coordinates into display pixels. A stylus that went down on
// the picture and leaves it is pinned onto its edge, so that its lift still arrives.
void stylusDown(std::uint32_t position) {
    if (windowState().stylusCaptured) SDL_CaptureMouse(SDL_TRUE);
    postMessage(Message::StylusDown, 0, position);
}

void stylusMoveOrUp(Message message, float x, float y) {
    if (message == Message::StylusUp) SDL_CaptureMouse(SDL_FALSE);
    postMessage(message, 0, pinnedPosition(x, y));
}

// Touches also arrive as synthetic mouse events, which are left out so that each touch counts once.
void translateMouse(const SDL_Event& event) {
    switch (event.type) {
        case SDL_MOUSEBUTTONDOWN: {
            if (event.button.which == SDL_TOUCH_MOUSEID || event.button.button != SDL_BUTTON_LEFT) return;
            const auto press = mousePress(static_cast<float>(event.button.x), static_cast<float>(event.button.y));
            if (!press) return;
            mouseStylusDown = true;
            stylusDown(*press);
            return;
        }
        case SDL_MOUSEBUTTONUP:
            if (event.button.which == SDL_TOUCH_MOUSEID || event.button.button != SDL_BUTTON_LEFT || !mouseStylusDown) return;
            mouseStylusDown = false;
            stylusMoveOrUp(Message::StylusUp, static_cast<float>(event.button.x), static_cast<float>(event.button.y));
            return;
        case SDL_MOUSEMOTION:
            if (event.motion.which == SDL_TOUCH_MOUSEID || !mouseStylusDown) return;
            stylusMoveOrUp(Message::StylusMove, static_cast<float>(event.motion.x), static_cast<float>(event.motion.y));
            return;
        default:
            return;
    }
}

// Finger positions come normalised to the display's viewport; only the first finger down is the stylus.
void translateTouch(const SDL_Event& event) {
    const float x = event.tfinger.x * DISPLAY_WIDTH;
    const float y = event.tfinger.y * DISPLAY_HEIGHT;
    if (event.type == SDL_FINGERDOWN && stylusFinger == NO_FINGER) {
        const auto press = fingerPress(event.tfinger.x, event.tfinger.y);
        if (!press) return;
        stylusFinger = event.tfinger.fingerId;
        stylusDown(*press);
    } else if (event.tfinger.fingerId != stylusFinger) {
        return;
    } else if (event.type == SDL_FINGERMOTION) {
        stylusMoveOrUp(Message::StylusMove, x, y);
    } else if (event.type == SDL_FINGERUP) {
        stylusFinger = NO_FINGER;
        stylusMoveOrUp(Message::StylusUp, x, y);
    }
}

void translateKeyEvent(const SDL_Event& event) {
    const KeyTranslation key =
        translateKey(event.key.keysym.sym, event.type == SDL_KEYDOWN, event.key.repeat != 0);
    switch (key.action) {
        case KeyAction::ToggleFullscreen: toggleFullscreen(); return;
        case KeyAction::HardwareKey: postMessage(key.message, key.code, 0); return;
        case KeyAction::Ignore: return;
    }
}

void translateWindowEvent(const SDL_Event& event) {
    switch (event.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED: postMessage(Message::FocusGained, 0, 0); return;
        case SDL_WINDOWEVENT_FOCUS_LOST: postMessage(Message::FocusLost, 0, 0); return;
        case SDL_WINDOWEVENT_CLOSE: postMessage(Message::Close, 0, 0); return;
        case SDL_WINDOWEVENT_EXPOSED: showDisplay(); return;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            rememberWindowSize();
            showDisplay();
            return;
        default: return;
    }
}

}  // namespace

void translateEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
        case SDL_MOUSEMOTION: translateMouse(event); return;
        case SDL_FINGERDOWN:
        case SDL_FINGERUP:
        case SDL_FINGERMOTION: translateTouch(event); return;
        case SDL_KEYDOWN:
        case SDL_KEYUP: translateKeyEvent(event); return;
        case SDL_WINDOWEVENT: translateWindowEvent(event); return;
        case SDL_QUIT: postMessage(Message::Close, 0, 0); return;
        default: return;
    }
}

}  // namespace sdl_device
