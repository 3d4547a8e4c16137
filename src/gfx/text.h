// Bitmap text: one 11 x 13 glyph per character from the font image, 8 pixels apart.
#pragma once

inline constexpr int GLYPH_WIDTH = 11;
inline constexpr int GLYPH_HEIGHT = 13;
inline constexpr int TEXT_PITCH = 8;
inline constexpr int FONT_IMAGE_WIDTH = 638;

// Draws a zero-terminated text with the first glyph cell's top-left at (x, y); style 0 white,
// any other value green.
void drawText(const char* text, int x, int y, int style);
