// The page's input as the device's: the mouse and one finger are the stylus, keys are the hardware
// keys, and the page's visibility and the window's focus are the window's focus. Each event is
// delivered at once, so that the game answers a tap within the browser's own handling of it.
#include <emscripten/html5.h>

#include "platform/web/stylus_mapping.h"
#include "platform/web/web_device.h"

namespace {

using platform::Message;

constexpr const char* CANVAS = "#canvas";
constexpr unsigned short MAIN_BUTTON = 0;
constexpr long NO_TOUCH = -1;
constexpr unsigned long FIRST_FUNCTION_KEY = 112;  // F1 .. F12 stay the browser's own
constexpr unsigned long LAST_FUNCTION_KEY = 123;
constexpr std::uint32_t LOW_WORD_MASK = 0xFFFF;
constexpr int HIGH_WORD_SHIFT = 16;

bool mouseHeld = false;
long activeTouch = NO_TOUCH;
bool focused = true;

web::CanvasBox canvasBox() {
    float box[4] = {};
    webCanvasBox(box);
    return {box[0], box[1], box[2], box[3]};
}

void postStylus(Message message, double pageX, double pageY) {
    const web::DisplayPoint point = web::displayPointAt(pageX, pageY, canvasBox(), web::DISPLAY_WIDTH,
                                                        web::DISPLAY_HEIGHT);
    const std::uint32_t position = (static_cast<std::uint32_t>(point.x) & LOW_WORD_MASK) |
                                   ((static_cast<std::uint32_t>(point.y) & LOW_WORD_MASK) << HIGH_WORD_SHIFT);
    web::postMessage(message, 0, position);
    web::deliverQueued();
}

// Off the canvas the stylus reaches the game only while it is captured.
bool reachesGame(double pageX, double pageY) {
    return web::stylusCaptured() || web::onCanvas(pageX, pageY, canvasBox());
}

EM_BOOL onMouseDown(int, const EmscriptenMouseEvent* event, void*) {
    if (event->button != MAIN_BUTTON || activeTouch != NO_TOUCH) return EM_FALSE;
    mouseHeld = true;
    postStylus(Message::StylusDown, event->clientX, event->clientY);
    return EM_TRUE;
}

EM_BOOL onMouseMove(int, const EmscriptenMouseEvent* event, void*) {
    if (!mouseHeld || !reachesGame(event->clientX, event->clientY)) return EM_FALSE;
    postStylus(Message::StylusMove, event->clientX, event->clientY);
    return EM_FALSE;
}

EM_BOOL onMouseUp(int, const EmscriptenMouseEvent* event, void*) {
    if (!mouseHeld || event->button != MAIN_BUTTON) return EM_FALSE;
    mouseHeld = false;
    if (reachesGame(event->clientX, event->clientY)) postStylus(Message::StylusUp, event->clientX, event->clientY);
    return EM_TRUE;
}

const EmscriptenTouchPoint* changedTouch(const EmscriptenTouchEvent* event, long identifier) {
    for (int i = 0; i < event->numTouches; ++i) {
        const EmscriptenTouchPoint& touch = event->touches[i];
        if (touch.isChanged && (identifier == NO_TOUCH || touch.identifier == identifier)) return &touch;
    }
    return nullptr;
}

// Only the first finger is the stylus; others are ignored until it lifts. Touches are always taken
// from the page, so that no mouse events are made up from them and the page neither scrolls nor zooms.
EM_BOOL onTouchStart(int, const EmscriptenTouchEvent* event, void*) {
    if (activeTouch != NO_TOUCH || mouseHeld) return EM_TRUE;
    const EmscriptenTouchPoint* touch = changedTouch(event, NO_TOUCH);
    if (touch == nullptr) return EM_TRUE;
    activeTouch = touch->identifier;
    postStylus(Message::StylusDown, touch->clientX, touch->clientY);
    return EM_TRUE;
}

EM_BOOL onTouchMove(int, const EmscriptenTouchEvent* event, void*) {
    if (activeTouch == NO_TOUCH) return EM_TRUE;
    const EmscriptenTouchPoint* touch = changedTouch(event, activeTouch);
    if (touch != nullptr && reachesGame(touch->clientX, touch->clientY)) {
        postStylus(Message::StylusMove, touch->clientX, touch->clientY);
    }
    return EM_TRUE;
}

EM_BOOL onTouchEnd(int, const EmscriptenTouchEvent* event, void*) {
    if (activeTouch == NO_TOUCH) return EM_TRUE;
    const EmscriptenTouchPoint* touch = changedTouch(event, activeTouch);
    if (touch == nullptr) return EM_TRUE;
    activeTouch = NO_TOUCH;
    if (reachesGame(touch->clientX, touch->clientY)) postStylus(Message::StylusUp, touch->clientX, touch->clientY);
    return EM_TRUE;
}

// Shortcuts of the browser (with Ctrl, Alt or Meta, and the function keys) stay the browser's.
bool browserKey(const EmscriptenKeyboardEvent* event) {
    return event->ctrlKey || event->altKey || event->metaKey ||
           (event->keyCode >= FIRST_FUNCTION_KEY && event->keyCode <= LAST_FUNCTION_KEY);
}

EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent* event, void*) {
    if (browserKey(event)) return EM_FALSE;
    const Message message = eventType == EMSCRIPTEN_EVENT_KEYDOWN ? Message::KeyDown : Message::KeyUp;
    web::postMessage(message, static_cast<std::uint32_t>(event->keyCode) & LOW_WORD_MASK, 0);
    web::deliverQueued();
    return EM_TRUE;
}

// Hiding the page and leaving the window both take the focus; each change is told once.
void setFocused(bool nowFocused) {
    if (focused == nowFocused) return;
    focused = nowFocused;
    web::postMessage(nowFocused ? Message::FocusGained : Message::FocusLost, 0, 0);
    web::deliverQueued();
}

EM_BOOL onFocus(int eventType, const EmscriptenFocusEvent*, void*) {
    EmscriptenVisibilityChangeEvent visibility{};
    emscripten_get_visibility_status(&visibility);
    setFocused(eventType == EMSCRIPTEN_EVENT_FOCUS && !visibility.hidden);
    return EM_FALSE;
}

EM_BOOL onVisibilityChange(int, const EmscriptenVisibilityChangeEvent* event, void*) {
    setFocused(!event->hidden);
    return EM_FALSE;
}

}  // namespace

namespace web {

void installInputHandlers() {
    emscripten_set_mousedown_callback(CANVAS, nullptr, EM_TRUE, onMouseDown);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onMouseMove);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onMouseUp);
    emscripten_set_touchstart_callback(CANVAS, nullptr, EM_TRUE, onTouchStart);
    emscripten_set_touchmove_callback(CANVAS, nullptr, EM_TRUE, onTouchMove);
    emscripten_set_touchend_callback(CANVAS, nullptr, EM_TRUE, onTouchEnd);
    emscripten_set_touchcancel_callback(CANVAS, nullptr, EM_TRUE, onTouchEnd);
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
    // Not in the capture phase: only the window's own focus counts, not that of anything in the page.
    emscripten_set_focus_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onFocus);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onFocus);
    emscripten_set_visibilitychange_callback(nullptr, EM_TRUE, onVisibilityChange);
}

}  // namespace web
