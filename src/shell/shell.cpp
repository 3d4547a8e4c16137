// The application shell: start-up up to the message loop, the loop itself, and the window procedure
// that turns the device's messages into the game's events.
#include "shell/shell.h"

#include <memory>
#include <new>

#include "game/game_state.h"
#include "game/level_clock.h"
#include "game/screens.h"
#include "game/sound_cues.h"
#include "game/stylus_down.h"
#include "game/stylus_up.h"
#include "gfx/frame.h"

namespace {

constexpr std::uint32_t FRAME_PERIOD_MS = 16;
constexpr std::int32_t REQUIRED_BITS_PER_PIXEL = 16;
constexpr const char* COLOUR_DEPTH_MESSAGE = "Full 16-bit color display is required!";
constexpr const char* COLOUR_DEPTH_CAPTION = "Problem:";
constexpr int QUIT_EXIT_CODE = 0;

// The frame belongs to the shell from the display check until the window is destroyed.
std::unique_ptr<std::uint16_t[]> backBuffer;

bool allocateBackBuffer() {
    screenFrame.backBufferSize = BACK_BUFFER_SIZE;
    backBuffer.reset(new (std::nothrow) std::uint16_t[FRAME_PIXELS]());
    screenFrame.BackBuffer = backBuffer.get();
    return backBuffer != nullptr;
}

void freeBackBuffer() {
    backBuffer.reset();
    screenFrame.BackBuffer = nullptr;
}

// A window that could not get the display is left to the end of the process, as is a found copy.
bool createMainWindow() {
    if (platform::raiseRunningCopy(WINDOW_TITLE)) return false;
    if (!platform::createWindow(WINDOW_TITLE, windowProcedure)) return false;
    if (!platform::openDisplay()) return false;
    platform::openInput();
    screenFrame.displayProperties = platform::displayProperties();
    if (screenFrame.displayProperties.bitsPerPixel == REQUIRED_BITS_PER_PIXEL) return allocateBackBuffer();
    platform::showMessageBox(COLOUR_DEPTH_MESSAGE, COLOUR_DEPTH_CAPTION);
    platform::closeDisplay();
    platform::closeInput();
    return false;
}

void onDestroy() {
    platform::closeDisplay();
    platform::closeInput();
    platform::releaseStylus();
    platform::killTimer(TIMER_FRAME);
    freeBackBuffer();
    platform::postQuitMessage(QUIT_EXIT_CODE);
}

void onFocusGained() {
    platform::resumeDisplay();
    pauseMusic(false);
    gameState.active = 1;
}

void onFocusLost() {
    gameState.active = 0;
    pauseMusic(true);
    platform::suspendDisplay();
}

// Without the focus the game is not redrawn; the last frame is shown again.
void onFrameTick() {
    if (gameState.active == 1) {
        renderFrame();
        return;
    }
    presentFrame(screenFrame);
}

// Before the first frame tick has initialised the game nothing is on the screen to aim at, and a
// command would act on the empty start-up state (HELP would save it over the player's records).
bool gameInitialised() { return gameState.initPending == 0; }

int stylusX(std::uint32_t position) { return static_cast<int>(platform::lowWord(position)); }
int stylusY(std::uint32_t position) { return static_cast<int>(platform::highWord(position)); }

}  // namespace

bool startApplication() {
    if (!createMainWindow()) return false;
    platform::captureStylus();
    platform::setTimer(TIMER_FRAME, FRAME_PERIOD_MS, nullptr);
    return true;
}

int runApplication() {
    if (!startApplication()) return platform::exitCode();
    platform::MessageRecord record;
    while (platform::getMessage(record)) platform::dispatchMessage(record);
    return platform::exitCode();
}

std::intptr_t windowProcedure(platform::Message message, std::uint32_t firstWord, std::uint32_t secondWord) {
    using platform::Message;
    switch (message) {
        case Message::Create: gameState.active = 1; return 0;
        case Message::Destroy: onDestroy(); return 0;
        case Message::FocusGained: onFocusGained(); return 0;
        case Message::FocusLost: onFocusLost(); return 0;
        case Message::KeyDown: keyDown(platform::lowWord(firstWord)); return 0;
        case Message::KeyUp: return 0;
        case Message::Timer: onFrameTick(); return platform::defaultWindowProcedure(message, firstWord, secondWord);
        case Message::StylusMove: return 0;
        case Message::StylusDown:
            if (gameInitialised()) stylusDown(stylusX(secondWord), stylusY(secondWord));
            return 0;
        case Message::StylusUp:
            if (gameInitialised()) stylusUp(stylusX(secondWord), stylusY(secondWord));
            return 0;
        default: return platform::defaultWindowProcedure(message, firstWord, secondWord);
    }
}

// The key code is not looked at: every hardware key does the same.
void keyDown(std::uint32_t) {
    if (gameState.screen != SCREEN_PLAY) return;
    stopClockTimers();
    gameState.screen = SCREEN_HOME;
}
