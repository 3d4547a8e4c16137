// The drawing's own state — the off-screen frame, the display it is copied to, the pen colour and the
// loaded pictures — with the line and rectangle primitives and the copy of the frame to the display.
// Every primitive keeps to the 240 x 320 frame: what falls outside it is left out.
#pragma once

#include <array>
#include <cstdint>

#include "gfx/image_table.h"
#include "platform/platform.h"

inline constexpr int FRAME_WIDTH = 240;
inline constexpr int FRAME_HEIGHT = 320;
inline constexpr int FRAME_PIXELS = FRAME_WIDTH * FRAME_HEIGHT;
inline constexpr std::uint32_t BACK_BUFFER_SIZE = FRAME_PIXELS * 2;  // bytes

// Packs 8-bit components into RGB565 (the low bits are dropped).
constexpr std::uint16_t packColour(int r, int g, int b) {
    return static_cast<std::uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
}

struct Frame {
    platform::DisplayProperties displayProperties;
    // FRAME_PIXELS pixels, row-major, owned by whoever allocated them (the shell); null until then, and
    // every operation on a frame without pixels does nothing.
    std::uint16_t* BackBuffer = nullptr;
    std::uint32_t backBufferSize = 0;
    std::uint16_t penColour = 0;
    // In ImageId order; null when missing. The pixels live in the program's resources.
    std::array<const std::uint16_t*, IMAGE_COUNT> images{};
};

// The frame the program draws every screen into and presents: filled by the shell (display and pixels)
// and by the game's start-up (pictures). Touched only on the message-loop thread.
extern Frame screenFrame;

// Copies the BackBuffer to the display through the pitch walk of frame.displayProperties; returns
// endDraw's result, or 0 without drawing when the display gives no pointer.
int presentFrame(const Frame& frame);

// Sets penColour to the packed colour and fills the whole frame with it.
void clearFrame(Frame& frame, int r, int g, int b);

// Primitives in penColour, both ends included.
void drawLine(Frame& frame, int x0, int y0, int x1, int y1);
void drawRect(Frame& frame, int x0, int y0, int x1, int y1);
void fillRect(Frame& frame, int x0, int y0, int x1, int y1);
