// The whole frame, redrawn every tick for the screen in front; the home menu and the credits.
#include "game/screens.h"

#include "game/game_start.h"
#include "game/game_state.h"
#include "game/screen_awake.h"
#include "game/screen_layers.h"
#include "game/screen_texts.h"
#include "game/screen_words.h"
#include "game/tutorial.h"
#include "gfx/frame.h"
#include "gfx/images.h"

namespace {

// A band of a picture's rows: `height` rows from `sourceY`, copied to row `y`.
struct Band {
    int sourceY, height, y;
};

constexpr Band TITLE_ART{0, 100, 11};
constexpr Band CREDITS_HEADING{144, 44, 6};

// The menu: a frame edge above and below three buttons 35 rows apart, each with its pressed look 108
// columns on.
constexpr int MENU_WIDTH = 108;
constexpr int MENU_X = 132;
constexpr Band MENU_TOP_EDGE{0, 7, 114};
constexpr Band MENU_BOTTOM_EDGE{112, 12, 226};
constexpr Band MENU_FIRST_BUTTON{7, 35, 121};
constexpr int MENU_PRESSED_SOURCE_X = 108;

void drawTitleBand(const Band& band) {
    drawImagePart(screenFrame, IMAGE_TITLE, 0, band.sourceY, 0, band.y, band.height, imageWidth(IMAGE_TITLE));
}

void drawMenuBand(const Band& band, int sourceX = 0) {
    drawImagePart(screenFrame, IMAGE_MENU_BUTTONS, sourceX, band.sourceY, MENU_X, band.y, band.height, MENU_WIDTH);
}

// Button `row` of the menu (PLAY, HELP, QUIT from the top).
void drawMenuButton(int row, std::int32_t pressed) {
    const int offset = MENU_FIRST_BUTTON.height * row;
    drawMenuBand({MENU_FIRST_BUTTON.sourceY + offset, MENU_FIRST_BUTTON.height, MENU_FIRST_BUTTON.y + offset},
                 pressed != 0 ? MENU_PRESSED_SOURCE_X : 0);
}

void drawHomeBackground() {
    drawImage(screenFrame, IMAGE_HOME_BACKGROUND, 0, 0);
}

}  // namespace

void drawHomeScreen() {
    drawHomeBackground();
    drawTitleBand(TITLE_ART);
    drawMenuBand(MENU_TOP_EDGE);
    drawMenuBand(MENU_BOTTOM_EDGE);
    drawMenuButton(0, gameState.playPressed);
    drawMenuButton(1, gameState.helpPressed);
    drawMenuButton(2, gameState.quitPressed);
}

void drawCreditsScreen() {
    drawHomeBackground();
    drawTitleBand(CREDITS_HEADING);
    drawScreenTexts(SCREEN_CREDITS, 0);
}

void drawScreen() {
    switch (gameState.screen) {
    case SCREEN_HOME:
        drawHomeScreen();
        break;
    case SCREEN_CREDITS:
        drawCreditsScreen();
        break;
    case SCREEN_PLAY:
        drawPlayScreen();
        break;
    case SCREEN_NEW_RECORD:
        drawNewRecordScreen();
        break;
    case SCREEN_LEVEL_COMPLETE:
        drawLevelCompleteScreen();
        break;
    case SCREEN_GAME_COMPLETE:
        drawGameCompleteScreen();
        break;
    case SCREEN_TUTORIAL_INTRO:
    case SCREEN_TUTORIAL_CONTROLS:
    case SCREEN_TUTORIAL_PLAYING:
    case SCREEN_TUTORIAL_STRATEGY:
        drawTutorialPage();
        break;
    default:
        break;
    }
}

void renderFrame() {
    if (gameState.initPending != 0) {
        initialiseGame();
        gameState.initPending = 0;
    }
    // Without a frame there is nothing to draw into or to show (the shell never runs without one).
    if (screenFrame.BackBuffer == nullptr) return;
    drawScreen();
    presentFrame(screenFrame);
    announceScreenChanges();
    keepScreenAwakeWhilePlaying();
}
