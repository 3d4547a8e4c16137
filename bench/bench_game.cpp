// Start-up of the game for the benchmarks, through the same calls the program makes.
#include "bench_game.h"

#include "game/game_state.h"
#include "platform/headless/headless.h"
#include "puzzle/level_table.h"
#include "puzzle/puzzle_generator.h"
#include "shell/shell.h"
#include "sound/sound_engine.h"

namespace bench {
namespace {

constexpr std::uint64_t FIRST_TICK_MS = 16;

// The engine keeps the last game's sounds otherwise.
void emptySoundSlots() { soundEngine.Restart(); }

}  // namespace

bool startGame() {
    emptySoundSlots();
    headless::reset();
    resetGameState();
    if (!startApplication()) return false;
    headless::advance(FIRST_TICK_MS);
    return headless::framesPresented() >= 1;
}

void showFullBoard(std::int32_t level) {
    gameState.level = level;
    setupLevel(gameState.board, static_cast<std::uint32_t>(level));
    gameState.levelSeconds = 0.0;
    generatePuzzle(gameState.board, gameState.board.columnCount, gameState.board.rowCount);
    gameState.board.playerGrid = gameState.board.solutionGrid;
    gameState.board.selectedTower = 0;
    gameState.screen = SCREEN_PLAY;
}

}  // namespace bench
