// Layout facts of the scene pictures (tower buttons and tiles, home backdrop, title, tutorial pieces) that
// the drawing code relies on, checked on the pixels the program carries.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <span>

#include "platform/platform.h"

namespace {

constexpr std::uint16_t TRANSPARENT = 0x0000;

struct Rect {
    int x, y, width, height;
    bool contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
};

// A picture as the game sees it: RGB565 pixels, little-endian, row-major.
class Picture {
public:
    Picture(int id, int width, int height) : width_(width), height_(height) {
        bytes_ = platform::findResource("IMAGE", id);
    }
    bool hasExpectedSize() const {
        return bytes_.size() == static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 2;
    }
    std::uint16_t at(int x, int y) const {
        const std::size_t index = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                                   static_cast<std::size_t>(x)) * 2;
        return static_cast<std::uint16_t>(bytes_[index] | (bytes_[index + 1] << 8));
    }
    bool opaqueAt(int x, int y) const { return at(x, y) != TRANSPARENT; }
    int width() const { return width_; }
    int height() const { return height_; }

    int opaqueCount(const Rect& area) const {
        int count = 0;
        for (int y = area.y; y < area.y + area.height; ++y)
            for (int x = area.x; x < area.x + area.width; ++x) count += opaqueAt(x, y) ? 1 : 0;
        return count;
    }

private:
    int width_;
    int height_;
    std::span<const std::uint8_t> bytes_;
};

double channelToLinear(double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

// Relative luminance of an RGB565 colour, 0 (black) to 1 (white).
double luminance(std::uint16_t pixel) {
    const double red = ((pixel >> 11) & 0x1F) / 31.0;
    const double green = ((pixel >> 5) & 0x3F) / 63.0;
    const double blue = (pixel & 0x1F) / 31.0;
    return 0.2126 * channelToLinear(red) + 0.7152 * channelToLinear(green) + 0.0722 * channelToLinear(blue);
}

double contrast(double lighter, double darker) { return (lighter + 0.05) / (darker + 0.05); }

double meanLuminance(const Picture& picture, const Rect& area) {
    double sum = 0;
    for (int y = area.y; y < area.y + area.height; ++y)
        for (int x = area.x; x < area.x + area.width; ++x) sum += luminance(picture.at(x, y));
    return sum / (area.width * area.height);
}

// The font's white and green text colours.
constexpr std::uint16_t WHITE_TEXT = 0xFFDF;
constexpr std::uint16_t GREEN_TEXT = 0x3ECF;

}  // namespace

// ---- Sizes --------------------------------------------------------------------------------------------

TEST(SceneArt, EveryPictureHasTheSizeItIsDrawnAt) {
    EXPECT_TRUE(Picture(105, 240, 94).hasExpectedSize());
    EXPECT_TRUE(Picture(106, 156, 26).hasExpectedSize());
    EXPECT_TRUE(Picture(107, 240, 320).hasExpectedSize());
    EXPECT_TRUE(Picture(108, 240, 188).hasExpectedSize());
    EXPECT_TRUE(Picture(122, 240, 90).hasExpectedSize());
}

// ---- Home backdrop --------------------------------------------------------------------------------------

class HomeBackground : public ::testing::Test {
protected:
    Picture picture{107, 240, 320};
    void SetUp() override { ASSERT_TRUE(picture.hasExpectedSize()); }

    // White and green text must read on every pixel of an area (contrast of at least 3:1 for green and
    // 4.5:1 for white).
    void expectTextReadsOver(const Rect& area) const {
        for (int y = area.y; y < area.y + area.height; ++y) {
            for (int x = area.x; x < area.x + area.width; ++x) {
                const double background = luminance(picture.at(x, y));
                ASSERT_GE(contrast(luminance(GREEN_TEXT), background), 3.0) << "at " << x << "," << y;
                ASSERT_GE(contrast(luminance(WHITE_TEXT), background), 4.5) << "at " << x << "," << y;
            }
        }
    }
};

TEST_F(HomeBackground, CoversTheWholeScreen) {
    EXPECT_EQ(picture.opaqueCount({0, 0, 240, 320}), 240 * 320);
}

TEST_F(HomeBackground, CreditsLinesAndVersionReadOverIt) {
    expectTextReadsOver({30, 56, 181, 160});
    expectTextReadsOver({204, 306, 32, 13});
}

// ---- Title sheet ----------------------------------------------------------------------------------------

TEST(TitleSheet, LogoAndHeadingStandInTheirRowsAndTheRestIsClear) {
    const Picture title(108, 240, 188);
    ASSERT_TRUE(title.hasExpectedSize());
    EXPECT_GT(title.opaqueCount({0, 0, 240, 100}), 2000);
    EXPECT_EQ(title.opaqueCount({0, 100, 240, 44}), 0);
    EXPECT_GT(title.opaqueCount({0, 144, 240, 44}), 1500);
}

