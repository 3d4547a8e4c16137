// Game costs outside the frame: drawing a puzzle, and the start of the program up to its first frame.
#include <benchmark/benchmark.h>

#include "bench_game.h"
#include "game/game_state.h"
#include "platform/headless/headless.h"
#include "puzzle/level_table.h"
#include "puzzle/puzzle_generator.h"

namespace {

constexpr std::uint32_t FULL_BOARD_LEVEL = 56;

void BM_GeneratePuzzle(benchmark::State& state) {
    headless::reset();
    resetGameState();
    setupLevel(FULL_BOARD_LEVEL);
    for (auto _ : state) {
        generatePuzzle(gameState.columnCount, gameState.rowCount);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GeneratePuzzle);

// From a fresh device to the first frame on the display: window, display, records file, images,
// puzzle, sound output, sounds and music.
void BM_StartToFirstFrame(benchmark::State& state) {
    for (auto _ : state) {
        if (!bench::startGame()) {
            state.SkipWithError("the game did not start");
            return;
        }
    }
}
BENCHMARK(BM_StartToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace
