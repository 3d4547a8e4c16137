// Page points to display pixels through the canvas's on-screen box, at any scale, clamped to the
// display.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/web/stylus_mapping.h"

namespace {

using web::CanvasBox;
using web::displayPointAt;

constexpr CanvasBox TRIPLE{400, 80, 720, 960};  // the display three times over, off the page's corner

void expectPoint(web::DisplayPoint point, int x, int y) {
    EXPECT_EQ(point.x, x);
    EXPECT_EQ(point.y, y);
}

TEST(StylusMapping, EachDisplayPixelCoversItsShareOfTheCanvas) {
    expectPoint(displayPointAt(400, 80, TRIPLE, 240, 320), 0, 0);
    expectPoint(displayPointAt(402.9, 82.9, TRIPLE, 240, 320), 0, 0);
    expectPoint(displayPointAt(403, 83, TRIPLE, 240, 320), 1, 1);
    expectPoint(displayPointAt(400 + 186 * 3 + 1, 80 + 138 * 3 + 2, TRIPLE, 240, 320), 186, 138);
    expectPoint(displayPointAt(1119.9, 1039.9, TRIPLE, 240, 320), 239, 319);
}

TEST(StylusMapping, SmoothScalesBelowOneMapToo) {
    const CanvasBox half{0, 0, 120, 160};
    expectPoint(displayPointAt(60, 80, half, 240, 320), 120, 160);
    expectPoint(displayPointAt(119.75, 159.75, half, 240, 320), 239, 319);
}

TEST(StylusMapping, PointsOffTheCanvasClampToItsEdge) {
    expectPoint(displayPointAt(0, 0, TRIPLE, 240, 320), 0, 0);
    expectPoint(displayPointAt(5000, 5000, TRIPLE, 240, 320), 239, 319);
    expectPoint(displayPointAt(1120, 80, TRIPLE, 240, 320), 239, 0);
    expectPoint(displayPointAt(-1e30, 1e30, TRIPLE, 240, 320), 0, 319);
}

TEST(StylusMapping, ACanvasOfNoSizeOrANanGivesTheCorner) {
    expectPoint(displayPointAt(10, 10, CanvasBox{}, 240, 320), 0, 0);
    expectPoint(displayPointAt(std::nan(""), 500, TRIPLE, 240, 320), 0, 140);
}

TEST(StylusMapping, OnCanvasIncludesTheTopLeftEdgeOnly) {
    EXPECT_TRUE(web::onCanvas(400, 80, TRIPLE));
    EXPECT_TRUE(web::onCanvas(1119.5, 1039.5, TRIPLE));
    EXPECT_FALSE(web::onCanvas(1120, 500, TRIPLE));
    EXPECT_FALSE(web::onCanvas(500, 1040, TRIPLE));
    EXPECT_FALSE(web::onCanvas(399.5, 500, TRIPLE));
}

}  // namespace
