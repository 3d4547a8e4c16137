// The global game state and its reset to the program-start values.
#include "game/game_state.h"

#include "game/screen_words.h"

GameState gameState;

void resetGameState() {
    gameState = GameState{};
    forgetScreenWords();
}
