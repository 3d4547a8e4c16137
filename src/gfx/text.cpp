// Bitmap text drawn glyph by glyph from the font image.
#include "gfx/text.h"

#include <cstring>

#include "gfx/images.h"

namespace {

constexpr int FIRST_GLYPH_CODE = 0x21;  // "!"
constexpr int GLYPH_COUNT = 58;         // "!" .. "Z"

}  // namespace

void drawText(Frame& frame, const char* text, int x, int y, int style) {
    if (text == nullptr) return;
    const int sourceY = style == TEXT_WHITE ? 0 : GLYPH_HEIGHT;
    const std::size_t length = std::strlen(text);
    for (std::size_t i = 0; i < length; ++i) {
        const int glyph = static_cast<signed char>(text[i]) - FIRST_GLYPH_CODE;
        if (glyph < 0 || glyph >= GLYPH_COUNT) continue;
        drawImagePart(frame, IMAGE_FONT, GLYPH_WIDTH * glyph, sourceY, x + TEXT_PITCH * static_cast<int>(i), y, GLYPH_HEIGHT,
                      GLYPH_WIDTH);
    }
}
