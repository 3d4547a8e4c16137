// The device layer: everything the game uses of the machine it runs on. One backend is linked in
// (SDL2 for the real program, headless for tests and tools, the browser for the web); the game sees only this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// ---- Window and messages -------------------------------------------------------------------------

// The messages the window procedure receives. Stylus messages carry x in the low and y in the high
// 16 bits of the second parameter word; KeyDown/KeyUp carry the key code in the first.
enum class Message : std::uint32_t {
    Create,       // sent from inside createWindow, before it returns
    Destroy,      // sent by the default handling of Close
    Activate,     // first word 0: deactivated (closeApplication sends it before Close)
    FocusGained,
    FocusLost,
    KeyDown,
    KeyUp,
    Timer,        // a timer without callback fell due; first word is the timer id
    StylusMove,
    StylusDown,
    StylusUp,
    Close,        // the window's close button, or sendMessage(Close)
};

// The window procedure; returns the message's result.
using WindowProcedure = std::intptr_t (*)(Message message, std::uint32_t firstWord, std::uint32_t secondWord);

// The halves of a message word, as Message describes them.
inline constexpr std::uint32_t LOW_WORD_MASK = 0xFFFF;
inline constexpr int HIGH_WORD_SHIFT = 16;

constexpr std::uint32_t lowWord(std::uint32_t word) { return word & LOW_WORD_MASK; }
constexpr std::uint32_t highWord(std::uint32_t word) { return word >> HIGH_WORD_SHIFT; }
// A stylus message's position word; each coordinate keeps its low 16 bits.
constexpr std::uint32_t positionWord(int x, int y) {
    return lowWord(static_cast<std::uint32_t>(x)) | (lowWord(static_cast<std::uint32_t>(y)) << HIGH_WORD_SHIFT);
}

// One queued message as getMessage hands it out.
struct MessageRecord {
    Message message = Message::Timer;
    std::uint32_t firstWord = 0;
    std::uint32_t secondWord = 0;
    void (*timerCallback)(std::uint32_t timerId) = nullptr;  // set for callback timers
};

// Finds a running copy of the game with this title. When there is one, asks it to come to the front
// and returns true; this copy should then end.
bool raiseRunningCopy(std::string_view title);

// Creates the one window with this title and procedure; the Create message reaches the procedure
// before this returns. Returns false when no window could be made (for instance: no display).
bool createWindow(std::string_view title, WindowProcedure procedure);

// Ends the window: sends Destroy to the procedure. Safe to call once the window is gone.
void destroyWindow();

// Default handling of a message the procedure did not consume: Close destroys the window; everything
// else is ignored. Returns 0.
std::intptr_t defaultWindowProcedure(Message message, std::uint32_t firstWord, std::uint32_t secondWord);

// Sends a message straight to the window procedure (synchronously) and returns its result.
std::intptr_t sendMessage(Message message, std::uint32_t firstWord, std::uint32_t secondWord);

// Blocks until the next message (sleeping, never spinning, while nothing is due). Returns false once
// the quit message has been taken, after which exitCode() is the code given to postQuitMessage.
bool getMessage(MessageRecord& record);

// Delivers a message: a callback timer's message to its callback, everything else to the procedure.
void dispatchMessage(const MessageRecord& record);

// Ends the message loop: the next getMessage returns false.
void postQuitMessage(int exitCode);
// The code given to postQuitMessage; before that 0, or non-zero when the device could not run the
// program at all (no display to open a window on).
int exitCode();

// All stylus input goes to the window (and stays within the display) while captured.
void captureStylus();
void releaseStylus();

// Shows a modal message; the headless backend records it instead.
void showMessageBox(std::string_view text, std::string_view caption);

// ---- Timers and time -----------------------------------------------------------------------------

using TimerCallback = void (*)(std::uint32_t timerId);

