// The game's share of the records file: which fields of the game state it holds, loaded at start-up and
// saved after every change to them.
#pragma once

#include <cstdint>

// Fills soundOn, tutorialSeen, maxLevel, recordNames and recordTimes from the records file; leaves them
// as they are when it cannot be read. A sound value of 0 clears soundOn, any other leaves it as it is.
void loadRecords();
// Writes those fields to the records file.
void saveRecords();

// The level to resume at for a loaded maxLevel: itself when it is a level (1..56), the last level when
// it lies beyond, else 1, so that a game whose records could be neither created nor read starts from
// the first level.
std::int32_t playableLevel(std::int32_t maxLevel);
