// The game's one-time start on the first rendered frame: pictures, records, the level reached, sound,
// and the game left at the last end.
#include "game/game_start.h"

#include "game/game_records.h"
#include "game/game_state.h"
#include "game/level_commands.h"
#include "game/saved_game.h"
#include "game/sound_cues.h"
#include "gfx/frame.h"
#include "gfx/images.h"
#include "records/records_file.h"

namespace {

// Dark red: what shows while everything is still loading.
constexpr int LOADING_RED = 32, LOADING_GREEN = 0, LOADING_BLUE = 0;

// Without a readable records file maxLevel keeps a value that names no level; rather than an empty
// board and record tables read at a level that does not exist, the game plays on from level 1.
void resumeReachedLevel() {
    gameState.maxLevel = playableLevel(gameState.maxLevel);
    gameState.level = gameState.maxLevel;
    startLevel();
}

}  // namespace

void initialiseGame() {
    if (screenFrame.BackBuffer == nullptr) return;
    clearFrame(screenFrame, LOADING_RED, LOADING_GREEN, LOADING_BLUE);
    loadImages(screenFrame);
    ensureRecordsFile();
    loadRecords();
    resumeReachedLevel();
    gameState.screen = SCREEN_HOME;
    startGameSound();
    resumeGameLeft();
    presentFrame(screenFrame);
}
