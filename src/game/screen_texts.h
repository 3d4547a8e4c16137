// The fixed words of the screens: the credits, the two result screens and the tutorial pages that
// reveal their text step by step.
#pragma once

#include <cstdint>

#include "game/game_state.h"

// Draws the words `screen` shows at `step`: a tutorial page's revealed step, 0 on every other screen.
void drawScreenTexts(std::uint32_t screen, int step);
