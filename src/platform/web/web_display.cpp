// The browser device's display: 240 x 320 RGB565 memory that each present copies to the page's canvas.
// It stays drawable without the focus, as the inactive window still shows its last frame.
#include <array>

#include "platform/web/web_device.h"

namespace {

constexpr std::int32_t BYTES_PER_PIXEL = 2;
constexpr std::int32_t BITS_PER_PIXEL = 16;

struct Display {
    std::array<std::uint16_t, web::DISPLAY_WIDTH * web::DISPLAY_HEIGHT> memory{};
    bool open = false;
    bool drawing = false;
};

Display display;

}  // namespace

namespace platform {

bool openDisplay() {
    if (!web::windowExists()) return false;
    display.open = true;
    return true;
}

void closeDisplay() {
    display.open = false;
    display.drawing = false;
}

// The page's keys are always there; they reach the game through the window's messages.
bool openInput() { return true; }
void closeInput() {}

DisplayProperties displayProperties() {
    return {web::DISPLAY_WIDTH, web::DISPLAY_HEIGHT, BYTES_PER_PIXEL, web::DISPLAY_WIDTH * BYTES_PER_PIXEL,
            BITS_PER_PIXEL, web::DIRECT_565_FORMAT};
}

std::uint16_t* beginDraw() {
    if (!display.open) return nullptr;
    display.drawing = true;
    return display.memory.data();
}

int endDraw() {
    if (!display.open) return 0;
    if (display.drawing) {
        display.drawing = false;
        webPresent(display.memory.data());
    }
    return 1;
}

// The canvas is the page's own: there is nothing to give up while the focus is elsewhere.
void suspendDisplay() {}
void resumeDisplay() {}

}  // namespace platform