// Starts (or restarts, if it already runs) timer `id` with the given period. Without a callback its
// ticks arrive as Message::Timer at the window procedure; with one, getMessage hands out a record
// that dispatchMessage passes to the callback. A due timer has at most one pending tick.
void setTimer(std::uint32_t id, std::uint32_t periodMs, TimerCallback callback);
void killTimer(std::uint32_t id);

// Milliseconds since the program started (wraps after 49 days, as on the device).
std::uint32_t tickCount();

// The device's pseudo-random source: an unsigned 32-bit number per call.
std::uint32_t randomNumber();

// ---- Direct display ------------------------------------------------------------------------------

// The handheld's screen, which the desktop window and the browser canvas stand in for: 240 x 320
// pixels of 16-bit RGB565 in direct colour.
inline constexpr std::int32_t DISPLAY_WIDTH = 240;
inline constexpr std::int32_t DISPLAY_HEIGHT = 320;
inline constexpr std::int32_t DIRECT_FORMAT = 0x20;      // display format flag: direct colour
inline constexpr std::int32_t DIRECT_565_FORMAT = 0xA0;  // direct colour, 5-6-5 layout

struct DisplayProperties {
    std::int32_t width = 0;         // pixels per display row
    std::int32_t height = 0;        // display rows
    std::int32_t xPitch = 0;        // bytes from one pixel to the next in a row; may be negative
    std::int32_t yPitch = 0;        // bytes from one row to the next; may be negative
    std::int32_t bitsPerPixel = 0;
    std::int32_t format = 0;        // format flags, reported as the device gives them
};

// Exclusive full-screen access to the display and the hardware keys.
bool openDisplay();
void closeDisplay();
bool openInput();
void closeInput();
DisplayProperties displayProperties();

// beginDraw returns the address of display pixel (0, 0) (pitches walk from there), or nullptr when the
// display cannot be drawn on now. endDraw shows what was drawn and returns non-zero on success.
std::uint16_t* beginDraw();
int endDraw();

// Give up / regain the display while the window has lost the focus.
void suspendDisplay();
void resumeDisplay();

// Whether the screen should stay lit (no screen saver, no dimming) while nobody touches it: the game asks
// for it while a level is played, where a player may think for minutes, and lets go on every other
// screen. A device that cannot, or is refused, carries on as it was.
void keepScreenAwake(bool awake);

// ---- Resources and files -------------------------------------------------------------------------

// The bytes of resource `type` ("IMAGE", "WAVE", "MOD") number `id` built into the program, or an
// empty span when there is none. Images are little-endian RGB565 pixels; sounds and music as stored.
std::span<const std::uint8_t> findResource(std::string_view type, int id);

// The full path of the running program, e.g. "/usr/games/spirehold".
std::string programPath();

// A folder of this user's where the game may keep its data (XDG data home; created when missing),
// ending in '/'; empty when there is none.
std::string userDataFolder();

// The game has written the file at `path` whole (its records, after each change). A device whose files
// do not outlive the program (the browser's) keeps a copy and puts it back at the same path before
// the program next starts; the others have nothing to do.
void fileSaved(std::string_view path);

// The player now has something worth keeping (the game calls this after its first save of a game in
// play). A device whose kept files the system may clear to make room (the browser's storage) asks for
// them to be kept for good; a refusal changes nothing else. The others have nothing to do.
void askToKeepFiles();

// ---- Audio output --------------------------------------------------------------------------------

// 8-bit PCM is unsigned: silence is the middle value, the loudest the top one.
inline constexpr std::uint8_t AUDIO_8_BIT_SILENCE = 0x80;
inline constexpr std::uint8_t AUDIO_8_BIT_MAX = 0xFF;

// A buffer handed to the audio output, laid out like the device's own buffer header. The layer plays
// only whole frames of `data[0..length)`.
struct AudioBufferHeader {
    std::uint8_t* data = nullptr;
    std::uint32_t length = 0;
    std::uint32_t bytesRecorded = 0;
    void* user = nullptr;
    std::uint32_t flags = 0;
    std::uint32_t loops = 0;
};

