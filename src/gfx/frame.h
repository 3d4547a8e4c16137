// The off-screen frame, the pen colour and the line and rectangle primitives, and the copy of the
// frame to the display. Nothing here clips: callers keep every pixel inside the 240 x 320 frame.
#pragma once

#include <cstdint>

inline constexpr int FRAME_WIDTH = 240;
inline constexpr int FRAME_HEIGHT = 320;
inline constexpr int FRAME_PIXELS = FRAME_WIDTH * FRAME_HEIGHT;
inline constexpr std::uint32_t BACK_BUFFER_SIZE = FRAME_PIXELS * 2;  // bytes

// Packs 8-bit components into RGB565 (the low bits are dropped).
constexpr std::uint16_t packColour(int r, int g, int b) {
    return static_cast<std::uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
}

// Copies the BackBuffer to the display through the pitch walk; returns endDraw's result, or 0 without
// drawing when the display gives no pointer.
int presentFrame();

// Sets penColour to the packed colour and fills the whole frame with it.
void clearFrame(int r, int g, int b);

// Primitives in penColour, both ends included.
void drawLine(int x0, int y0, int x1, int y1);
void drawRect(int x0, int y0, int x1, int y1);
void fillRect(int x0, int y0, int x1, int y1);
