// What any play, however random, must leave true of the game state and of the records file in its
// folder: the monkey soak checks it after every step, the simulator's fuzzer after every line.
#pragma once

#include <filesystem>
#include <string>

#include "game/game_state.h"
#include "records/records_layout.h"
#include "records/records_storage.h"

// "" when everything holds, else what does not.
inline std::string gameInvariantBroken(const std::string& folder) {
    const std::uint32_t screen = gameState.screen;
    if (screen != SCREEN_HOME && screen != SCREEN_CREDITS && (screen < SCREEN_PLAY || screen > SCREEN_GAME_COMPLETE) &&
        (screen < SCREEN_TUTORIAL_INTRO || screen > SCREEN_TUTORIAL_STRATEGY))
        return "no screen " + std::to_string(screen);
    const Board& board = gameState.board;
    if (gameState.initPending == 0) {
        if (gameState.level < 1 || gameState.level > gameState.maxLevel || gameState.maxLevel > LEVEL_COUNT)
            return "level " + std::to_string(gameState.level) + " of " + std::to_string(gameState.maxLevel);
        if (!boardSizeValid(board.columnCount, board.rowCount))
            return "a board of " + std::to_string(board.columnCount) + " x " + std::to_string(board.rowCount);
        // Cells outside the board in play keep what a larger board left there; nothing reads them.
        for (int column = 0; column < board.columnCount; ++column)
            for (int row = 0; row < board.rowCount; ++row)
                if (const int cell = board.playerGrid[cellIndex(column, row)]; cell < 0 || cell > board.towerKindCount)
                    return "a cell holds " + std::to_string(cell);
        for (std::size_t level = 1; level < LEVEL_TABLE_SIZE; ++level)
            if (gameState.recordNames[level].back() != '\0' || gameState.recordTimes[level].back() != '\0')
                return "the record of level " + std::to_string(level) + " runs past its field";
    }
    const std::string path = folder + "/game.dat";
    if (gameState.initPending != 0 && !std::filesystem::exists(path)) return "";  // not created yet
    records::RecordsImage file{};
    if (const long bytes = records::readFileStart(path, file); bytes != static_cast<long>(file.size()))
        return "game.dat holds " + std::to_string(bytes) + " bytes";
    if (std::filesystem::exists(records::replacementPath(path))) return "a save left its replacement file behind";
    const records::RecordsContents contents = records::parseRecords(file);
    if (contents.maxLevel < 1 || contents.maxLevel > LEVEL_COUNT || (contents.tutorialSeen & ~1) != 0)
        return "game.dat holds maxLevel " + std::to_string(contents.maxLevel) + ", tutorialSeen " +
               std::to_string(contents.tutorialSeen);
    return "";
}
