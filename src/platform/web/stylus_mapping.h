// Where a point of the page falls on the display: the canvas shows the whole 240 x 320 display,
// scaled, so a page position maps through the canvas's on-screen box. Points off the canvas clamp to
// its edge, as a captured stylus stays within the display.
#pragma once

#include <cmath>
#include <cstdint>

namespace web {

struct CanvasBox {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

struct DisplayPoint {
    int x = 0;
    int y = 0;
};

inline int clampToDisplay(double position, int extent) {
    if (!(position >= 0)) return 0;  // also a NaN from a box of no size
    const double pixel = std::floor(position);
    return pixel >= extent - 1 ? extent - 1 : static_cast<int>(pixel);
}

// The display pixel under page point (pageX, pageY) for a display of displayWidth x displayHeight.
inline DisplayPoint displayPointAt(double pageX, double pageY, const CanvasBox& box, int displayWidth,
                                   int displayHeight) {
    if (box.width <= 0 || box.height <= 0) return {};
    return {clampToDisplay((pageX - box.left) * displayWidth / box.width, displayWidth),
            clampToDisplay((pageY - box.top) * displayHeight / box.height, displayHeight)};
}

// Whether the page point lies on the canvas itself.
inline bool onCanvas(double pageX, double pageY, const CanvasBox& box) {
    return pageX >= box.left && pageY >= box.top && pageX < box.left + box.width && pageY < box.top + box.height;
}

}  // namespace web
