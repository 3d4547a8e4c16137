// Layout facts of the pictures the drawing code relies on, checked on the pixels the program carries: a
// regenerated picture that breaks one of them breaks a look the game depends on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "game/controls.h"
#include "game/game_state.h"
#include "gfx/frame.h"
#include "gfx/images.h"
#include "gfx/text.h"
#include "puzzle/board_drawing.h"
#include "puzzle/level_table.h"

namespace {

struct Rect {
    int x, y, width, height;
    bool contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
};

// Relative luminance of an RGB565 colour (sRGB), 0 (black) to 1 (white), and the contrast of two colours.
double luminance(std::uint16_t pixel) {
    const auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(((pixel >> 11) & 0x1F) / 31.0) + 0.7152 * linear(((pixel >> 5) & 0x3F) / 63.0) +
           0.0722 * linear((pixel & 0x1F) / 31.0);
}
double contrast(std::uint16_t a, std::uint16_t b) {
    const double la = luminance(a) + 0.05, lb = luminance(b) + 0.05;
    return std::max(la, lb) / std::min(la, lb);
}

// A picture as the game loads it; a missing one reads as wholly transparent, and so fails its opaque areas.
struct Picture {
    explicit Picture(ImageId image) : width(IMAGE_RESOURCES[image].width) {
        const int id = IMAGE_RESOURCES[image].id;
        static const std::vector<std::uint16_t> missing(FRAME_PIXELS, TRANSPARENT_KEY);
        pixels = loadImage(id) != nullptr ? loadImage(id) : missing.data();
    }
    std::uint16_t at(int x, int y) const { return pixels[y * width + x]; }
    bool opaqueAt(int x, int y) const { return at(x, y) != TRANSPARENT_KEY; }
    double sum(const Rect& area, double (*measure)(std::uint16_t)) const {
        double total = 0;
        for (int y = area.y; y < area.y + area.height; ++y)
            for (int x = area.x; x < area.x + area.width; ++x) total += measure(at(x, y));
        return total;
    }
    int opaqueCount(const Rect& area) const {
        return static_cast<int>(sum(area, [](std::uint16_t pixel) { return pixel != TRANSPARENT_KEY ? 1.0 : 0.0; }));
    }
    double meanLuminance(const Rect& area) const { return sum(area, luminance) / (area.width * area.height); }
    const std::uint16_t* pixels;
    int width = 0;
};

constexpr int GRID_FIRST = 3, GRID_STEP = 29, GRID_LAST = 235;
constexpr std::uint16_t BOARD_LINE_COLOURS[] = {0x0000, 0xB5B6};  // a board's black grid and grey frames
constexpr int KINDS = 6, BUTTON_WIDTH = 40, BUTTON_HEIGHT = 47, BUTTON_CLEARANCE = 2;
constexpr int STRIP_TOP = 301, STRIP_HEIGHT = 19, GLYPH_COUNT = 58;
constexpr int SOUND_FACE_BEVEL = 1;                        // the lit edge and the shaded edge inside the outline
constexpr double DIMMED_KEEPS = 0.5, SOUND_OFF_KEEPS = 0.75;  // of the brightness of the button's normal look
constexpr int NUMBER_CLEARANCE = 3;  // no window light this close to a viewpoint number's ink
constexpr Rect TUTORIAL_PIECES[] = {{0, 0, 240, 33},   {0, 33, 60, 22},  {60, 33, 55, 22},  {115, 33, 25, 22},
                                    {140, 33, 24, 22}, {164, 33, 20, 22}, {184, 33, 55, 22}, {0, 55, 20, 32},
                                    {20, 55, 30, 30},  {50, 55, 39, 35},  {90, 58, 38, 32},  {128, 64, 38, 26}};
constexpr int FIRST_ICON = 1, ICONS = 6;

TEST(Art, OpaqueAndClearAreasAreWhereTheDrawingExpectsThem) {
    enum Rule { CLEAR, OPAQUE, MOSTLY };  // MOSTLY: more opaque pixels than `count`
    struct Area { ImageId image; Rect area; Rule rule; int count = 0; };
    std::vector<Area> areas = {
        {IMAGE_PLAY_BACKGROUND, {0, 0, 240, 320}, OPAQUE}, {IMAGE_HOME_BACKGROUND, {0, 0, 240, 320}, OPAQUE},
        {IMAGE_TOWER_TILES, {0, 0, 156, 26}, OPAQUE},      {IMAGE_TITLE, {0, 0, 240, 100}, MOSTLY, 2000},
        {IMAGE_TITLE, {0, 100, 240, 44}, CLEAR},           {IMAGE_TITLE, {0, 144, 240, 44}, MOSTLY, 1500},
        // the logo leaves the screen edges to the backdrop rather than making a solid band across it
        {IMAGE_TITLE, {0, 0, 4, 188}, CLEAR},              {IMAGE_TITLE, {236, 0, 4, 188}, CLEAR},
        {IMAGE_KEY_HIGHLIGHT, {1, 1, 14, 16}, OPAQUE},     {IMAGE_OK_HIGHLIGHT, {1, 1, 31, 23}, OPAQUE},
        {IMAGE_TUTORIAL_PARTS, TUTORIAL_PIECES[0], OPAQUE},
        // the pointer's tip is its top-left corner, where the tap ring is centred; the stylus runs down right
        {IMAGE_TUTORIAL_PARTS, {0, 55, 2, 2}, MOSTLY, 1},  {IMAGE_TUTORIAL_PARTS, {3, 55, 17, 1}, CLEAR},
        {IMAGE_TUTORIAL_PARTS, {12, 55, 8, 8}, CLEAR},     {IMAGE_TUTORIAL_PARTS, {0, 73, 5, 14}, CLEAR},
        {IMAGE_TUTORIAL_PARTS, {12, 79, 8, 8}, MOSTLY, 10}};
    for (int kind = 0; kind < KINDS; ++kind) {
        // A 6-row board's bottom numbers reach one row into the panel: both looks keep two clear rows.
        for (const int top : {0, BUTTON_HEIGHT}) {
            areas.push_back({IMAGE_TOWER_BUTTONS, {kind * BUTTON_WIDTH, top, BUTTON_WIDTH, BUTTON_CLEARANCE}, CLEAR});
            areas.push_back({IMAGE_TOWER_BUTTONS, {kind * BUTTON_WIDTH + 1, top + 3, 38, 43}, OPAQUE});
        }
    }
    for (int icon = FIRST_ICON; icon < FIRST_ICON + ICONS; ++icon) {
        // The controls page stacks the icons 15 rows apart, so each keeps to rows 2..16 of its 22.
        const Rect r = TUTORIAL_PIECES[icon];
        areas.push_back({IMAGE_TUTORIAL_PARTS, {r.x, r.y, r.width, 2}, CLEAR});
        areas.push_back({IMAGE_TUTORIAL_PARTS, {r.x, r.y + 17, r.width, 5}, CLEAR});
        areas.push_back({IMAGE_TUTORIAL_PARTS, {r.x, r.y + 2, r.width, 15}, MOSTLY, r.width * 10});
    }
    for (int key = 0; key < 27; ++key) {  // under each letter the game writes, the dialog's key is opaque
        const int column = key % 9, row = key / 9;
        areas.push_back({IMAGE_RECORD_DIALOG, {11 + 17 * column, 97 + 20 * row + (column % 2) * 3, 11, 13}, OPAQUE});
    }
    for (int glyph = 0; glyph < GLYPH_COUNT; ++glyph) {  // 8-pixel pitch: only columns 1..8 of the 11
        const int left = GLYPH_WIDTH * glyph;
        areas.push_back({IMAGE_FONT, {left, 0, 1, 2 * GLYPH_HEIGHT}, CLEAR});
        areas.push_back({IMAGE_FONT, {left + TEXT_PITCH + 1, 0, GLYPH_WIDTH - TEXT_PITCH - 1, 2 * GLYPH_HEIGHT}, CLEAR});
        areas.push_back({IMAGE_FONT, {left, 0, GLYPH_WIDTH, GLYPH_HEIGHT}, MOSTLY});
        for (int x = left; x < left + GLYPH_WIDTH; ++x)  // the green row has the white row's shape
            for (int y = 0; y < GLYPH_HEIGHT; ++y) EXPECT_EQ(Picture(IMAGE_FONT).opaqueAt(x, y), Picture(IMAGE_FONT).opaqueAt(x, y + GLYPH_HEIGHT));
    }
    for (const Area& a : areas) {
        const int opaque = Picture(a.image).opaqueCount(a.area), all = a.area.width * a.area.height;
        const int expected = a.rule == CLEAR ? 0 : a.rule == OPAQUE ? all : std::max(opaque, a.count + 1);
        EXPECT_EQ(opaque, expected) << a.image << " at " << a.area.x << "," << a.area.y;
    }
}

TEST(Art, TutorialPiecesKeepToTheirRectangles) {
    const Picture parts(IMAGE_TUTORIAL_PARTS);
    for (int y = 0; y < 90; ++y) {
        for (int x = 0; x < FRAME_WIDTH; ++x) {
            const bool inside = std::any_of(std::begin(TUTORIAL_PIECES), std::end(TUTORIAL_PIECES),
                                            [&](const Rect& r) { return r.contains(x, y); });
            ASSERT_TRUE(inside || !parts.opaqueAt(x, y)) << x << "," << y;
        }
    }
}

TEST(Art, PlayBackgroundGridLiesAt3Plus29kAndIsFainterThanEveryBoardLine) {
    // A board's lines fall on the grid's: a small board is found at a glance only when each of its line
    // colours stands out from the field more than the grid does.
    const Picture image(IMAGE_PLAY_BACKGROUND);
    for (int along = GRID_FIRST + 1; along < GRID_LAST; ++along) {
        if ((along - GRID_FIRST) % GRID_STEP == 0) continue;
        for (int line = GRID_FIRST; line <= GRID_LAST; line += GRID_STEP) {
            for (const int beside : {line - 1, line + 1}) {
                const std::uint16_t lines[] = {image.at(line, along), image.at(along, line)};
                const std::uint16_t fields[] = {image.at(beside, along), image.at(along, beside)};
                for (int i = 0; i < 2; ++i) {
                    EXPECT_GT(luminance(lines[i]), luminance(fields[i])) << line << " " << along << " " << i;
                    if (beside > GRID_LAST) continue;  // below the last line lies the tower shelf
                    for (const std::uint16_t board : BOARD_LINE_COLOURS)
                        EXPECT_LT(contrast(lines[i], fields[i]), contrast(board, fields[i])) << line << " " << along;
                }
            }
        }
    }
}

// A dot of window light beside a viewpoint number reads as part of it at 1x. The numbers of every level,
// drawn by the game with the widest ink a digit has, keep a margin of the plain field round them: nothing in
// it is lighter than the background's faint grid rule.
TEST(Art, NoWindowLightStandsBesideAViewpointNumber) {
    const Picture background(IMAGE_PLAY_BACKGROUND);
    double brightestRule = 0;
    for (int line = GRID_FIRST; line <= GRID_LAST; line += GRID_STEP)
        for (int along = GRID_FIRST; along <= GRID_LAST; ++along)
            brightestRule = std::max({brightestRule, luminance(background.at(line, along)), luminance(background.at(along, line))});
    constexpr std::uint16_t UNDRAWN = 0x1234;
    constexpr int WIDEST_DIGIT = 8;
    std::vector<std::uint16_t> pixels(FRAME_PIXELS);
    Frame frame;
    frame.BackBuffer = pixels.data();
    frame.images[IMAGE_FONT] = loadImage(IMAGE_RESOURCES[IMAGE_FONT].id);
    Board board;
    for (std::uint32_t level = 1; level <= LEVEL_COUNT; ++level) {
        setupLevel(board, level);
        board.viewpointClues.fill(WIDEST_DIGIT);
        std::fill(pixels.begin(), pixels.end(), UNDRAWN);
        drawBoard(frame, board);
        const Rect lines{board.boardLeft - 1, board.boardTop - 1, board.boardRight - board.boardLeft + 3,
                         board.boardBottom - board.boardTop + 3};
        int ink = 0;
        for (int y = 0; y < FRAME_HEIGHT; ++y) {
            for (int x = 0; x < FRAME_WIDTH; ++x) {
                if (pixels[static_cast<std::size_t>(y * FRAME_WIDTH + x)] == UNDRAWN || lines.contains(x, y)) continue;
                ++ink;
                for (int ny = std::max(y - NUMBER_CLEARANCE, 0); ny <= std::min(y + NUMBER_CLEARANCE, FRAME_HEIGHT - 1); ++ny)
                    for (int nx = std::max(x - NUMBER_CLEARANCE, 0); nx <= std::min(x + NUMBER_CLEARANCE, FRAME_WIDTH - 1); ++nx)
                        ASSERT_LE(luminance(background.at(nx, ny)), brightestRule)
                            << "level " << level << ": a light at " << nx << "," << ny << " beside the number ink at " << x << "," << y;
            }
        }
        ASSERT_GT(ink, 0) << "level " << level << " shows no numbers round its board";
    }
}

TEST(Art, PressedButtonsDifferOnlyInsideAndTheChosenTowerIsLitNotDimmed) {
    const Picture background(IMAGE_PLAY_BACKGROUND), pressed(IMAGE_PANEL_HIGHLIGHTS);
    for (int x = 0; x < FRAME_WIDTH; ++x) {
        bool inButton = false, onEdge = false;
        for (int button = 0; button < PANEL_BUTTON_COUNT; ++button) {
            // The sound switch's pressed look is its off look: on the same raised face, only its picture differs.
            const HitRect& r = panelRects[static_cast<std::size_t>(button)];
            const int face = button == PANEL_SOUND ? SOUND_FACE_BEVEL : 0;
            inButton |= x > r.left + face && x < r.right - 1 - face;
            onEdge |= x == r.left || x == r.right - 1;
        }
        int differing = 0;
        for (int y = 0; y < STRIP_HEIGHT; ++y) differing += pressed.at(x, y) != background.at(x, STRIP_TOP + y);
        EXPECT_TRUE(onEdge || (differing > 0) == inButton) << "column " << x;
    }
    // A dimmed button reads as one that would do nothing; the sound switch turned off still works, so it
    // stays lit.
    for (int button = 0; button < PANEL_BUTTON_COUNT; ++button) {
        const HitRect& r = panelRects[static_cast<std::size_t>(button)];
        const double kept = pressed.meanLuminance({r.left, 0, r.right - r.left, STRIP_HEIGHT}) /
                            background.meanLuminance({r.left, STRIP_TOP, r.right - r.left, STRIP_HEIGHT});
        if (button == PANEL_SOUND) EXPECT_GT(kept, SOUND_OFF_KEEPS) << "the sound switch turned off looks dimmed";
        else EXPECT_LT(kept, DIMMED_KEEPS) << "button " << button << " does not look dimmed when pressed";
    }
    // A darker chosen button reads as disabled: the chosen one shows its picture lit, in a bright frame.
    const Picture buttons(IMAGE_TOWER_BUTTONS);
    for (int kind = 0; kind < KINDS; ++kind) {
        const Rect normal{kind * BUTTON_WIDTH + 3, BUTTON_CLEARANCE + 3, BUTTON_WIDTH - 6, 39};
        const Rect chosen{normal.x, normal.y + BUTTON_HEIGHT, normal.width, normal.height};
        EXPECT_GT(buttons.meanLuminance(chosen), buttons.meanLuminance(normal) * 1.1) << kind;
        EXPECT_GT(buttons.meanLuminance({chosen.x - 1, chosen.y - 2, chosen.width + 2, 2}), 0.4) << kind;
    }
}

}  // namespace