// Called on the audio thread each time the output has played a buffer, in the order written.
using AudioDoneCallback = void (*)(void* instance, AudioBufferHeader* header);

// Opens the output for interleaved PCM (channels 1..2, bits 8 or 16). Returns false when no output
// could be opened.
bool audioOpen(std::uint32_t channels, std::uint32_t rate, std::uint32_t bits, AudioDoneCallback done,
               void* instance);
bool audioPrepare(AudioBufferHeader* header);
bool audioUnprepare(AudioBufferHeader* header);
// Queues a prepared buffer; returns false when it cannot be queued.
bool audioWrite(AudioBufferHeader* header);
// Stops playing and hands back (completes) every queued buffer.
void audioReset();
void audioClose();
// The output's volume word: low 16 bits the level of both channels (0..0xFFFF).
std::uint32_t audioGetVolume();
void audioSetVolume(std::uint32_t volume);

// ---- Words for a screen reader -------------------------------------------------------------------

// What a sighted player sees change, in words: `summary` names the screen in front ("Home", "Level 12,
// 4 by 4"), `board` describes the board in play row by row with its viewpoint numbers (empty when the
// screen shows no board), and `news` says what the player's last action changed on a screen that
// stayed (a cell's new content and the viewpoints that lit or went out; empty when there is nothing
// to say). The game calls this only when the summary or the board changed or there is news, after the
// frame that shows it. A device with a screen reader says the summary at once when it changed, else
// the news, and says the board when the player asks for it; the others ignore all three.
void announceScreen(std::string_view summary, std::string_view board, std::string_view news);

// ---- Controls for the keyboard and assistive technology ------------------------------------------

// What a control of the screen is.
enum class ControlKind : std::uint8_t {
    Button,        // a tap on it acts
    Toggle,        // a button that stays chosen: `on` while it is
    Switch,        // a button that turns something on or off: `on` while it is on
    Link,          // a tap on it turns to another page: `on` for the page in front
    Field,         // shows what the player types with other controls' keys: `value`; not tapped
    Grid,          // the screen's one grid, over the cells and headers that follow it; not tapped
    GridCell,      // a cell of the grid, at `row` and `column`; a tap on it acts
    ColumnHeader,  // names the grid's column `column`; read, not tapped
    RowHeader,     // names the grid's row `row`; read, not tapped
};

// One control. Its rectangle is in display pixels, inclusive on all four sides, and lies on the
// display; the tap that uses the control goes down and up at the rectangle's centre, rounded down.
// The texts are zero-terminated.
struct Control {
    ControlKind kind = ControlKind::Button;
    bool on = false;
    // The place of a grid cell or header: rows from the grid's top, columns from its left, from 0.
    std::int16_t row = 0, column = 0;
    std::int16_t left = 0, top = 0, right = 0, bottom = 0;
    const char* name = "";   // what the control is called
    const char* value = "";  // a field's content
    // Keys that tap the control while this screen is in front, named as a browser's KeyboardEvent.key
    // names them and space-separated ("A", "Backspace", "Enter"); empty for none. A key that uses the
    // control holding the focus (Enter on a focused button) taps that control instead.
    const char* keys = "";
};

// The controls the screen in front answers, in reading order (the grid, then its parts row by row); none on a
// screen without any. The game calls this only when they changed, after the frame that shows them;
// the texts live until the next call. A device that offers the screen to the keyboard and to
// assistive technology places one element of the page over each control's picture and taps the
// control's centre, as the stylus would, when the player uses it; the others ignore them.
void showControls(std::span<const Control> controls);

}  // namespace platform

// ---- The game's side -------------------------------------------------------------------------------

// The game's start-up up to its message loop (the application shell): creates the window, opens the
// display and starts the frame timer. Returns false when the program should end at once. A device
// whose message loop cannot block (the browser) calls this and then delivers the messages itself, as
// the game's own loop (runApplication) does on the others.
bool startApplication();
