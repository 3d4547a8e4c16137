// The game started on the headless device for timing: a fresh folder, the window, the first tick done.
#pragma once

#include <cstdint>

namespace bench {

// Starts the program on a fresh device (records in a temporary folder) and runs its first frame tick,
// so images, records, puzzle and sound are all loaded. Empties the engine's sound slots first, so that
// any number of starts finds room for the game's sounds.
bool startGame();

// Shows `level` on the play screen with every cell of its board filled, no button pressed.
void showFullBoard(std::int32_t level);

}  // namespace bench
