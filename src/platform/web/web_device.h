// The browser device's parts as its files share them (window and messages, input, display, audio,
// system), and the page functions of web_glue.js they call. Not for use outside src/platform/web/.
// Everything runs on the page's one thread: the browser calls in between its own tasks, so nothing
// here is ever entered twice at once.
#pragma once

#include <cstdint>

#include "platform/message_queue.h"
#include "platform/platform.h"

// Implemented in web_glue.js and web_keeping.js.
extern "C" {
// A frame was presented from the 240 x 320 RGB565 display memory at `pixels`; the canvas is updated
// only when it `changed` since the last present.
void webPresent(const std::uint16_t* pixels, int changed);
// The canvas's box on the page in CSS pixels: left, top, width, height.
void webCanvasBox(float* box);
// Prepares the page's sound output for a stream of `rate` frames per second; it pulls frames through
// webAudioRender once the page's first tap has started it. 0 when the browser has no Web Audio.
int webAudioStart(std::uint32_t rate);
// The bytes kept in the browser under `key`, copied into buffer[0..capacity); their count, or -1 when
// nothing is kept.
int webStorageLoad(const char* key, std::uint8_t* buffer, int capacity);
void webStorageSave(const char* key, const std::uint8_t* bytes, int count);
// The name of the browser's kept item number `index`, copied into buffer[0..capacity) when it fits;
// its length, or -1 past the last item.
int webStorageKey(int index, char* buffer, int capacity);
// Listens to the canvas's pointer events and passes them to webStylus.
void webListenToPointers();
// 1 when the page keeps the key named `key` (KeyboardEvent.key) with code `keyCode`, going down
// (`down` 1) or up, from the game: a key of one of the page's own controls that has the focus, or a
// key the control layer over the canvas uses.
int webPageTakesKey(const char* key, int keyCode, int down);
// Gives the page's screen reader region the screen's summary and the news of the last action, and the
// board's description to say when the player asks for it.
void webAnnounce(const char* summary, const char* board, const char* news);
// The screen's controls for the control layer over the canvas: begun, each in reading order, shown.
void webControlsBegin();
void webControlAdd(int kind, int on, int row, int column, int left, int top, int right, int bottom, const char* name,
                   const char* value, const char* keys);
void webControlsShown();
// Calls webPump on the page's animation frames while the picture changes, at the game's timers while
// it is still, at once on the player's input (and from a slower timer while the page is hidden).
void webStartLoop();
// The game has ended its message loop.
void webGameEnded(int exitCode);
void webShowMessage(const char* text, const char* caption);
// Holds a screen wake lock while `awake` is non-zero and the page is visible (web_keeping.js).
void webKeepScreenAwake(int awake);
// Asks the browser to make the page's storage persistent (web_keeping.js).
void webAskToKeepFiles();
}

namespace web {

using platform::DIRECT_565_FORMAT;
using platform::DISPLAY_HEIGHT;
using platform::DISPLAY_WIDTH;

// Queues a message for the window; dropped while there is none.
void postMessage(platform::Message message, std::uint32_t firstWord, std::uint32_t secondWord);
// Posts a tick for every timer that has fallen due, then delivers everything queued. With `everyTick`,
// the ticks that fell due since the last call (a few at most) are first delivered one by one, in order,
// each timer on its own beat, as they would have come one call each.
void runDueWork(bool everyTick);
// Milliseconds until the page should call runDueWork again while its picture stands still: once the
// next timer tick and the fastest timer's following STILL_TICKS_SLEPT - 1 ticks have fallen due; -1
// without a timer.
double msUntilStillPump();
using platform::deliverQueued;
bool windowExists();
bool stylusCaptured();
bool quitPosted();

// Registers the page's mouse, touch, key and focus events.
void installInputHandlers();

// The program's folder exists, and holds the files the browser kept from the last visit.
void restoreKeptFiles();

}  // namespace web
