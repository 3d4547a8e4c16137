// The layers of each screen, checked against small pictures whose every pixel says where it came from.
#include <string>
#include <utility>

#include "game/screens.h"
#include "game/stylus.h"
#include "game_fixture.h"
#include "gfx/text.h"

namespace {

constexpr std::uint16_t BACKGROUND = 0x0841;
constexpr int MENU_WIDTH = 216, MENU_HEIGHT = 125;
constexpr int TITLE_WIDTH = 240, TITLE_HEIGHT = 188;
constexpr int PANEL_WIDTH = 240, PANEL_HEIGHT = 19;

// Every pixel its own non-zero value: base + its index.
std::vector<std::uint16_t> codedImage(int width, int height, std::uint16_t base) {
    std::vector<std::uint16_t> image(static_cast<std::size_t>(width * height));
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint16_t>(base + i);
    return image;
}

class Screens : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        gameState.initPending = 0;
        gameState.homeBackgroundImage = background.data();
        gameState.playBackgroundImage = background.data();
        gameState.titleImage = title.data();
        gameState.menuButtonsImage = menu.data();
        gameState.panelHighlightsImage = panel.data();
    }

    std::uint16_t menuPixel(int x, int y) const { return menu[static_cast<std::size_t>(y * MENU_WIDTH + x)]; }
    std::uint16_t titlePixel(int x, int y) const { return title[static_cast<std::size_t>(y * TITLE_WIDTH + x)]; }
    std::uint16_t panelPixel(int x, int y) const { return panel[static_cast<std::size_t>(y * PANEL_WIDTH + x)]; }

    // True when the width x height block at (x, y) of the frame is the block at (sourceX, sourceY) of a
    // picture.
    template <typename Source>
    bool blockMatches(int x, int y, int width, int height, int sourceX, int sourceY, Source source) const {
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                if (pixel(x + column, y + row) != source(sourceX + column, sourceY + row)) return false;
            }
        }
        return true;
    }

    bool menuButtonShows(int button, bool pressed) const {
        return blockMatches(132, 121 + 35 * button, 108, 35, pressed ? 108 : 0, 7 + 35 * button,
                            [this](int x, int y) { return menuPixel(x, y); });
    }

    bool panelButtonLooksPressed(int x, int width) const {
        return blockMatches(x, 301, width, PANEL_HEIGHT, x, 0, [this](int px, int py) { return panelPixel(px, py); });
    }

    // Which of home, previous, solve, reset, sound and next show their pressed look.
    std::string pressedPanelButtons() const {
        constexpr std::pair<int, int> buttons[] = {{0, 65}, {81, 54}, {136, 17}, {154, 16}, {171, 12}, {184, 52}};
        std::string pressed;
        for (const auto& [x, width] : buttons) {
            const bool highlighted = panelButtonLooksPressed(x, width);
            const bool plain = blockMatches(x, 301, width, PANEL_HEIGHT, 0, 0, [](int, int) { return BACKGROUND; });
            pressed += highlighted ? 'P' : plain ? '-' : '?';
        }
        return pressed;
    }

    std::vector<std::uint16_t> background = std::vector<std::uint16_t>(FRAME_PIXELS, BACKGROUND);
    std::vector<std::uint16_t> title = codedImage(TITLE_WIDTH, TITLE_HEIGHT, 1);
    std::vector<std::uint16_t> menu = codedImage(MENU_WIDTH, MENU_HEIGHT, 0x8000);
    std::vector<std::uint16_t> panel = codedImage(PANEL_WIDTH, PANEL_HEIGHT, 0xC000);
};

TEST_F(Screens, HomeShowsTitleAndMenuOverTheBackdrop) {
    renderFrame();
    const auto titleSource = [this](int x, int y) { return titlePixel(x, y); };
    const auto menuSource = [this](int x, int y) { return menuPixel(x, y); };
    EXPECT_TRUE(blockMatches(0, 11, 240, 100, 0, 0, titleSource));
    EXPECT_TRUE(blockMatches(132, 114, 108, 7, 0, 0, menuSource));
    EXPECT_TRUE(blockMatches(132, 226, 108, 12, 0, 112, menuSource));
    for (int button = 0; button < 3; ++button) EXPECT_TRUE(menuButtonShows(button, false)) << button;
    EXPECT_EQ(pixel(0, 10), BACKGROUND);
    EXPECT_EQ(pixel(0, 111), BACKGROUND);
    EXPECT_EQ(pixel(131, 150), BACKGROUND);
    EXPECT_EQ(pixel(239, 238), BACKGROUND);
}

