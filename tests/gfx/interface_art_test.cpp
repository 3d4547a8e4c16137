// Layout facts of the interface pictures as the game loads them: sizes, the background's faint grid,
// calm fields under the game's texts, the font's glyph extents and the pressed strip matching the plain one.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "gfx/frame.h"
#include "gfx/images.h"
#include "gfx/text.h"

namespace {

constexpr int GRID_FIRST = 3;
constexpr int GRID_STEP = 29;
constexpr int GRID_LAST = 235;
constexpr int STRIP_TOP = 301;
constexpr int STRIP_HEIGHT = 19;
constexpr int STATUS_Y = 284;
constexpr int GLYPH_COUNT = 58;
constexpr std::uint16_t BOARD_LINE_COLOURS[] = {0x0000, 0xB5B6};  // a board's black grid and grey frames

int brightness(std::uint16_t pixel) {
    const int red = (pixel >> 11) & 0x1F, green = (pixel >> 5) & 0x3F, blue = pixel & 0x1F;
    return red * 2 * 299 + green * 587 + blue * 2 * 114;
}

// How far apart two colours look: the ratio of their relative luminances (sRGB), each raised by 0.05.
double contrast(std::uint16_t a, std::uint16_t b) {
    const auto luminance = [](std::uint16_t pixel) {
        const auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(((pixel >> 11) & 0x1F) / 31.0) + 0.7152 * linear(((pixel >> 5) & 0x3F) / 63.0) +
               0.0722 * linear((pixel & 0x1F) / 31.0) + 0.05;
    };
    const double la = luminance(a), lb = luminance(b);
    return la > lb ? la / lb : lb / la;
}

bool onGridLine(int v) { return v >= GRID_FIRST && v <= GRID_LAST && (v - GRID_FIRST) % GRID_STEP == 0; }

std::uint16_t at(const std::uint16_t* image, int width, int x, int y) { return image[y * width + x]; }

TEST(InterfaceArt, EveryPictureOfTheInterfaceIsBuiltIn) {
    for (int id : {IMAGE_PLAY_BACKGROUND, IMAGE_FONT, IMAGE_MENU_BUTTONS, IMAGE_PANEL_HIGHLIGHTS,
                   IMAGE_RECORD_DIALOG, IMAGE_KEY_HIGHLIGHT, IMAGE_OK_HIGHLIGHT}) {
        EXPECT_NE(loadImage(id), nullptr) << "image " << id;
    }
}

TEST(InterfaceArt, BackgroundsHaveNoTransparentPixel) {
    for (int id : {IMAGE_PLAY_BACKGROUND, IMAGE_HOME_BACKGROUND}) {
        const std::uint16_t* image = loadImage(id);
        if (image == nullptr) continue;  // a missing picture is reported by the test above
        for (int i = 0; i < FRAME_PIXELS; ++i) ASSERT_NE(image[i], TRANSPARENT_KEY) << "image " << id << " pixel " << i;
    }
}

TEST(InterfaceArt, PlayBackgroundGridLinesLieAt3Plus29k) {
    const std::uint16_t* image = loadImage(IMAGE_PLAY_BACKGROUND);
    ASSERT_NE(image, nullptr);
    for (int along = GRID_FIRST + 1; along < GRID_LAST; ++along) {
        if (onGridLine(along)) continue;
        for (int k = 0; k <= 8; ++k) {
            const int line = GRID_FIRST + GRID_STEP * k;
            // A vertical line is lighter than the field at both its sides, and so is a horizontal one.
            EXPECT_GT(brightness(at(image, FRAME_WIDTH, line, along)), brightness(at(image, FRAME_WIDTH, line - 1, along)))
                << "x " << line << " y " << along;
            EXPECT_GT(brightness(at(image, FRAME_WIDTH, line, along)), brightness(at(image, FRAME_WIDTH, line + 1, along)))
                << "x " << line << " y " << along;
            EXPECT_GT(brightness(at(image, FRAME_WIDTH, along, line)), brightness(at(image, FRAME_WIDTH, along, line - 1)))
                << "x " << along << " y " << line;
            EXPECT_GT(brightness(at(image, FRAME_WIDTH, along, line)), brightness(at(image, FRAME_WIDTH, along, line + 1)))
                << "x " << along << " y " << line;
        }
    }
}

TEST(InterfaceArt, GridIsFainterThanEveryLineOfABoard) {
    // A board's lines fall on the grid's: a small board is found at a glance only when each of its line
    // colours stands out from the field more than the grid does.
    const std::uint16_t* image = loadImage(IMAGE_PLAY_BACKGROUND);
    ASSERT_NE(image, nullptr);
    int tooStrong = 0;
    for (int along = GRID_FIRST + 1; along < GRID_LAST; ++along) {
        if (onGridLine(along)) continue;
        for (int line = GRID_FIRST; line <= GRID_LAST; line += GRID_STEP) {
            for (const int beside : {line - 1, line + 1}) {
                if (beside > GRID_LAST) continue;  // below the last line lies the tower shelf
                const std::uint16_t leftOrRight = at(image, FRAME_WIDTH, beside, along);
                const std::uint16_t aboveOrBelow = at(image, FRAME_WIDTH, along, beside);
                for (const std::uint16_t board : BOARD_LINE_COLOURS) {
                    tooStrong += contrast(at(image, FRAME_WIDTH, line, along), leftOrRight) >= contrast(board, leftOrRight);
                    tooStrong += contrast(at(image, FRAME_WIDTH, along, line), aboveOrBelow) >= contrast(board, aboveOrBelow);
                }
            }
        }
    }
    EXPECT_EQ(tooStrong, 0);
}

TEST(InterfaceArt, StatusTextsStandOnCalmFields) {
    const std::uint16_t* image = loadImage(IMAGE_PLAY_BACKGROUND);
    ASSERT_NE(image, nullptr);
    struct Field {
        int x, characters;
    };
    for (const Field field : {Field{20, 2}, Field{52, 8}, Field{135, 8}}) {
        const std::uint16_t ground = at(image, FRAME_WIDTH, field.x, STATUS_Y);
        for (int y = STATUS_Y; y < STATUS_Y + GLYPH_HEIGHT; ++y) {
            for (int x = field.x; x < field.x + TEXT_PITCH * field.characters + 3; ++x) {
                ASSERT_EQ(at(image, FRAME_WIDTH, x, y), ground) << "x " << x << " y " << y;
            }
        }
        EXPECT_LT(brightness(ground), brightness(0xFFFF) / 4);  // white and green text read on it
    }
}

TEST(InterfaceArt, PressedStripMatchesThePlainStripBetweenButtons) {
    const std::uint16_t* background = loadImage(IMAGE_PLAY_BACKGROUND);
    const std::uint16_t* pressed = loadImage(IMAGE_PANEL_HIGHLIGHTS);
    ASSERT_NE(background, nullptr);
    ASSERT_NE(pressed, nullptr);
    struct Span {
        int first, last;
    };
    const Span buttons[] = {{0, 64}, {81, 134}, {136, 152}, {154, 169}, {171, 182}, {184, 235}};
    for (int x = 0; x < FRAME_WIDTH; ++x) {
        bool inButton = false, onButtonEdge = false;
        for (const Span& button : buttons) {
            inButton = inButton || (x > button.first && x < button.last);
            onButtonEdge = onButtonEdge || x == button.first || x == button.last;
        }
        if (onButtonEdge) continue;
        int differing = 0;
        for (int y = 0; y < STRIP_HEIGHT; ++y) {
            differing += at(pressed, FRAME_WIDTH, x, y) != at(background, FRAME_WIDTH, x, STRIP_TOP + y);
        }
        if (inButton) {
            EXPECT_GT(differing, 0) << "column " << x << " of a button looks the same pressed";
        } else {
            EXPECT_EQ(differing, 0) << "column " << x << " between buttons";
        }
    }
}

TEST(InterfaceArt, GlyphsKeepToTheirColumnsAndBothRowsMatch) {
    const std::uint16_t* font = loadImage(IMAGE_FONT);
    ASSERT_NE(font, nullptr);
    for (int glyph = 0; glyph < GLYPH_COUNT; ++glyph) {
        int drawn = 0;
        for (int y = 0; y < GLYPH_HEIGHT; ++y) {
            for (int column = 0; column < GLYPH_WIDTH; ++column) {
                const int x = GLYPH_WIDTH * glyph + column;
                const std::uint16_t white = at(font, FONT_IMAGE_WIDTH, x, y);
                const std::uint16_t green = at(font, FONT_IMAGE_WIDTH, x, y + GLYPH_HEIGHT);
                EXPECT_EQ(white == TRANSPARENT_KEY, green == TRANSPARENT_KEY) << "glyph " << glyph;
                if (white == TRANSPARENT_KEY) continue;
                ++drawn;
                // 8-pixel pitch: coloured pixels only where the neighbouring cells leave room.
                EXPECT_GE(column, 1) << "glyph " << glyph;
                EXPECT_LE(column, TEXT_PITCH) << "glyph " << glyph;
            }
        }
        EXPECT_GT(drawn, 0) << "glyph " << glyph << " is empty";
    }
}

TEST(InterfaceArt, RecordDialogLeavesTheNameFieldCalmAndHasEveryKey) {
    const std::uint16_t* dialog = loadImage(IMAGE_RECORD_DIALOG);
    ASSERT_NE(dialog, nullptr);
    constexpr int DIALOG_WIDTH = 170, DIALOG_X = 35, DIALOG_Y = 66;
    const std::uint16_t ground = at(dialog, DIALOG_WIDTH, 88 - DIALOG_X, 131 - DIALOG_Y);
    for (int y = 131; y < 131 + GLYPH_HEIGHT; ++y) {
        for (int x = 88; x < 88 + 67; ++x) ASSERT_EQ(at(dialog, DIALOG_WIDTH, x - DIALOG_X, y - DIALOG_Y), ground);
    }
    for (int k = 1; k <= 27; ++k) {
        const int column = (k - 1) % 9, row = (k - 1) / 9;
        const int left = 44 + 17 * column, top = 161 + 20 * row + (column % 2 ? 3 : 0);
        // Under the letter the game writes, the key is opaque.
        for (int y = top + 2; y < top + 15; ++y) {
            for (int x = left + 2; x < left + 13; ++x) {
                ASSERT_NE(at(dialog, DIALOG_WIDTH, x - DIALOG_X, y - DIALOG_Y), TRANSPARENT_KEY) << "key " << k;
            }
        }
    }
}

TEST(InterfaceArt, PressedKeysCoverTheirKeys) {
    const std::uint16_t* key = loadImage(IMAGE_KEY_HIGHLIGHT);
    const std::uint16_t* ok = loadImage(IMAGE_OK_HIGHLIGHT);
    ASSERT_NE(key, nullptr);
    ASSERT_NE(ok, nullptr);
    for (int y = 1; y < 17; ++y) {
        for (int x = 1; x < 15; ++x) EXPECT_NE(at(key, 16, x, y), TRANSPARENT_KEY);
    }
    for (int y = 1; y < 24; ++y) {
        for (int x = 1; x < 32; ++x) EXPECT_NE(at(ok, 33, x, y), TRANSPARENT_KEY);
    }
}

}  // namespace
