// The stylus positions of mouse and finger points on the letterboxed display.
#include "platform/sdl/sdl_stylus_position.h"

#include "platform/sdl/sdl_device.h"

namespace sdl_device {
namespace {

// A position that is no number counts as the first pixel.
int pixelWithin(float position, int size) {
    if (!(position >= 0.0f)) return 0;
    if (position >= static_cast<float>(size)) return size - 1;
    return static_cast<int>(position);
}

}  // namespace

std::uint32_t pinnedPosition(float x, float y) {
    return platform::positionWord(pixelWithin(x, DISPLAY_WIDTH), pixelWithin(y, DISPLAY_HEIGHT));
}

std::optional<std::uint32_t> mousePress(float x, float y) {
    const bool onPicture = x >= 0.0f && x < DISPLAY_WIDTH && y >= 0.0f && y < DISPLAY_HEIGHT;
    if (!onPicture) return std::nullopt;
    return pinnedPosition(x, y);
}

std::optional<std::uint32_t> fingerPress(float x, float y) {
    const bool onPicture = x > 0.0f && x < 1.0f && y > 0.0f && y < 1.0f;
    if (!onPicture) return std::nullopt;
    return pinnedPosition(x * DISPLAY_WIDTH, y * DISPLAY_HEIGHT);
}

}  // namespace sdl_device
