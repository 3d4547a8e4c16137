// Where a stylus point lands on the display. SDL hands mouse positions over in display pixels, running
// past the picture's edges in the black bars round it, and finger positions normalised to the picture,
// pinned onto its edge (0 or 1) when outside. A press in the bars is no stylus input at all; a stylus
// that went down on the picture and leaves it is pinned onto the nearest edge, so its lift still arrives.
#pragma once

#include <cstdint>
#include <optional>

namespace sdl_device {

// The device's position word of a point (x in the low 16 bits, y in the high 16), pinned onto the picture.
std::uint32_t pinnedPosition(float x, float y);

// A mouse press at display pixel (x, y); nothing when it is outside the picture.
std::optional<std::uint32_t> mousePress(float x, float y);

// A finger touching down at (x, y) normalised to the picture; nothing when it is outside. A touch
// exactly on the left or top edge cannot be told from one beyond it and counts as outside.
std::optional<std::uint32_t> fingerPress(float x, float y);

}  // namespace sdl_device