TEST(TitleSheet, LogoLeavesTheScreenEdgesToTheBackdrop) {
    // Drawn over the backdrop, the lettering must not come out as a solid band across the screen.
    const Picture title(108, 240, 188);
    ASSERT_TRUE(title.hasExpectedSize());
    EXPECT_EQ(title.opaqueCount({0, 0, 4, 188}), 0);
    EXPECT_EQ(title.opaqueCount({236, 0, 4, 188}), 0);
}

// ---- Tower buttons and tiles ------------------------------------------------------------------------------

constexpr int KIND_COUNT = 6;
constexpr int BUTTON_WIDTH = 40;
constexpr int BUTTON_HEIGHT = 47;
constexpr int BUTTON_CLEARANCE = 2;
constexpr int TILE_SIZE = 26;

TEST(TowerButtons, EachButtonFillsItsPlaceBelowTwoClearRowsInBothLooks) {
    // A 6-row board's bottom viewpoint numbers reach y 223, one row into the panel at y 222: the
    // buttons keep their top two rows clear so those numbers read whole.
    const Picture buttons(105, 240, 94);
    ASSERT_TRUE(buttons.hasExpectedSize());
    for (int kind = 0; kind < KIND_COUNT; ++kind) {
        for (int look = 0; look < 2; ++look) {
            const int left = kind * BUTTON_WIDTH;
            const int top = look * BUTTON_HEIGHT;
            EXPECT_EQ(buttons.opaqueCount({left, top, BUTTON_WIDTH, BUTTON_CLEARANCE}), 0) << "kind " << kind + 1;
            const Rect inner{left + 1, top + BUTTON_CLEARANCE + 1, BUTTON_WIDTH - 2,
                             BUTTON_HEIGHT - BUTTON_CLEARANCE - 2};
            EXPECT_EQ(buttons.opaqueCount(inner), inner.width * inner.height) << "kind " << kind + 1;
        }
    }
}

TEST(TowerButtons, ChosenLookIsLitNotDimmed) {
    // A darker chosen button reads as disabled: the chosen one shows its picture lit, in a bright frame.
    const Picture buttons(105, 240, 94);
    ASSERT_TRUE(buttons.hasExpectedSize());
    for (int kind = 0; kind < KIND_COUNT; ++kind) {
        const Rect normal{kind * BUTTON_WIDTH + 3, BUTTON_CLEARANCE + 3, BUTTON_WIDTH - 6, 39};
        const Rect chosen{normal.x, normal.y + BUTTON_HEIGHT, normal.width, normal.height};
        EXPECT_GT(meanLuminance(buttons, chosen), meanLuminance(buttons, normal) * 1.1) << "kind " << kind + 1;
        const Rect chosenFrameTop{chosen.x - 1, chosen.y - 2, chosen.width + 2, 2};
        EXPECT_GT(meanLuminance(buttons, chosenFrameTop), 0.4) << "kind " << kind + 1;
    }
}

TEST(TowerTiles, EachTileFillsItsCellInsideTheGreyFrame) {
    const Picture tiles(106, 156, 26);
    ASSERT_TRUE(tiles.hasExpectedSize());
    for (int kind = 0; kind < KIND_COUNT; ++kind)
        EXPECT_EQ(tiles.opaqueCount({kind * TILE_SIZE, 0, TILE_SIZE, TILE_SIZE}), TILE_SIZE * TILE_SIZE);
}

TEST(TowerTiles, KindsDifferInColourAtAGlance) {
    const Picture tiles(106, 156, 26);
    ASSERT_TRUE(tiles.hasExpectedSize());
    std::array<std::array<double, 3>, KIND_COUNT> means{};
    for (int kind = 0; kind < KIND_COUNT; ++kind) {
        for (int y = 0; y < TILE_SIZE; ++y) {
            for (int x = 0; x < TILE_SIZE; ++x) {
                const std::uint16_t pixel = tiles.at(kind * TILE_SIZE + x, y);
                means[kind][0] += ((pixel >> 11) & 0x1F) * 8.0;
                means[kind][1] += ((pixel >> 5) & 0x3F) * 4.0;
                means[kind][2] += (pixel & 0x1F) * 8.0;
            }
        }
    }
    for (int a = 0; a < KIND_COUNT; ++a) {
        for (int b = a + 1; b < KIND_COUNT; ++b) {
            double distance = 0;
            for (int channel = 0; channel < 3; ++channel) {
                const double difference = (means[a][channel] - means[b][channel]) / (TILE_SIZE * TILE_SIZE);
                distance += difference * difference;
            }
            EXPECT_GT(std::sqrt(distance), 16.0) << "kinds " << a + 1 << " and " << b + 1;
        }
    }
}

// ---- Tutorial pieces -----------------------------------------------------------------------------------------

class TutorialParts : public ::testing::Test {
protected:
    Picture parts{122, 240, 90};
    void SetUp() override { ASSERT_TRUE(parts.hasExpectedSize()); }

