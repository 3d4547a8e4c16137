// Placeholder until this concern is written; replaced by its implementation.
#include "game/game_state.h"
void initialiseGame() {}
