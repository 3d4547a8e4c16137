// The SDL2 window: opened at the size it had last time (or a whole multiple of the display's size that
// fits the desktop), resizable, showing the display letterboxed; the message box; stylus capture; the
// screen saver held off on request.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/sdl/sdl_device.h"
#include "platform/window_settings.h"

namespace sdl_device {
namespace {

constexpr int NO_DISPLAY_EXIT_CODE = 1;
constexpr Uint32 NOT_A_PLAIN_WINDOW = SDL_WINDOW_FULLSCREEN | SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_MAXIMIZED |
                                      SDL_WINDOW_MINIMIZED;

// What the settings file holds (none when it is missing or damaged) and the size the window opened at.
struct RememberedSize {
    std::string path;
    std::optional<window_settings::WindowSize> stored;
    window_settings::WindowSize opened;
};

RememberedSize& rememberedSize() {
    static RememberedSize state;
    return state;
}

// Last run's size when it still makes sense on this desktop, else the default size.
window_settings::WindowSize openingSize() {
    RememberedSize& remembered = rememberedSize();
    remembered.path = window_settings::settingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    remembered.stored = remembered.path.empty() ? std::nullopt : window_settings::loadWindowSize(remembered.path);
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) desktop.w = desktop.h = 0;
    remembered.opened = window_settings::chooseWindowSize(remembered.stored, desktop.w, desktop.h);
    return remembered.opened;
}

// SDL falls back on drivers that draw into memory when there is no display; those show the player
// nothing, so they count only when asked for by name (SDL_VIDEODRIVER).
bool showsAWindow() {
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (driver == nullptr) return false;
    const bool inMemory = SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0;
    return !inMemory || (asked != nullptr && SDL_strcmp(asked, driver) == 0);
}

bool openVideo() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "spirehold: no display to open a window on (%s)\n", SDL_GetError());
        return false;
    }
    // SDL keeps the screen saver away as soon as video starts; the game asks for that only while a level
    // is played (keepScreenAwake).
    SDL_EnableScreenSaver();
    if (showsAWindow()) return true;
    std::fprintf(stderr, "spirehold: no display to open a window on (is DISPLAY or WAYLAND_DISPLAY set?)\n");
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
}

// A 240 x 320 frame shown at a whole scale, and only when it changed, needs no graphics card. On X11
// SDL's software renderer draws straight into the window (shared-memory images, no texture framebuffer)
// and spares the GL driver, which alone would take several times the memory of the whole game. Other
// video drivers have no such window memory, so there the GPU renderer comes first.
// SDL_RENDER_DRIVER and SDL_FRAMEBUFFER_ACCELERATION still choose for who sets them.
bool createRenderer(WindowState& state) {
    const bool drawsWithoutGl = SDL_strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0;
    if (drawsWithoutGl) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const Uint32 first = drawsWithoutGl ? SDL_RENDERER_SOFTWARE : SDL_RENDERER_ACCELERATED;
    const Uint32 second = drawsWithoutGl ? SDL_RENDERER_ACCELERATED : SDL_RENDERER_SOFTWARE;
    state.renderer = SDL_CreateRenderer(state.window, -1, first);
    if (state.renderer == nullptr) state.renderer = SDL_CreateRenderer(state.window, -1, second);
    if (state.renderer == nullptr) return false;
    SDL_RenderSetLogicalSize(state.renderer, DISPLAY_WIDTH, DISPLAY_HEIGHT);
    SDL_RenderSetIntegerScale(state.renderer, SDL_TRUE);
    return true;
}

void destroySdlWindow(WindowState& state) {
    releaseDisplayTexture();
    if (state.renderer != nullptr) SDL_DestroyRenderer(state.renderer);
    if (state.window != nullptr) SDL_DestroyWindow(state.window);
    state.renderer = nullptr;
    state.window = nullptr;
}

}  // namespace

WindowState& windowState() {
    static WindowState state;
    return state;
}

bool windowExists() { return windowState().procedure != nullptr; }

// A window never resized and nothing stored leaves no file, so the default keeps following the desktop.
void rememberWindowSize() {
    SDL_Window* window = windowState().window;
    RememberedSize& remembered = rememberedSize();
    if (window == nullptr || remembered.path.empty() || (SDL_GetWindowFlags(window) & NOT_A_PLAIN_WINDOW) != 0) return;
    window_settings::WindowSize size;
    SDL_GetWindowSize(window, &size.width, &size.height);
    if (remembered.stored == size || (!remembered.stored.has_value() && size == remembered.opened)) return;
    if (window_settings::saveWindowSize(remembered.path, size)) remembered.stored = size;
}

void toggleFullscreen() {
    SDL_Window* window = windowState().window;
    const bool fullscreen = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowFullscreen(window, fullscreen ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

}  // namespace sdl_device

namespace platform {

using sdl_device::windowState;

bool raiseRunningCopy(std::string_view title) { return sdl_device::askRunningCopyToRaise(title); }

// Without a display the program cannot run at all: that is said on stderr and ends the program with
// a failure code, unlike the silent ends of the device's own start-up.
bool createWindow(std::string_view title, WindowProcedure procedure) {
    if (sdl_device::windowExists() || procedure == nullptr) return false;
    if (!sdl_device::openVideo()) {
        sdl_device::setDeviceFailureExitCode(sdl_device::NO_DISPLAY_EXIT_CODE);
        return false;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    sdl_device::WindowState& state = windowState();
    const window_settings::WindowSize size = sdl_device::openingSize();
    const std::string titleText(title);
    state.window = SDL_CreateWindow(titleText.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size.width,
                                    size.height, SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN);
    if (state.window == nullptr || !sdl_device::createRenderer(state)) {
        sdl_device::destroySdlWindow(state);
        return false;
    }
    SDL_SetWindowMinimumSize(state.window, sdl_device::DISPLAY_WIDTH, sdl_device::DISPLAY_HEIGHT);
    sdl_device::listenForOtherCopies(title);
    state.procedure = procedure;
    procedure(Message::Create, 0, 0);
    return true;
}

void destroyWindow() {
    sdl_device::WindowState& state = windowState();
    if (!sdl_device::windowExists()) return;
    sdl_device::rememberWindowSize();
    state.procedure(Message::Destroy, 0, 0);
    state.procedure = nullptr;
    sdl_device::discardWindowMessagesAndTimers();
    releaseStylus();
    sdl_device::stopListeningForOtherCopies();
    sdl_device::destroySdlWindow(state);
}

std::intptr_t defaultWindowProcedure(Message message, std::uint32_t, std::uint32_t) {
    if (message == Message::Close) destroyWindow();
    return 0;
}

std::intptr_t sendMessage(Message message, std::uint32_t firstWord, std::uint32_t secondWord) {
    if (!sdl_device::windowExists()) return 0;
    return windowState().procedure(message, firstWord, secondWord);
}

void captureStylus() { windowState().stylusCaptured = sdl_device::windowExists(); }

void releaseStylus() {
    windowState().stylusCaptured = false;
    SDL_CaptureMouse(SDL_FALSE);
}

void keepScreenAwake(bool awake) {
    if (awake) {
        SDL_DisableScreenSaver();
    } else {
        SDL_EnableScreenSaver();
    }
}

void showMessageBox(std::string_view text, std::string_view caption) {
    const std::string textCopy(text);
    const std::string captionCopy(caption);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, captionCopy.c_str(), textCopy.c_str(), windowState().window);
}

}  // namespace platform
