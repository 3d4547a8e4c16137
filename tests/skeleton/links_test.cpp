#include <gtest/gtest.h>
#include "game/game_state.h"
TEST(Skeleton, GameStateStartsAtHome) { EXPECT_EQ(gameState.screen, SCREEN_HOME); }
