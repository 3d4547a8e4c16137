// Game costs outside the frame: drawing a puzzle, the start of the program up to its first frame, and
// writing the saved game.
#include <benchmark/benchmark.h>

#include "bench_game.h"
#include "game/game_state.h"
#include "game/saved_game.h"
#include "platform/headless/headless.h"
#include "puzzle/level_table.h"
#include "puzzle/puzzle_generator.h"

namespace {

constexpr std::uint32_t FULL_BOARD_LEVEL = 56;
constexpr std::uint64_t ONE_SECOND_MS = 1000;

void BM_GeneratePuzzle(benchmark::State& state) {
    headless::reset();
    resetGameState();
    setupLevel(gameState.board, FULL_BOARD_LEVEL);
    for (auto _ : state) {
        generatePuzzle(gameState.board, gameState.board.columnCount, gameState.board.rowCount);
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

// One second of the program's life: 62 frame ticks, 10 audio refills, on the home screen with the
// music playing, and in the background with the focus lost (the last frame shown again each tick).
void BM_SecondOnTheHomeScreen(benchmark::State& state) {
    if (!bench::startGame()) {
        state.SkipWithError("the game did not start");
        return;
    }
    for (auto _ : state) {
        headless::advance(ONE_SECOND_MS);
        headless::clearAudioPlayed();
    }
}
BENCHMARK(BM_SecondOnTheHomeScreen)->Unit(benchmark::kMillisecond);

void BM_SecondInTheBackground(benchmark::State& state) {
    if (!bench::startGame()) {
        state.SkipWithError("the game did not start");
        return;
    }
    headless::focusLost();
    for (auto _ : state) {
        headless::advance(ONE_SECOND_MS);
        headless::clearAudioPlayed();
    }
}
BENCHMARK(BM_SecondInTheBackground)->Unit(benchmark::kMillisecond);

// The saved game written after a change on the largest board, as after each move and clock tick: the
// game gathered and written as text, the file replaced by a rename.
void BM_KeepGameInPlay(benchmark::State& state) {
    if (!bench::startGame()) {
        state.SkipWithError("the game did not start");
        return;
    }
    bench::showFullBoard(FULL_BOARD_LEVEL);
    for (auto _ : state) {
        gameState.levelSeconds += 1.0;
        keepGameInPlay();
    }
}
BENCHMARK(BM_KeepGameInPlay)->Unit(benchmark::kMicrosecond);

}  // namespace
