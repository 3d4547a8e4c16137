// The global game state and its reset to the program-start values.
#include "game/game_state.h"

#include "game/saved_game.h"
#include "game/screen_awake.h"
#include "game/screen_words.h"
#include "gfx/frame.h"

GameState gameState;

void resetGameState() {
    gameState = GameState{};
    screenFrame = Frame{};
    forgetScreenWords();
    forgetGameInPlay();
    forgetScreenAwake();
}
