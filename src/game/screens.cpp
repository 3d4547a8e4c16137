// The whole frame, redrawn every tick for the screen in front; the home menu and the credits.
#include "game/screens.h"

#include <array>

#include "game/game_state.h"
#include "game/screen_layers.h"
#include "game/screen_words.h"
#include "game/tutorial.h"
#include "gfx/frame.h"
#include "gfx/images.h"
#include "gfx/text.h"

namespace {

constexpr int TITLE_WIDTH = 240;
constexpr int TITLE_ART_HEIGHT = 100;
constexpr int TITLE_ART_Y = 11;
constexpr int CREDITS_HEADING_SOURCE_Y = 144;
constexpr int CREDITS_HEADING_HEIGHT = 44;
constexpr int CREDITS_HEADING_Y = 6;

// The menu: a frame edge above and below three buttons, each with its pressed look 108 columns on.
constexpr int MENU_IMAGE_WIDTH = 216;
constexpr int MENU_WIDTH = 108;
constexpr int MENU_X = 132;
constexpr int MENU_TOP_EDGE_HEIGHT = 7;
constexpr int MENU_TOP_EDGE_Y = 114;
constexpr int MENU_BOTTOM_EDGE_SOURCE_Y = 112;
constexpr int MENU_BOTTOM_EDGE_HEIGHT = 12;
constexpr int MENU_BOTTOM_EDGE_Y = 226;
constexpr int MENU_BUTTON_HEIGHT = 35;
constexpr int MENU_PRESSED_SOURCE_X = 108;
constexpr int MENU_FIRST_BUTTON_SOURCE_Y = 7;
constexpr int MENU_FIRST_BUTTON_Y = 121;

constexpr PlacedText VERSION_TEXT{"V1.0", 204, 306, TEXT_WHITE};

constexpr std::array<PlacedText, 10> CREDITS_TEXTS{{
    {"PROGRAMMING AND DESIGN", 30, 56, TEXT_GREEN},
    {"THE SPIREHOLD TEAM", 46, 71, TEXT_WHITE},
    {"GAME CODE AND ART", 53, 84, TEXT_WHITE},
    {"SOUND ENGINE", 67, 104, TEXT_GREEN},
    {"SPIREHOLD SOUND", 63, 119, TEXT_WHITE},
    {"ORIGINAL MUSIC", 60, 139, TEXT_GREEN},
    {"SPIREHOLD MUSIC", 63, 154, TEXT_WHITE},
    {"THANKS TO", 77, 174, TEXT_GREEN},
    {"FRIENDS AND FAMILIES", 41, 189, TEXT_WHITE},
    {"AND YOU, PLAYER!", 56, 202, TEXT_WHITE},
}};

// Button `row` of the menu (PLAY, HELP, QUIT from the top).
void drawMenuButton(int row, std::int32_t pressed) {
    const int offset = MENU_BUTTON_HEIGHT * row;
    blitImagePart(gameState.images[IMAGE_MENU_BUTTONS], pressed != 0 ? MENU_PRESSED_SOURCE_X : 0,
                  MENU_FIRST_BUTTON_SOURCE_Y + offset, MENU_IMAGE_WIDTH, MENU_X, MENU_FIRST_BUTTON_Y + offset,
                  MENU_BUTTON_HEIGHT, MENU_WIDTH);
}

void drawHomeBackground() {
    blitImage(gameState.images[IMAGE_HOME_BACKGROUND], 0, 0, FRAME_HEIGHT, FRAME_WIDTH);
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

}  // namespace

void drawHomeScreen() {
    drawHomeBackground();
    blitImagePart(gameState.images[IMAGE_TITLE], 0, 0, TITLE_WIDTH, 0, TITLE_ART_Y, TITLE_ART_HEIGHT, TITLE_WIDTH);
    blitImagePart(gameState.images[IMAGE_MENU_BUTTONS], 0, 0, MENU_IMAGE_WIDTH, MENU_X, MENU_TOP_EDGE_Y,
                  MENU_TOP_EDGE_HEIGHT, MENU_WIDTH);
    blitImagePart(gameState.images[IMAGE_MENU_BUTTONS], 0, MENU_BOTTOM_EDGE_SOURCE_Y, MENU_IMAGE_WIDTH, MENU_X,
                  MENU_BOTTOM_EDGE_Y, MENU_BOTTOM_EDGE_HEIGHT, MENU_WIDTH);
    drawMenuButton(0, gameState.playPressed);
    drawMenuButton(1, gameState.helpPressed);
    drawMenuButton(2, gameState.quitPressed);
}

void drawCreditsScreen() {
    drawHomeBackground();
    blitImagePart(gameState.images[IMAGE_TITLE], 0, CREDITS_HEADING_SOURCE_Y, TITLE_WIDTH, 0, CREDITS_HEADING_Y,
                  CREDITS_HEADING_HEIGHT, TITLE_WIDTH);
    drawPlacedText(VERSION_TEXT);
    for (const PlacedText& line : CREDITS_TEXTS) drawPlacedText(line);
}

void drawPlacedText(const PlacedText& placed) { drawText(placed.text, placed.x, placed.y, placed.style); }

void renderFrame() {
    if (gameState.initPending != 0) {
        initialiseGame();
        gameState.initPending = 0;
    }
    // Without a frame there is nothing to draw into or to show (the shell never runs without one).
    if (gameState.BackBuffer == nullptr) return;
    drawScreen();
    presentFrame();
    announceScreenChanges();
}
