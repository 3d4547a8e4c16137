// Stylus-down marks what lies under the stylus (a button shown pressed, the board cell touched); only
// the record dialog's keyboard acts at once, typing as the key goes down.
#include "game/stylus_down.h"

#include <algorithm>

#include "game/controls.h"
#include "game/game_state.h"
#include "puzzle/board_rules.h"

namespace {

constexpr std::size_t NAME_LETTERS = RECORD_TEXT_SIZE - 1;

// QUIT is tested before HELP, so their shared row marks QUIT.
void markMenuButton(int x, int y) {
    if (pointInRect(x, y, menuRects[MENU_PLAY])) {
        gameState.playPressed = 1;
    } else if (pointInRect(x, y, menuRects[MENU_QUIT])) {
        gameState.quitPressed = 1;
    } else if (pointInRect(x, y, menuRects[MENU_HELP])) {
        gameState.helpPressed = 1;
    }
}

void pickCellAndMarkPanel(int x, int y) {
    gameState.cellPicked = static_cast<std::int32_t>(
        hitTestBoard(gameState.board, x, y, gameState.board.hitCellLeft, gameState.board.hitCellTop, gameState.board.hitColumn, gameState.board.hitRow));
    gameState.pickedCellLeft = gameState.board.hitCellLeft;
    for (int button = 0; button < PANEL_BUTTON_COUNT; ++button) {
        if (pointInRect(x, y, panelRects[button])) {
            gameState.*panelPressedFlags[button] = 1;
            return;
        }
    }
}

void holdKey(int key, int left, int top) {
    gameState.heldKey = key;
    gameState.heldKeyX = left;
    gameState.heldKeyY = top;
}

// Appends the letter of the first letter key under the point; false when none is.
bool typeLetterAt(int x, int y, std::size_t length) {
    for (int key = FIRST_LETTER_KEY; key <= LAST_LETTER_KEY; ++key) {
        const HitRect rect = nameKeyRect(key);
        if (pointInRect(x, y, rect)) {
            gameState.nameEntry[length] = static_cast<char>('A' + key - FIRST_LETTER_KEY);
            gameState.nameEntry[length + 1] = '\0';
            holdKey(key, rect.left, rect.top);
            return true;
        }
    }
    return false;
}

void pressNameKeyboard(int x, int y) {
    gameState.keyHeld = 1;
    const auto letters = gameState.nameEntry.begin();
    const auto length = static_cast<std::size_t>(std::find(letters, letters + NAME_LETTERS, '\0') - letters);
    if (length < NAME_LETTERS && typeLetterAt(x, y, length)) return;

    const HitRect deleteRect = nameKeyRect(DELETE_KEY);
    if (pointInRect(x, y, deleteRect)) {
        if (length >= 1) gameState.nameEntry[length - 1] = '\0';
        holdKey(DELETE_KEY, deleteRect.left, deleteRect.top);
        return;
    }
    if (pointInRect(x, y, okKey)) {
        holdKey(OK_KEY, okKey.left, okKey.top);
        return;
    }
    gameState.keyHeld = 0;
}

}  // namespace

void stylusDown(int x, int y) {
    switch (gameState.screen) {
        case SCREEN_HOME: markMenuButton(x, y); break;
        case SCREEN_PLAY: pickCellAndMarkPanel(x, y); break;
        case SCREEN_NEW_RECORD: pressNameKeyboard(x, y); break;
        default: break;
    }
}
