// The game's one-time start on the first rendered frame: pictures, records, the level reached, sound.
#include <array>

#include "game/game_state.h"
#include "game/stylus.h"
#include "gfx/frame.h"
#include "gfx/images.h"
#include "records/records_file.h"
#include "sound/sound_cues.h"

namespace {

// Dark red: what shows while everything is still loading.
constexpr int LOADING_RED = 32, LOADING_GREEN = 0, LOADING_BLUE = 0;

struct ImageSlot {
    int id;
    const std::uint16_t* GameState::*field;
};

// In the order they have always been loaded (the OK highlight before the key highlight).
constexpr std::array<ImageSlot, 12> IMAGE_SLOTS{{
    {IMAGE_PLAY_BACKGROUND, &GameState::playBackgroundImage},
    {IMAGE_FONT, &GameState::fontImage},
    {IMAGE_TOWER_BUTTONS, &GameState::towerButtonsImage},
    {IMAGE_TOWER_TILES, &GameState::towerTilesImage},
    {IMAGE_HOME_BACKGROUND, &GameState::homeBackgroundImage},
    {IMAGE_TITLE, &GameState::titleImage},
    {IMAGE_MENU_BUTTONS, &GameState::menuButtonsImage},
    {IMAGE_PANEL_HIGHLIGHTS, &GameState::panelHighlightsImage},
    {IMAGE_RECORD_DIALOG, &GameState::recordDialogImage},
    {IMAGE_OK_HIGHLIGHT, &GameState::okHighlightImage},
    {IMAGE_KEY_HIGHLIGHT, &GameState::keyHighlightImage},
    {IMAGE_TUTORIAL_PARTS, &GameState::tutorialPartsImage},
}};

void loadImages() {
    for (const ImageSlot& slot : IMAGE_SLOTS) gameState.*slot.field = loadImage(slot.id);
}

// Without a readable records file maxLevel keeps a value that names no level; rather than an empty
// board and record tables read at a level that does not exist, the game plays on from level 1.
void resumeReachedLevel() {
    gameState.maxLevel = playableLevel(gameState.maxLevel);
    gameState.level = gameState.maxLevel;
    startLevel();
}

}  // namespace

void initialiseGame() {
    if (gameState.BackBuffer == nullptr) return;
    clearFrame(LOADING_RED, LOADING_GREEN, LOADING_BLUE);
    loadImages();
    ensureRecordsFile();
    loadRecords();
    resumeReachedLevel();
    gameState.screen = SCREEN_HOME;
    startGameSound();
    presentFrame();
}
