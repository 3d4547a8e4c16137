// The screen's facts, read from the game state every frame.
#include "game/screen_facts.h"

#include <algorithm>

namespace {

// Longer than any clock shows, and short of any overflow.
constexpr double MOST_SECONDS_TOLD = 1.0e9;

// Whole seconds, as the clock counts them; a damaged time (negative, not a number) as none.
std::int64_t wholeSeconds(double seconds) {
    return seconds >= 0 ? static_cast<std::int64_t>(std::min(seconds, MOST_SECONDS_TOLD)) : 0;
}

void readBoard(ScreenFacts& facts, const Board& board) {
    facts.columnCount = board.columnCount;
    facts.rowCount = board.rowCount;
    facts.towerKindCount = board.towerKindCount;
    facts.boardColumnOffset = board.boardColumnOffset;
    facts.boardRowOffset = board.boardRowOffset;
    facts.selectedTower = board.selectedTower;
    facts.playerGrid = board.playerGrid;
    facts.viewpointClues = board.viewpointClues;
    facts.viewpointLit = board.viewpointLit;
}

}  // namespace

bool showsBoard(std::uint32_t screen) { return screen == SCREEN_PLAY || screen == SCREEN_TUTORIAL_PLAYING; }

void readScreenFacts(ScreenFacts& facts) {
    facts = ScreenFacts{};
    facts.screen = gameState.screen;
    facts.level = gameState.level;
    facts.maxLevel = gameState.maxLevel;
    facts.soundOn = gameState.soundOn;
    if (gameState.screen == SCREEN_NEW_RECORD) {
        facts.recordSeconds = wholeSeconds(gameState.levelSeconds);
        facts.nameEntry = gameState.nameEntry;
    }
    if (showsBoard(gameState.screen)) readBoard(facts, gameState.board);
}
