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

constexpr int DIALOG_X = 35, DIALOG_Y = 66;
constexpr int FIRST_LETTER_GLYPH_X = ('A' - '!') * GLYPH_WIDTH;
constexpr int KEY_LABEL_INSET = 2;  // a letter's glyph stands this far inside its key

void drawPlayBackground() { drawImage(screenFrame, IMAGE_PLAY_BACKGROUND, 0, 0); }

// The control strip's pressed look: the button's own rectangle of the highlight strip, copied to the same
// place over the strip.
void drawPanelButtonPressed(int button) {
    const HitRect& rect = panelRects[button];
    drawImagePart(screenFrame, IMAGE_PANEL_HIGHLIGHTS, rect.left, 0, rect.left, rect.top, rect.bottom - rect.top,
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
    const int top = gameState.board.hitCellTop;
    screenFrame.penColour = PICK_GREEN;
    drawRect(screenFrame, left - PICK_OUTER_MARGIN, top - PICK_OUTER_MARGIN, left + PICK_INNER_SPAN + PICK_OUTER_MARGIN,
             top + PICK_INNER_SPAN + PICK_OUTER_MARGIN);
    drawRect(screenFrame, left, top, left + PICK_INNER_SPAN, top + PICK_INNER_SPAN);
}

// What the three result screens keep of the play screen: its background, tower buttons and status
// line, darkened at half density; the board itself is not drawn. Above the tower buttons nothing but
// the background is drawn, so there it is copied darkened, in one pass; below, the buttons and the
// status line are drawn first and darkened with it.
void drawDarkenedPlayScreen() {
    drawShadedBackground(screenFrame, IMAGE_PLAY_BACKGROUND, TOWER_PANEL_TOP);
    drawTowerPanel(screenFrame, gameState.board);
    drawStatusLine();
    shadeRows(screenFrame, TOWER_PANEL_TOP, FRAME_HEIGHT);
}

// The delete key has its sign painted in the dialog; the letter keys get their letters here.
void drawKeyLabel(int key) {
    const HitRect rect = nameKeyRect(key);
    const int letter = key - FIRST_LETTER_KEY;
    drawImagePart(screenFrame, IMAGE_FONT, FIRST_LETTER_GLYPH_X + GLYPH_WIDTH * letter, 0, rect.left + KEY_LABEL_INSET,
                  rect.top + KEY_LABEL_INSET, GLYPH_HEIGHT, GLYPH_WIDTH);
}

// The record dialog with the held key's highlight and the key labels.
void drawRecordKeyboard() {
    drawImage(screenFrame, IMAGE_RECORD_DIALOG, DIALOG_X, DIALOG_Y);
    if (gameState.keyHeld != 0) {
        if (gameState.heldKey == OK_KEY)
            drawImage(screenFrame, IMAGE_OK_HIGHLIGHT, gameState.heldKeyX, gameState.heldKeyY - 1);
        else
            drawImage(screenFrame, IMAGE_KEY_HIGHLIGHT, gameState.heldKeyX, gameState.heldKeyY);
    }
    for (int key = FIRST_LETTER_KEY; key <= LAST_LETTER_KEY; ++key) drawKeyLabel(key);
}

}  // namespace

void drawPlayScreen() {
    drawPlayBackground();
    drawBoard(screenFrame, gameState.board);
    drawTowerPanel(screenFrame, gameState.board);
    drawStatusLine();
    drawHeldPanelButton();
    drawIdlePanelButtons();
    if (gameState.cellPicked != 0) drawPickedCellFrame();
}

void drawNewRecordScreen() {
    drawDarkenedPlayScreen();
    drawRecordKeyboard();
    drawText(screenFrame, gameState.nameEntry.data(), NAME_X, NAME_Y, TEXT_WHITE);
}

void drawLevelCompleteScreen() {
    drawDarkenedPlayScreen();
    drawScreenTexts(SCREEN_LEVEL_COMPLETE, 0);
}

void drawGameCompleteScreen() {
    drawDarkenedPlayScreen();
    drawScreenTexts(SCREEN_GAME_COMPLETE, 0);
}
