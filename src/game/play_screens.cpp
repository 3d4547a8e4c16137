// The play screen and the three screens that show a level's result over its darkened remains.
#include "game/controls.h"
#include "game/game_state.h"
#include "game/level_clock.h"
#include "game/screen_layers.h"
#include "game/screen_texts.h"
#include "gfx/frame.h"
#include "gfx/images.h"
#include "gfx/text.h"
#include "puzzle/board_drawing.h"

namespace {

constexpr std::uint16_t PICK_GREEN = 0x07E0;
// Two nested squares round the picked cell, 30 and 28 pixels wide.
constexpr int PICK_OUTER_MARGIN = 1;
constexpr int PICK_INNER_SPAN = 27;

constexpr int NAME_X = 88;
constexpr int NAME_Y = 131;

void drawPlayBackground() { drawImage(IMAGE_PLAY_BACKGROUND, 0, 0); }

// The control strip's pressed look: the button's own rectangle of the highlight strip, copied to the same
// place over the strip.
void drawPanelButtonPressed(int button) {
    const HitRect& rect = panelRects[button];
    drawImagePart(IMAGE_PANEL_HIGHLIGHTS, rect.left, 0, rect.left, rect.top, rect.bottom - rect.top,
                  rect.right - rect.left);
}

// Only the first held button in panel order looks pressed.
void drawHeldPanelButton() {
    for (int button = 0; button < PANEL_BUTTON_COUNT; ++button) {
        if (gameState.*panelPressedFlags[button] != 0) {
            drawPanelButtonPressed(button);
            return;
        }
    }
}

// Buttons that would do nothing look pressed, as does the sound button while the sound is off.
void drawIdlePanelButtons() {
    if (gameState.soundOn == 0) drawPanelButtonPressed(PANEL_SOUND);
    if (gameState.level == gameState.maxLevel) drawPanelButtonPressed(PANEL_NEXT);
    if (gameState.level == 1) drawPanelButtonPressed(PANEL_PREV);
}

void drawPickedCellFrame() {
    const int left = gameState.pickedCellLeft;
    const int top = gameState.hitCellTop;
    gameState.penColour = PICK_GREEN;
    drawRect(left - PICK_OUTER_MARGIN, top - PICK_OUTER_MARGIN, left + PICK_INNER_SPAN + PICK_OUTER_MARGIN,
             top + PICK_INNER_SPAN + PICK_OUTER_MARGIN);
    drawRect(left, top, left + PICK_INNER_SPAN, top + PICK_INNER_SPAN);
}

// What the three result screens keep of the play screen: its background, tower buttons and status
// line, darkened at half density; the board itself is not drawn.
void drawDarkenedPlayScreen() {
    drawPlayBackground();
    drawTowerPanel();
    drawStatusLine();
    shadeScreen();
}

}  // namespace

void drawPlayScreen() {
    drawPlayBackground();
    drawBoard(gameState.columnCount, gameState.rowCount, gameState.boardRowOffset, gameState.boardColumnOffset);
    drawTowerPanel();
    drawStatusLine();
    drawHeldPanelButton();
    drawIdlePanelButtons();
    if (gameState.cellPicked != 0) drawPickedCellFrame();
}

void drawNewRecordScreen() {
    drawDarkenedPlayScreen();
    drawRecordKeyboard();
    drawText(gameState.nameEntry.data(), NAME_X, NAME_Y, TEXT_WHITE);
}

void drawLevelCompleteScreen() {
    drawDarkenedPlayScreen();
    drawScreenTexts(SCREEN_LEVEL_COMPLETE, 0);
}

void drawGameCompleteScreen() {
    drawDarkenedPlayScreen();
    drawScreenTexts(SCREEN_GAME_COMPLETE, 0);
}
