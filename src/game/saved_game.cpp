// The game state's share of the saved game: gathered into a SavedGame for each write, applied from one at
// start-up.
#include "game/saved_game.h"

#include <algorithm>
#include <optional>
#include <string>

#include "game/game_state.h"
#include "game/level_clock.h"
#include "game/sound_cues.h"
#include "game/tutorial_schedule.h"
#include "platform/platform.h"
#include "records/saved_game_file.h"
#include "records/saved_game_format.h"

namespace {

struct Writes {
    std::string path;  // chosen at start-up; "" before, or with no place for files
    std::string lastText;
    bool keepingAsked = false;
};

Writes writes;

records::LevelResult resultOnScreen() {
    switch (gameState.screen) {
        case SCREEN_NEW_RECORD: return records::LevelResult::NewRecord;
        case SCREEN_LEVEL_COMPLETE: return records::LevelResult::Complete;
        default: return records::LevelResult::None;
    }
}

// Nothing while a tutorial page shows its demonstration board; the level waiting behind it stays
// written as it was.
std::optional<std::string> gameInPlayText() {
    if (tutorial::pageOfScreen(gameState.screen) != tutorial::NOT_A_PAGE) return std::nullopt;
    records::SavedGame game;
    game.level = gameState.level;
    game.board = gameState.board;
    game.clockSeconds = static_cast<std::int32_t>(
        std::clamp(gameState.levelSeconds, 0.0, static_cast<double>(records::SAVED_CLOCK_LIMIT)));
    game.answerShown = gameState.solutionShown != 0;
    game.result = resultOnScreen();
    return records::formatSavedGame(game);
}

// The name dialog stands again only while its time still beats the level's best, as at the completion
// itself; its OK then stores the time. Otherwise the level's end shows, and a tap moves on.
std::uint32_t screenOfResult(records::LevelResult result) {
    if (result == records::LevelResult::None) return SCREEN_HOME;
    const bool stillARecord = result == records::LevelResult::NewRecord && isNewRecord() != 0;
    return stillARecord ? SCREEN_NEW_RECORD : SCREEN_LEVEL_COMPLETE;
}

void applySavedGame(const records::SavedGame& game) {
    gameState.level = game.level;
    gameState.board = game.board;
    gameState.levelSeconds = game.clockSeconds;
    gameState.solutionShown = game.answerShown ? 1 : 0;
    gameState.screen = screenOfResult(game.result);
    if (gameState.screen != SCREEN_HOME && gameState.soundOn != 0) pauseMusic(true);
}

}  // namespace

void resumeGameLeft() {
    writes = Writes{};
    writes.path = savedGameFilePath();
    const std::vector<std::uint8_t> bytes = readSavedGameFile(writes.path);
    if (const std::optional<records::SavedGame> game = records::parseSavedGame(bytes, gameState.maxLevel)) {
        applySavedGame(*game);
    }
    writes.lastText = gameInPlayText().value_or("");
}

void keepGameInPlay() {
    if (writes.path.empty()) return;
    const std::optional<std::string> text = gameInPlayText();
    if (!text || *text == writes.lastText || !writeSavedGameFile(writes.path, *text)) return;
    writes.lastText = *text;
    if (writes.keepingAsked) return;
    writes.keepingAsked = true;
    platform::askToKeepFiles();
}

void forgetGameInPlay() { writes = Writes{}; }