    static constexpr Rect HEADER{0, 0, 240, 33};
    static constexpr std::array<Rect, 6> ICONS{{{0, 33, 60, 22}, {60, 33, 55, 22}, {115, 33, 25, 22},
                                                {140, 33, 24, 22}, {164, 33, 20, 22}, {184, 33, 55, 22}}};
    static constexpr Rect POINTER{0, 55, 20, 32};
    static constexpr Rect TAP_RING{20, 55, 30, 30};
    static constexpr std::array<Rect, 3> BUILDINGS{{{50, 55, 39, 35}, {90, 58, 38, 32}, {128, 64, 38, 26}}};

    bool insideAPiece(int x, int y) const {
        if (HEADER.contains(x, y) || POINTER.contains(x, y) || TAP_RING.contains(x, y)) return true;
        for (const Rect& icon : ICONS)
            if (icon.contains(x, y)) return true;
        for (const Rect& building : BUILDINGS)
            if (building.contains(x, y)) return true;
        return false;
    }

    // The first opaque row of a piece, or its height when it has none.
    int topRow(const Rect& piece) const {
        for (int y = 0; y < piece.height; ++y)
            if (parts.opaqueCount({piece.x, piece.y + y, piece.width, 1}) > 0) return y;
        return piece.height;
    }
};

TEST_F(TutorialParts, NothingIsDrawnOutsideThePieces) {
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 240; ++x)
            if (!insideAPiece(x, y)) {
                ASSERT_FALSE(parts.opaqueAt(x, y)) << "at " << x << "," << y;
            }
}

TEST_F(TutorialParts, HeaderBarSpansTheScreen) {
    EXPECT_EQ(parts.opaqueCount({0, 0, 240, 33}), 240 * 33);
}

TEST_F(TutorialParts, StackedControlIconsDoNotCoverEachOther) {
    // The controls page draws the icons 15 rows apart, so each keeps to rows 2..16 of its 22.
    for (const Rect& icon : ICONS) {
        EXPECT_EQ(parts.opaqueCount({icon.x, icon.y, icon.width, 2}), 0) << "icon at " << icon.x;
        EXPECT_EQ(parts.opaqueCount({icon.x, icon.y + 17, icon.width, 5}), 0) << "icon at " << icon.x;
        EXPECT_GT(parts.opaqueCount({icon.x, icon.y + 2, icon.width, 15}), icon.width * 10) << "icon at " << icon.x;
    }
}

TEST_F(TutorialParts, PointerTipIsItsTopLeftCorner) {
    // The ring drawn 14 pixels up and left of the pointer is centred on the tip, and the stylus runs from
    // there down to the right: its other two corners stay clear.
    EXPECT_TRUE(parts.opaqueAt(POINTER.x, POINTER.y));
    EXPECT_TRUE(parts.opaqueAt(POINTER.x + 1, POINTER.y + 1));
    EXPECT_EQ(parts.opaqueCount({POINTER.x + 3, POINTER.y, POINTER.width - 3, 1}), 0);
    EXPECT_EQ(parts.opaqueCount({POINTER.x + 12, POINTER.y, 8, 8}), 0);
    EXPECT_EQ(parts.opaqueCount({POINTER.x, POINTER.y + 18, 5, 14}), 0);
    EXPECT_GT(parts.opaqueCount({POINTER.x + 12, POINTER.y + 24, 8, 8}), 10);
}

TEST_F(TutorialParts, TapRingIsARoundTheCentreAndClearInside) {
    const double centre = (TAP_RING.width - 1) / 2.0;
    for (int y = 0; y < TAP_RING.height; ++y) {
        for (int x = 0; x < TAP_RING.width; ++x) {
            const double radius = std::hypot(x - centre, y - centre);
            const bool opaque = parts.opaqueAt(TAP_RING.x + x, TAP_RING.y + y);
            if (radius < 10) {
                EXPECT_FALSE(opaque) << "inside at " << x << "," << y;
            } else if (radius > 12.2 && radius < 13.4) {
                EXPECT_TRUE(opaque) << "ring at " << x << "," << y;
            }
        }
    }
}

TEST_F(TutorialParts, BuildingsStandOnTheirFootprintsLowestCorner) {
    // Each building's nearest footprint corner is the middle of its picture's bottom row.
    for (const Rect& building : BUILDINGS) {
        const int bottom = building.y + building.height - 1;
        const int middle = building.x + (building.width - 1) / 2;
        EXPECT_TRUE(parts.opaqueAt(middle, bottom)) << "building at " << building.x;
        EXPECT_FALSE(parts.opaqueAt(building.x, bottom)) << "building at " << building.x;
        EXPECT_FALSE(parts.opaqueAt(building.x + building.width - 1, bottom)) << "building at " << building.x;
    }
}

TEST_F(TutorialParts, TallMiddleAndLowBuildingsRiseInThatOrder) {
    // Pictures share their bottom row, so a higher roof is a smaller first opaque row of the sheet.
    const int tall = BUILDINGS[0].y + topRow(BUILDINGS[0]);
    const int middle = BUILDINGS[1].y + topRow(BUILDINGS[1]);
    const int low = BUILDINGS[2].y + topRow(BUILDINGS[2]);
    EXPECT_LT(tall, middle);
    EXPECT_LT(middle, low);
}
