// Bitmap text: one 11 x 13 glyph per character from the font image, 8 pixels apart.
#pragma once

#include "gfx/frame.h"

inline constexpr int GLYPH_WIDTH = 11;
inline constexpr int GLYPH_HEIGHT = 13;
inline constexpr int TEXT_PITCH = 8;

// The font's two colours: the font image holds every glyph twice, white above and green below.
enum TextStyle : int { TEXT_WHITE = 0, TEXT_GREEN = 1 };

// Draws a zero-terminated text with the first glyph cell's top-left at (x, y); style 0 white,
// any other value green.
void drawText(Frame& frame, const char* text, int x, int y, int style);
