// The operations that several commands share: starting a level, moving on to the next one, opening
// the tutorial and closing the program.
#include <algorithm>

#include "game/game_state.h"
#include "game/level_clock.h"
#include "game/stylus.h"
#include "platform/platform.h"
#include "puzzle/level_table.h"
#include "puzzle/puzzle_generator.h"
#include "sound/sound_cues.h"

void startLevel() {
    gameState.solutionShown = 0;
    setupLevel(static_cast<std::uint32_t>(gameState.level));
    generatePuzzle(gameState.columnCount, gameState.rowCount);
}

void advanceLevel() {
    gameState.level += 1;
    // Replaying an earlier level never takes back the levels reached beyond it.
    gameState.maxLevel = std::max(gameState.maxLevel, gameState.level);
    startLevel();
    startClockTimers();
    gameState.screen = SCREEN_PLAY;
    // The music was paused when the level was solved.
    if (gameState.soundOn != 0) pauseMusic(false);
}

void enterTutorial() {
    gameState.tutorialPageDone.fill(0);
    gameState.tutorialStep.fill(0);
    gameState.tutorialTick = 0;
    gameState.screen = SCREEN_TUTORIAL_INTRO;
}

void closeApplication() {
    constexpr std::uint32_t INACTIVE = 0;
    platform::sendMessage(platform::Message::Activate, INACTIVE, 0);
    platform::sendMessage(platform::Message::Close, 0, 0);
}
