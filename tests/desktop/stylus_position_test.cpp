// A press in the black bars round the picture is no stylus input; a stylus already down that leaves the
// picture is pinned onto its nearest edge.
#include <gtest/gtest.h>

#include "platform/sdl/sdl_stylus_position.h"

namespace {

using sdl_device::fingerPress;
using sdl_device::mousePress;
using sdl_device::pinnedPosition;

constexpr std::uint32_t at(std::uint32_t x, std::uint32_t y) { return x | (y << 16); }

struct Case {
    float x, y;
    std::optional<std::uint32_t> press;
    std::uint32_t pinned;
};

TEST(StylusPosition, MousePressesInTheBarsAreNoInputAndDragsArePinned) {
    // Display pixels; in the bars they run past the picture's edges.
    for (const Case c : {Case{0, 0, at(0, 0), at(0, 0)}, Case{239.5f, 319.5f, at(239, 319), at(239, 319)},
                         Case{-1, 100, std::nullopt, at(0, 100)}, Case{240, 100, std::nullopt, at(239, 100)},
                         Case{120, -3, std::nullopt, at(120, 0)}, Case{120, 320, std::nullopt, at(120, 319)},
                         Case{-500, 900, std::nullopt, at(0, 319)}}) {
        EXPECT_EQ(mousePress(c.x, c.y), c.press) << c.x << ", " << c.y;
        EXPECT_EQ(pinnedPosition(c.x, c.y), c.pinned) << c.x << ", " << c.y;
    }
}

TEST(StylusPosition, FingersOutsideThePictureArePinnedOntoItsEdgeBySdlAndAreNoInput) {
    for (const Case c : {Case{0.5f, 0.5f, at(120, 160), 0}, Case{0.001f, 0.999f, at(0, 319), 0},
                         Case{0, 0.5f, std::nullopt, 0}, Case{1, 0.5f, std::nullopt, 0},
                         Case{0.5f, 0, std::nullopt, 0}, Case{0.5f, 1, std::nullopt, 0}}) {
        EXPECT_EQ(fingerPress(c.x, c.y), c.press) << c.x << ", " << c.y;
    }
}

}  // namespace
