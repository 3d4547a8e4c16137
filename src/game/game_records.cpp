// The game state's fields that the records file keeps, gathered for a save and applied after a load.
#include "game/game_records.h"

#include <algorithm>

#include "game/game_state.h"
#include "records/records_file.h"

void loadRecords() {
    records::RecordsContents contents;
    if (!readRecordsFile(contents)) return;
    if (contents.soundFlag == 0) gameState.soundOn = 0;
    gameState.tutorialSeen = contents.tutorialSeen;
    gameState.maxLevel = contents.maxLevel;
    for (int level = 1; level <= LEVEL_COUNT; ++level) {
        gameState.recordNames[level] = contents.names[level];
        gameState.recordTimes[level] = contents.times[level];
    }
}

void saveRecords() {
    records::RecordsContents contents;
    contents.soundFlag = gameState.soundOn != 0 ? 1 : 0;
    contents.tutorialSeen = gameState.tutorialSeen;
    contents.maxLevel = gameState.maxLevel;
    contents.names = gameState.recordNames;
    contents.times = gameState.recordTimes;
    writeRecordsFile(contents);
}

std::int32_t playableLevel(std::int32_t maxLevel) { return std::clamp(maxLevel, 1, LEVEL_COUNT); }
