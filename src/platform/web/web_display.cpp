// The browser device's display: 240 x 320 RGB565 memory that each present copies to the page's canvas
// when it changed.
// It stays drawable without the focus, as the inactive window still shows its last frame.
#include <array>
#include <cstring>

#include "platform/web/web_device.h"

namespace {

constexpr std::int32_t BYTES_PER_PIXEL = 2;
constexpr std::int32_t BITS_PER_PIXEL = 16;

using DisplayMemory = std::array<std::uint16_t, web::DISPLAY_WIDTH * web::DISPLAY_HEIGHT>;

struct Display {
    DisplayMemory memory{};
    // What the canvas shows: the game draws every frame whole, and a still screen should cost the page
    // no canvas update at all.
    DisplayMemory shown{};
    bool shownValid = false;
    bool open = false;
    bool drawing = false;
};

Display display;

// Compared eight bytes at a time: the C library's compare goes byte by byte, which took longer than
// drawing the frame.
bool sameMemory(const DisplayMemory& one, const DisplayMemory& other) {
    constexpr std::size_t WORDS = sizeof(DisplayMemory) / sizeof(std::uint64_t);
    static_assert(WORDS * sizeof(std::uint64_t) == sizeof(DisplayMemory), "the display is whole words");
    const auto* const oneBytes = reinterpret_cast<const unsigned char*>(one.data());
    const auto* const otherBytes = reinterpret_cast<const unsigned char*>(other.data());
    for (std::size_t word = 0; word < WORDS; ++word) {
        std::uint64_t a = 0, b = 0;
        std::memcpy(&a, oneBytes + word * sizeof a, sizeof a);
        std::memcpy(&b, otherBytes + word * sizeof b, sizeof b);
        if (a != b) return false;
    }
    return true;
}

// Whether the memory differs from what the canvas last showed; if so, it is what the canvas shows now.
bool takeChange() {
    if (display.shownValid && sameMemory(display.memory, display.shown)) return false;
    display.shown = display.memory;
    display.shownValid = true;
    return true;
}

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
        webPresent(display.memory.data(), takeChange() ? 1 : 0);
    }
    return 1;
}

// The canvas is the page's own: there is nothing to give up while the focus is elsewhere.
void suspendDisplay() {}
void resumeDisplay() {}

}  // namespace platform
