// What a stylus lift does on the play screen: the placement on the cell picked at stylus-down, the end
// of a solved level, the tower buttons and the control panel.
#include "game/play_commands.h"

#include <algorithm>

#include "game/controls.h"
#include "game/game_records.h"
#include "game/game_state.h"
#include "game/level_clock.h"
#include "game/level_commands.h"
#include "game/sound_cues.h"
#include "puzzle/board_lines.h"
#include "puzzle/board_rules.h"

namespace {

void completeLevel() {
    stopClockTimers();
    if (gameState.soundOn != 0) pauseMusic(true);
    // SOLVE stays the way past a level, but the time it gives was not earned.
    if (gameState.solutionShown == 0 && isNewRecord() != 0) {
        gameState.screen = SCREEN_NEW_RECORD;
        playClapsSample();
    } else {
        gameState.screen = SCREEN_LEVEL_COMPLETE;
    }
}

// Places the chosen tower (or empties the cell) where the stylus went down, wherever it is lifted. A
// pick the current board does not have (its bounds were an earlier level's) is dropped instead of
// writing outside the board.
void placePickedTower() {
    Board& board = gameState.board;
    const BoardCell cell = hitBoardCell(board);
    gameState.cellPicked = 0;
    if (!cell.onBoard) return;

    board.playerGrid[cellIndex(cell.column, cell.row)] = board.selectedTower == NO_TOWER ? 0 : board.selectedTower + 1;
    playButtonsSample();
    if (evaluateMove(board, cell.column, cell.row) != 0) completeLevel();
}

void chooseTower(int button) {
    gameState.board.selectedTower = button < gameState.board.towerKindCount ? button : NO_TOWER;
}

void showSolution() {
    Board& board = gameState.board;
    const int columns = std::min(board.columnCount, GRID_SIDE);
    const int rows = std::min(board.rowCount, GRID_SIDE);
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row < rows; ++row) {
            board.playerGrid[cellIndex(column, row)] = board.solutionGrid[cellIndex(column, row)];
        }
    }
    const int viewpoints = std::min(viewpointCount(columns, rows), VIEWPOINT_SLOTS - 1);
    for (int viewpoint = 1; viewpoint <= viewpoints; ++viewpoint) board.viewpointLit[viewpoint] = 1;
    gameState.solutionShown = 1;
}

void toggleSound() {
    gameState.soundOn = gameState.soundOn == 0 ? 1 : 0;
    saveRecords();
    if (gameState.soundOn != 0) {
        startMusicLooping();
    } else {
        stopMusic();
    }
}

// Under a result screen only the commands that would leave the result behind are held back: another
// puzzle under the record dialog (PREV, RESET, NEXT) or no result at all (HOME).
bool leavesTheResultBehind(int button) {
    return button == PANEL_HOME || button == PANEL_PREV || button == PANEL_RESET || button == PANEL_NEXT;
}

void pressPanelButton(int button) {
    switch (button) {
    case PANEL_HOME:
        stopClockTimers();
        gameState.screen = SCREEN_HOME;
        playButtonsSample();
        break;
    case PANEL_PREV:
        if (gameState.level >= 2) {
            gameState.level -= 1;
            startLevel();
        }
        break;
    case PANEL_SOLVE:
        showSolution();
        break;
    case PANEL_RESET:
        startLevel();
        break;
    case PANEL_SOUND:
        toggleSound();
        break;
    case PANEL_NEXT:
        if (gameState.level < gameState.maxLevel) {
            gameState.level += 1;
            startLevel();
        }
        break;
    default:
        break;
    }
}

void carryOutControlAt(int x, int y) {
    for (int button = 0; button < TOWER_BUTTON_COUNT; ++button) {
        if (pointInRect(x, y, towerButtonRects[button])) {
            chooseTower(button);
            return;
        }
    }
    for (int button = 0; button < PANEL_BUTTON_COUNT; ++button) {
        if (pointInRect(x, y, panelRects[button])) {
            if (gameState.screen == SCREEN_PLAY || !leavesTheResultBehind(button)) pressPanelButton(button);
            return;
        }
    }
    if (!insideBoard(gameState.board, x, y)) gameState.board.selectedTower = NO_TOWER;
}

}  // namespace

void liftOnPlayScreen(int x, int y) {
    if (gameState.cellPicked != 0) placePickedTower();
    // A placement that solved the level has put its result screen up; the rest of the lift still acts,
    // short of what would leave that result behind.
    carryOutControlAt(x, y);
    for (std::int32_t GameState::*flag : panelPressedFlags) gameState.*flag = 0;
}