TEST_F(Screens, AHeldMenuButtonAloneLooksPressed) {
    std::int32_t GameState::*const flags[] = {&GameState::playPressed, &GameState::helpPressed,
                                              &GameState::quitPressed};
    for (int held = 0; held < 3; ++held) {
        gameState.playPressed = gameState.helpPressed = gameState.quitPressed = 0;
        gameState.*flags[held] = 1;
        renderFrame();
        for (int button = 0; button < 3; ++button) EXPECT_TRUE(menuButtonShows(button, button == held)) << held;
    }
}

TEST_F(Screens, CreditsShowTheirHeading) {
    gameState.screen = SCREEN_CREDITS;
    renderFrame();
    EXPECT_TRUE(blockMatches(0, 6, 240, 44, 0, 144, [this](int x, int y) { return titlePixel(x, y); }));
    EXPECT_EQ(pixel(0, 5), BACKGROUND);
    EXPECT_EQ(pixel(239, 50), BACKGROUND);
}

TEST_F(Screens, PanelButtonsLookPressedOnlyWhenHeldOrIdle) {
    playLevel(5, 9);
    gameState.soundOn = 1;
    renderFrame();
    EXPECT_EQ(pressedPanelButtons(), "------");

    gameState.solvePressed = 1;
    renderFrame();
    EXPECT_EQ(pressedPanelButtons(), "--P---");

    gameState.solvePressed = 0;
    gameState.homePressed = gameState.nextPressed = 1;  // only the first in panel order shows
    frame.assign(FRAME_PIXELS, 0);
    renderFrame();
    EXPECT_EQ(pressedPanelButtons(), "P-----");
}

TEST_F(Screens, ButtonsThatWouldDoNothingLookPressed) {
    playLevel(1, 1);
    gameState.soundOn = 0;
    renderFrame();
    EXPECT_EQ(pressedPanelButtons(), "-P--PP");

    playLevel(9, 9);
    gameState.soundOn = 1;
    renderFrame();
    EXPECT_EQ(pressedPanelButtons(), "-----P");
}

TEST_F(Screens, ThePickedCellIsFramedInGreen) {
    playLevel(11, 11);  // 3 x 3 at offsets (4, 4)
    constexpr std::uint16_t GREEN = 0x07E0;
    gameState.cellPicked = 1;
    gameState.pickedCellLeft = 120;
    gameState.hitCellTop = 149;
    renderFrame();
    for (int d = 0; d <= 29; ++d) {
        EXPECT_EQ(pixel(119 + d, 148), GREEN) << d;
        EXPECT_EQ(pixel(119 + d, 177), GREEN) << d;
        EXPECT_EQ(pixel(119, 148 + d), GREEN) << d;
        EXPECT_EQ(pixel(148, 148 + d), GREEN) << d;
    }
    for (int d = 0; d <= 27; ++d) {
        EXPECT_EQ(pixel(120 + d, 149), GREEN) << d;
        EXPECT_EQ(pixel(147, 149 + d), GREEN) << d;
    }
    EXPECT_NE(pixel(121, 150), GREEN);
    EXPECT_NE(pixel(118, 147), GREEN);
    EXPECT_NE(pixel(149, 178), GREEN);

    gameState.cellPicked = 0;
    renderFrame();
    EXPECT_NE(pixel(119, 148), GREEN);
}

TEST_F(Screens, ResultScreensDarkenThePlayScreenWithoutItsBoard) {
    for (const std::uint32_t screen : {SCREEN_NEW_RECORD, SCREEN_LEVEL_COMPLETE, SCREEN_GAME_COMPLETE}) {
        playLevel(11, 11);
        gameState.screen = screen;
        gameState.soundOn = 0;
        renderFrame();
        EXPECT_EQ(pixel(0, 0), 0x0000) << screen;
        EXPECT_EQ(pixel(1, 0), BACKGROUND) << screen;
        EXPECT_EQ(pixel(91, 90), BACKGROUND) << screen;  // where the board's grid line would be
        EXPECT_EQ(pixel(176, 311), BACKGROUND) << screen;  // no panel button drawn pressed
    }
}

