// The page's input as the device's: the mouse, a pen or one finger is the stylus, keys are the hardware
// keys, and the page's visibility and the window's focus are the window's focus. Each event is
// delivered at once, so that the game answers a tap within the browser's own handling of it.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "platform/web/stylus_mapping.h"
#include "platform/web/web_device.h"

namespace {

using platform::Message;

constexpr int NO_POINTER = -1;
constexpr int NOT_DELIVERED = -1;
constexpr unsigned long TAB_KEY = 9;                 // moves between the page's own controls
constexpr unsigned long FIRST_FUNCTION_KEY = 112;  // F1 .. F12 stay the browser's own
constexpr unsigned long LAST_FUNCTION_KEY = 123;

// The page's pointer events, as web_glue.js passes them on.
enum StylusPhase : int { PHASE_DOWN = 0, PHASE_MOVE = 1, PHASE_UP = 2, PHASE_CANCEL = 3 };

int activePointer = NO_POINTER;
bool focused = true;

web::CanvasBox canvasBox() {
    float box[4] = {};
    webCanvasBox(box);
    return {box[0], box[1], box[2], box[3]};
}

// Posts the stylus message at the display pixel under page point (pageX, pageY) and answers that
// pixel as the message's position word.
int postStylus(Message message, double pageX, double pageY, const web::CanvasBox& box) {
    const web::DisplayPoint point = web::displayPointAt(pageX, pageY, box, web::DISPLAY_WIDTH, web::DISPLAY_HEIGHT);
    const std::uint32_t position = platform::positionWord(point.x, point.y);
    web::postMessage(message, 0, position);
    web::deliverQueued();
    return static_cast<int>(position);
}

// Only a touch that lands on the picture becomes the stylus, and only one at a time: other fingers are
// ignored until it lifts. Off the picture a held stylus reaches the game only while it is captured.
int stylusDown(int pointer, double pageX, double pageY) {
    const web::CanvasBox box = canvasBox();
    if (activePointer != NO_POINTER || !web::onCanvas(pageX, pageY, box)) return NOT_DELIVERED;
    activePointer = pointer;
    return postStylus(Message::StylusDown, pageX, pageY, box);
}

int stylusMoveOrUp(Message message, double pageX, double pageY) {
    const web::CanvasBox box = canvasBox();
    if (!web::stylusCaptured() && !web::onCanvas(pageX, pageY, box)) return NOT_DELIVERED;
    return postStylus(message, pageX, pageY, box);
}

// Shortcuts of the browser (with Ctrl, Alt or Meta, and the function keys), Tab, and the keys the page
// keeps for itself (every key of a page control that has the focus, the control layer's keys) stay
// the browser's.
bool browserKey(const EmscriptenKeyboardEvent* event, bool down) {
    return event->ctrlKey || event->altKey || event->metaKey || event->keyCode == TAB_KEY ||
           (event->keyCode >= FIRST_FUNCTION_KEY && event->keyCode <= LAST_FUNCTION_KEY) ||
           webPageTakesKey(event->key, static_cast<int>(event->keyCode), down ? 1 : 0) != 0;
}

EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent* event, void*) {
    const bool down = eventType == EMSCRIPTEN_EVENT_KEYDOWN;
    if (browserKey(event, down)) return EM_FALSE;
    const Message message = down ? Message::KeyDown : Message::KeyUp;
    web::postMessage(message, platform::lowWord(static_cast<std::uint32_t>(event->keyCode)), 0);
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

// Called by the page for each pointer event of the canvas (which keeps the pointer captured while it
// is down), with the page position in fractional CSS pixels, so that a tap lands on the display pixel
// under it at any scale. Answers the position word the game was given, or -1 when the event is no
// stylus input.
extern "C" EMSCRIPTEN_KEEPALIVE int webStylus(int phase, int pointer, double pageX, double pageY) {
    if (phase == PHASE_DOWN) return stylusDown(pointer, pageX, pageY);
    if (pointer != activePointer) return NOT_DELIVERED;
    if (phase == PHASE_MOVE) return stylusMoveOrUp(Message::StylusMove, pageX, pageY);
    activePointer = NO_POINTER;
    // A cancelled touch (the system took it over) lifts the stylus where it was last seen.
    return stylusMoveOrUp(Message::StylusUp, pageX, pageY);
}

namespace web {

void installInputHandlers() {
    webListenToPointers();
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
    // Not in the capture phase: only the window's own focus counts, not that of anything in the page.
    emscripten_set_focus_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onFocus);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onFocus);
    emscripten_set_visibilitychange_callback(nullptr, EM_TRUE, onVisibilityChange);
}

}  // namespace web
