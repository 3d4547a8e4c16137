// The SDL2 display: a 240 x 320 RGB565 memory that the game draws into between beginDraw and endDraw,
// shown scaled by a whole factor, nearest-neighbour and letterboxed. A frame equal to the one shown
// is not shown again, so a still screen costs almost nothing.
#include <array>
#include <cstring>

#include "platform/sdl/sdl_device.h"

namespace sdl_device {
namespace {

constexpr std::int32_t BYTES_PER_PIXEL = 2;
constexpr std::int32_t ROW_BYTES = DISPLAY_WIDTH * BYTES_PER_PIXEL;
constexpr std::int32_t BITS_PER_PIXEL = 16;
constexpr std::size_t DISPLAY_PIXELS = static_cast<std::size_t>(DISPLAY_WIDTH) * DISPLAY_HEIGHT;

struct Display {
    std::array<std::uint16_t, DISPLAY_PIXELS> memory{};
    std::array<std::uint16_t, DISPLAY_PIXELS> shown{};
    bool open = false;
    bool drawing = false;
    bool shownValid = false;
};

Display& display() {
    static Display state;
    return state;
}

bool ensureTexture(WindowState& state) {
    if (state.texture == nullptr && state.renderer != nullptr) {
        state.texture = SDL_CreateTexture(state.renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                          DISPLAY_WIDTH, DISPLAY_HEIGHT);
    }
    return state.texture != nullptr;
}

}  // namespace

void showDisplay() {
    WindowState& state = windowState();
    if (!display().open || !ensureTexture(state)) return;
    SDL_UpdateTexture(state.texture, nullptr, display().memory.data(), ROW_BYTES);
    SDL_SetRenderDrawColor(state.renderer, 0, 0, 0, SDL_ALPHA_OPAQUE);
    SDL_RenderClear(state.renderer);
    SDL_RenderCopy(state.renderer, state.texture, nullptr, nullptr);
    SDL_RenderPresent(state.renderer);
    display().shown = display().memory;
    display().shownValid = true;
}

void releaseDisplayTexture() {
    WindowState& state = windowState();
    if (state.texture != nullptr) SDL_DestroyTexture(state.texture);
    state.texture = nullptr;
    display().shownValid = false;
}

}  // namespace sdl_device

namespace platform {

using sdl_device::display;

bool openDisplay() {
    if (!sdl_device::windowExists()) return false;
    display().open = true;
    return true;
}

void closeDisplay() {
    display().open = false;
    display().drawing = false;
}

// The keys come through the window's keyboard events; there is nothing to open.
bool openInput() { return true; }
void closeInput() {}

DisplayProperties displayProperties() {
    return {sdl_device::DISPLAY_WIDTH, sdl_device::DISPLAY_HEIGHT, sdl_device::BYTES_PER_PIXEL,
            sdl_device::ROW_BYTES,     sdl_device::BITS_PER_PIXEL, platform::DIRECT_565_FORMAT};
}

std::uint16_t* beginDraw() {
    if (!display().open) return nullptr;
    display().drawing = true;
    return display().memory.data();
}

int endDraw() {
    if (!display().open) return 0;
    if (display().drawing) {
        display().drawing = false;
        if (!display().shownValid || display().memory != display().shown) sdl_device::showDisplay();
    }
    return 1;
}

// The window keeps showing the last frame while it has lost the focus; the inactive ticks present it
// again, which costs nothing as it does not change.
void suspendDisplay() {}
void resumeDisplay() { display().shownValid = false; }

}  // namespace platform
