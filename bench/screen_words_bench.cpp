// What a frame tells the device in words and controls (announceScreenChanges, the end of renderFrame):
// on a play screen that stays as it is, which is nearly every frame, and on one where a cell changes
// every frame, so that everything is built and told each time.
#include <benchmark/benchmark.h>

#include "bench_game.h"
#include "game/game_state.h"
#include "game/screen_words.h"

namespace {

constexpr std::int32_t FULL_BOARD_LEVEL = 56;  // 6 x 6 cells, six tower kinds, 24 viewpoints

bool showFullBoard(benchmark::State& state) {
    if (!bench::startGame()) {
        state.SkipWithError("the game did not start");
        return false;
    }
    bench::showFullBoard(FULL_BOARD_LEVEL);
    announceScreenChanges();
    return true;
}

void BM_ScreenWordsStill(benchmark::State& state) {
    if (!showFullBoard(state)) return;
    for (auto _ : state) {
        announceScreenChanges();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ScreenWordsStill);

void BM_ScreenWordsChanging(benchmark::State& state) {
    if (!showFullBoard(state)) return;
    std::int32_t& cell = gameState.board.playerGrid[0];
    for (auto _ : state) {
        cell = cell == 1 ? 2 : 1;
        announceScreenChanges();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ScreenWordsChanging);

}  // namespace