TEST_F(Screens, TheRecordDialogShowsTheNameTyped) {
    std::vector<std::uint16_t> font(FONT_IMAGE_WIDTH * GLYPH_HEIGHT * 2);
    for (std::size_t i = 0; i < font.size(); ++i) {
        font[i] = static_cast<std::uint16_t>(0x0100 + static_cast<int>(i % FONT_IMAGE_WIDTH) / GLYPH_WIDTH);
    }
    gameState.fontImage = font.data();
    playLevel(4, 4);
    gameState.screen = SCREEN_NEW_RECORD;
    std::snprintf(gameState.nameEntry.data(), RECORD_TEXT_SIZE, "%s", "AZ");
    renderFrame();
    EXPECT_EQ(pixel(89, 132), 0x0100 + 'A' - '!');
    EXPECT_EQ(pixel(105, 132), 0x0100 + 'Z' - '!');
    EXPECT_EQ(pixel(108, 132), 0x0000);  // shaded, beyond the name
}

TEST_F(Screens, AScreenWithoutDrawingIsPresentedAsItStands) {
    openWindow();
    ASSERT_TRUE(platform::openDisplay());
    gameState.displayProperties = headless::STANDARD_DISPLAY;
    frame.assign(FRAME_PIXELS, 0x1234);
    gameState.screen = 2;
    const auto presented = headless::framesPresented();
    renderFrame();
    EXPECT_EQ(headless::framesPresented(), presented + 1);
    EXPECT_EQ(pixel(100, 100), 0x1234);
    EXPECT_EQ(headless::displayPixel(100, 100), 0x1234);
    platform::closeDisplay();
}

TEST_F(Screens, TutorialPagesAreDrawnAndPresented) {
    openWindow();
    ASSERT_TRUE(platform::openDisplay());
    gameState.displayProperties = headless::STANDARD_DISPLAY;
    enterTutorial();
    const auto presented = headless::framesPresented();
    renderFrame();
    renderFrame();
    EXPECT_EQ(gameState.tutorialTick, 2);
    EXPECT_EQ(headless::framesPresented(), presented + 2);
    platform::closeDisplay();
}

}  // namespace

// What a screen reader is told: each screen's summary, and the board in play between its viewpoints
// (numbered clockwise from the top left: top 1..W, right W+1.., bottom, left).
TEST_F(Screens, EachScreenIsToldInWords) {
    playLevel(17, 17);
    gameState.levelSeconds = 83.0;
    const std::pair<std::uint32_t, const char*> summaries[] = {
        {SCREEN_HOME, "Home"},
        {SCREEN_PLAY, "Level 17, 3 by 4"},
        {SCREEN_NEW_RECORD, "New best time 01:23 \u2014 enter your name"},
        {SCREEN_LEVEL_COMPLETE, "Level complete"},
        {SCREEN_TUTORIAL_CONTROLS, "Tutorial: Game controls"},
    };
    for (const auto& [screen, summary] : summaries) {
        gameState.screen = screen;
        renderFrame();
        EXPECT_EQ(headless::lastAnnouncement().summary, summary);
    }
    EXPECT_EQ(headless::lastAnnouncement().board, "");

    playLevel(1, 1);
    gameState.columnCount = 2;
    gameState.rowCount = 1;
    gameState.viewpointClues = {0, 2, 1, 1, 1, 2, 2, 1};
    gameState.viewpointLit = {0, 1, 0, 0, 1, 0, 0, 1};
    gameState.playerGrid[0] = 1;
    gameState.playerGrid[GRID_SIDE] = PARK;
    gameState.selectedTower = 5;
    renderFrame();
    EXPECT_EQ(headless::lastAnnouncement().board,
              "Top: 2 lit, 1.\nRow 1, left 2: 1, park; right 1.\nBottom: 1 lit, 2.\nChosen tower: 5.");
}
