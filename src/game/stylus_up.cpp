// Every command of the game runs when the stylus is lifted: the control under the lift point, for the
// screen in front.
#include "game/stylus_up.h"

#include <cstdint>
#include <cstdio>

#include "game/controls.h"
#include "game/game_records.h"
#include "game/game_state.h"
#include "game/level_clock.h"
#include "game/level_commands.h"
#include "game/play_commands.h"
#include "game/saved_game.h"
#include "game/sound_cues.h"
#include "game/tutorial.h"

namespace {

// The tutorial is offered once, on the first PLAY or HELP; the file remembers that it was.
void markTutorialSeen() {
    if (gameState.tutorialSeen != 0) return;
    gameState.tutorialSeen = 1;
    saveRecords();
}

void liftOnHomeScreen(int x, int y) {
    if (pointInRect(x, y, menuRects[MENU_PLAY])) {
        if (gameState.tutorialSeen == 1) {
            // The level resumes as it was left, board and clock value alike.
            startClockTimers();
            gameState.screen = SCREEN_PLAY;
        } else {
            markTutorialSeen();
            enterTutorial();
        }
        playButtonsSample();
    } else if (pointInRect(x, y, menuRects[MENU_HELP])) {
        markTutorialSeen();
        enterTutorial();
        playButtonsSample();
    } else if (pointInRect(x, y, menuRects[MENU_QUIT])) {
        gameState.screen = SCREEN_CREDITS;
        playButtonsSample();
    }
    gameState.playPressed = 0;
    gameState.quitPressed = 0;
    gameState.helpPressed = 0;
}

// OK stores the typed name and the time against the level just solved and moves on; the name stays
// typed for the next record.
void liftOnRecordDialog(int x, int y) {
    gameState.keyHeld = 0;
    if (!pointInRect(x, y, okKey)) return;

    const int level = gameState.level;
    std::snprintf(gameState.recordNames[level].data(), RECORD_TEXT_SIZE, "%8s", gameState.nameEntry.data());
    std::snprintf(gameState.recordTimes[level].data(), RECORD_TEXT_SIZE, "%8i",
                  static_cast<int>(gameState.levelSeconds));
    if (level >= LEVEL_COUNT) {
        saveRecords();
        gameState.screen = SCREEN_GAME_COMPLETE;
        return;
    }
    // Starting the next level changes nothing the file holds, so saving after it writes what saving
    // between the new maxLevel and the new puzzle would.
    advanceLevel();
    saveRecords();
}

// A level passed without a best time (after SOLVE) still moves the furthest level on; the file is
// written then, so that a program ended on the next level neither starts one level back nor refuses
// the game left there.
void liftOnLevelComplete() {
    if (gameState.level >= LEVEL_COUNT) {
        gameState.screen = SCREEN_GAME_COMPLETE;
        return;
    }
    const std::int32_t furthestBefore = gameState.maxLevel;
    advanceLevel();
    if (gameState.maxLevel != furthestBefore) saveRecords();
}

}  // namespace

void stylusUp(int x, int y) {
    switch (gameState.screen) {
    case SCREEN_HOME:
        liftOnHomeScreen(x, y);
        break;
    case SCREEN_CREDITS:
        closeApplication();
        break;
    case SCREEN_PLAY:
        liftOnPlayScreen(x, y);
        break;
    case SCREEN_NEW_RECORD:
        liftOnRecordDialog(x, y);
        break;
    case SCREEN_LEVEL_COMPLETE:
        liftOnLevelComplete();
        break;
    case SCREEN_GAME_COMPLETE:
        gameState.screen = SCREEN_HOME;
        break;
    case SCREEN_TUTORIAL_INTRO:
    case SCREEN_TUTORIAL_CONTROLS:
    case SCREEN_TUTORIAL_PLAYING:
    case SCREEN_TUTORIAL_STRATEGY:
        tutorialNavigation(x, y);
        break;
    default:
        break;
    }
    keepGameInPlay();
}
