// The headless device's own controls, for tests and tools: a virtual clock that moves only when told,
// injected input, display memory and played audio held in memory. Everything runs on the caller's
// thread; the audio output's completions arrive from advance(), in time order with the timers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace headless {

using platform::DIRECT_565_FORMAT;
using platform::DIRECT_FORMAT;

// The display a test gets when it asks for nothing else: the handheld's, rows of 480 bytes.
inline constexpr platform::DisplayProperties STANDARD_DISPLAY{
    platform::DISPLAY_WIDTH, platform::DISPLAY_HEIGHT, 2, platform::DISPLAY_WIDTH * 2, 16, DIRECT_565_FORMAT};

// Puts the whole device back to its power-on state: clock at 0, no window, no timers, no messages,
// display closed and blank, audio closed with nothing played, no message box, random source seeded
// with `seed` (same seed, same numbers). The program's path becomes programDir + "/spirehold" and the
// user's data folder a folder inside programDir, so nothing outside it is touched. `runningCopy`
// makes raiseRunningCopy find another copy of the game. An empty programDir picks a temporary folder
// of this process, removed when the process ends.
void configure(std::uint32_t seed, const platform::DisplayProperties& display, const std::string& programDir,
               bool runningCopy);
// configure(1, STANDARD_DISPLAY, "", false).
void reset();

// Makes the next createWindow / openDisplay fail, as a device without them would.
void setDeviceFailures(bool windowFails, bool displayFails);

// ---- Time ----------------------------------------------------------------------------------------

// Moves the virtual clock on by `ms`, delivering in time order every timer tick, every audio completion
// and every message posted on the way, through getMessage/dispatchMessage as the program's own loop
// does. Stops delivering once the quit message has been posted; the clock still moves.
void advance(std::uint64_t ms);
// Virtual milliseconds since configure (tickCount is its low 32 bits).
std::uint64_t now();

// ---- Input (each is posted and delivered at once; no time passes) --------------------------------
// Input is dropped while there is no window.

void stylusDown(int x, int y);
void stylusUp(int x, int y);
void stylusMove(int x, int y);
void keyDown(std::uint32_t keyCode);
void keyUp(std::uint32_t keyCode);
void focusLost();
void focusGained();
void close();  // the window's close button

// ---- Window and message loop ---------------------------------------------------------------------

bool windowExists();
std::string windowTitle();
// raiseRunningCopy found the other copy and asked it to come forward.
bool runningCopyRaised();
// The quit message has been posted: the program's message loop has ended (see platform::exitCode).
bool quitPosted();
bool stylusCaptured();

struct MessageBoxRecord {
    std::string text;
    std::string caption;
};
std::optional<MessageBoxRecord> lastMessageBox();

struct TimerInfo {
    std::uint32_t id = 0;
    std::uint32_t periodMs = 0;
    bool callback = false;
};
// The running timers in id order.
std::vector<TimerInfo> timers();

// ---- Display -------------------------------------------------------------------------------------

bool displayOpen();
bool displaySuspended();
bool inputOpen();

// The whole display memory in its own layout (pixels as 16-bit words), with the index of pixel (0, 0):
// pixel (x, y) is at origin + x * (xPitch >> 1) + y * (yPitch >> 1).
struct DisplayMemory {
    std::span<const std::uint16_t> words;
    std::size_t origin = 0;
};
DisplayMemory displayMemory();
// The word at display pixel (x, y) as the pitches place it; 0 outside the display.
std::uint16_t displayPixel(int x, int y);

// Frames presented: beginDraw followed by endDraw.
std::uint64_t framesPresented();
// Called at each present, after the frame reached the display memory (before endDraw returns).
// Cleared by configure.
void setPresentHook(std::function<void()> hook);

// ---- Audio output --------------------------------------------------------------------------------

struct AudioFormat {
    bool open = false;
    std::uint32_t channels = 0;
    std::uint32_t rate = 0;
    std::uint32_t bits = 0;
};
// The format of the output as last opened (kept after close).
AudioFormat audioFormat();
// Every whole frame the output has played since configure or the last clearAudioPlayed, in order, as
// the buffers held it. Holds at most AUDIO_PLAYED_LIMIT bytes; later frames are not kept.
inline constexpr std::size_t AUDIO_PLAYED_LIMIT = 64u << 20;
const std::vector<std::uint8_t>& audioPlayed();
void clearAudioPlayed();
// Buffers written and not yet completed.
std::size_t audioQueued();
// The device volume word as last set.
std::uint32_t audioVolume();

// ---- What the game asked of the device ------------------------------------------------------------

// The last keepScreenAwake value (false before any).
bool screenKeptAwake();
// Whether askToKeepFiles was called since configure.
bool keepingFilesAsked();

// ---- Words for a screen reader -------------------------------------------------------------------

struct Announcement {
    std::string summary;
    std::string board;
    std::string news;
};
// What the game last told announceScreen (empty texts before it has told anything).
Announcement lastAnnouncement();

// ---- Controls for the keyboard and assistive technology ------------------------------------------

// A control as showControls was told it, with its texts kept.
struct ShownControl {
    platform::ControlKind kind = platform::ControlKind::Button;
    bool on = false;
    int row = 0, column = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
    std::string name, value, keys;
};
// The controls the game last told showControls, in its order (none before it has told anything).
std::vector<ShownControl> lastControls();

}  // namespace headless
