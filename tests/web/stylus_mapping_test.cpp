// Page points to display pixels through the canvas's on-screen box, at any scale, clamped to the
// display; and which points lie on the canvas at all.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/web/stylus_mapping.h"

namespace {

using web::CanvasBox;

constexpr CanvasBox TRIPLE{400, 80, 720, 960};  // the display three times over, off the page's corner
constexpr CanvasBox HALF{0, 0, 120, 160};

TEST(StylusMapping, EachDisplayPixelCoversItsShareOfTheCanvasAndPointsOffItClampToItsEdge) {
    struct Case { double pageX, pageY; CanvasBox box; int x, y; bool onCanvas; };
    const Case cases[] = {
        {400, 80, TRIPLE, 0, 0, true},          {402.9, 82.9, TRIPLE, 0, 0, true},
        {403, 83, TRIPLE, 1, 1, true},          {400 + 186 * 3 + 1, 80 + 138 * 3 + 2, TRIPLE, 186, 138, true},
        {1119.5, 1039.5, TRIPLE, 239, 319, true}, {60, 80, HALF, 120, 160, true},
        {119.75, 159.75, HALF, 239, 319, true}, {0, 0, TRIPLE, 0, 0, false},
        {5000, 5000, TRIPLE, 239, 319, false},  {1120, 80, TRIPLE, 239, 0, false},
        {500, 1040, TRIPLE, 33, 319, false},    {399.5, 500, TRIPLE, 0, 140, false},
        {-1e30, 1e30, TRIPLE, 0, 319, false},   {10, 10, CanvasBox{}, 0, 0, false},
        {std::nan(""), 500, TRIPLE, 0, 140, false}};
    for (const Case& c : cases) {
        const web::DisplayPoint point = web::displayPointAt(c.pageX, c.pageY, c.box, 240, 320);
        EXPECT_EQ(point.x, c.x) << c.pageX << ", " << c.pageY;
        EXPECT_EQ(point.y, c.y) << c.pageX << ", " << c.pageY;
        EXPECT_EQ(web::onCanvas(c.pageX, c.pageY, c.box), c.onCanvas) << c.pageX << ", " << c.pageY;
    }
}

}  // namespace
