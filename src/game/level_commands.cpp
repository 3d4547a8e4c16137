// The operations that several commands share: starting a level, moving on to the next one, opening
// the tutorial and closing the program.
#include "game/level_commands.h"

#include <algorithm>

#include "game/game_state.h"
#include "game/level_clock.h"
#include "game/sound_cues.h"
#include "platform/platform.h"
#include "puzzle/level_table.h"
#include "puzzle/puzzle_generator.h"

void startLevel() {
    gameState.levelSeconds = 0.0;
    gameState.solutionShown = 0;
    setupLevel(gameState.board, static_cast<std::uint32_t>(gameState.level));
    generatePuzzle(gameState.board, gameState.board.columnCount, gameState.board.rowCount);
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
