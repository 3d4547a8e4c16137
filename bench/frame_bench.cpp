// Frame costs: a whole frame (render + present) per screen, and its drawing alone, measured against the plainest possible
// frame, two copies of 153600 bytes, in the same run; and the drawing primitives the frames are made of.
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstring>
#include <vector>

#include "bench_game.h"
#include "game/game_state.h"
#include "game/screens.h"
#include "gfx/frame.h"
#include "gfx/images.h"
#include "gfx/text.h"

namespace {

constexpr std::int32_t FULL_BOARD_LEVEL = 56;  // 6 x 6 cells, six tower kinds
constexpr int COPY_PAIRS_TIMED = 2000;
constexpr char STATUS_LINE[] = "LEVEL 56  TIME 123  BEST 99";

// Processor time of this thread: other programs on a shared machine do not count against a frame.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Seconds for two copies of a whole frame, the yardstick of a frame's cost.
double twoFrameCopiesSeconds() {
    std::vector<std::uint8_t> from(BACK_BUFFER_SIZE, 0x5A), middle(BACK_BUFFER_SIZE), to(BACK_BUFFER_SIZE);
    const double start = threadSeconds();
    for (int pair = 0; pair < COPY_PAIRS_TIMED; ++pair) {
        std::memcpy(middle.data(), from.data(), BACK_BUFFER_SIZE);
        benchmark::ClobberMemory();
        std::memcpy(to.data(), middle.data(), BACK_BUFFER_SIZE);
        benchmark::ClobberMemory();
    }
    const double elapsed = threadSeconds() - start;
    benchmark::DoNotOptimize(to.data());
    return elapsed / COPY_PAIRS_TIMED;
}

void BM_TwoFrameCopies(benchmark::State& state) {
    std::vector<std::uint8_t> from(BACK_BUFFER_SIZE, 0x5A), middle(BACK_BUFFER_SIZE), to(BACK_BUFFER_SIZE);
    for (auto _ : state) {
        std::memcpy(middle.data(), from.data(), BACK_BUFFER_SIZE);
        benchmark::ClobberMemory();
        std::memcpy(to.data(), middle.data(), BACK_BUFFER_SIZE);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 2 * BACK_BUFFER_SIZE);
}
BENCHMARK(BM_TwoFrameCopies);

// A frame's cost in units of two frame copies, measured in this thread's processor time against the
// yardstick timed just before.
template <typename MakeFrame>
void timeFrames(benchmark::State& state, MakeFrame makeFrame) {
    const double yardstick = twoFrameCopiesSeconds();
    const double start = threadSeconds();
    for (auto _ : state) makeFrame();
    const double elapsed = threadSeconds() - start;
    state.counters["vsTwoFrameCopies"] = elapsed / static_cast<double>(state.iterations()) / yardstick;
}

// The game started with the screen in front that the benchmark's argument names; the play screen and
// the three result screens over it show a full 6 x 6 board.
bool showScreen(benchmark::State& state) {
    if (!bench::startGame()) {
        state.SkipWithError("the game did not start");
        return false;
    }
    const auto screen = static_cast<std::uint32_t>(state.range(0));
    if (screen == SCREEN_PLAY || screen == SCREEN_NEW_RECORD || screen == SCREEN_LEVEL_COMPLETE ||
        screen == SCREEN_GAME_COMPLETE) {
        bench::showFullBoard(FULL_BOARD_LEVEL);
    }
    gameState.screen = screen;
    return true;
}

// The whole frame, as every frame tick makes it: renderFrame draws the screen in front, presents it
// and does whatever else a frame does. Targets: 2.5 for the play screen, 3 for every screen.
void BM_Frame(benchmark::State& state) {
    if (showScreen(state)) timeFrames(state, renderFrame);
}

// The frame's drawing alone: the screen drawn and presented.
void BM_FrameDrawing(benchmark::State& state) {
    if (showScreen(state)) timeFrames(state, [] {
        drawScreen();
        presentFrame(screenFrame);
    });
}

void everyScreen(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("screen");
    for (const ScreenId screen : {SCREEN_HOME, SCREEN_CREDITS, SCREEN_PLAY, SCREEN_NEW_RECORD, SCREEN_LEVEL_COMPLETE,
                                  SCREEN_GAME_COMPLETE, SCREEN_TUTORIAL_INTRO, SCREEN_TUTORIAL_CONTROLS,
                                  SCREEN_TUTORIAL_PLAYING, SCREEN_TUTORIAL_STRATEGY}) {
        benchmark->Arg(screen);
    }
}
BENCHMARK(BM_Frame)->Apply(everyScreen);
BENCHMARK(BM_FrameDrawing)->Apply(everyScreen);

void BM_PresentFrame(benchmark::State& state) {
    if (!bench::startGame()) {
        state.SkipWithError("the game did not start");
        return;
    }
    for (auto _ : state) presentFrame(screenFrame);
}
BENCHMARK(BM_PresentFrame);

// The largest keyed copy the game makes: a whole-screen background.
void BM_BlitWholeScreenImage(benchmark::State& state) {
    if (!bench::startGame()) {
        state.SkipWithError("the game did not start");
        return;
    }
    for (auto _ : state) {
        blitImage(screenFrame, screenFrame.images[IMAGE_HOME_BACKGROUND], 0, 0, FRAME_HEIGHT, FRAME_WIDTH);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * FRAME_PIXELS);
}
BENCHMARK(BM_BlitWholeScreenImage);

// A sprite cut from a sheet: the record dialog's menu buttons, 108 x 35.
void BM_BlitImagePart(benchmark::State& state) {
    constexpr int SHEET_WIDTH = 216, SHEET_HEIGHT = 125, PART_WIDTH = 108, PART_HEIGHT = 35;
    if (!bench::startGame()) {
        state.SkipWithError("the game did not start");
        return;
    }
    for (auto _ : state) {
        blitImagePart(screenFrame, screenFrame.images[IMAGE_MENU_BUTTONS], 0, 7, SHEET_WIDTH, SHEET_HEIGHT, 132, 121,
                      PART_HEIGHT, PART_WIDTH);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * PART_WIDTH * PART_HEIGHT);
}
BENCHMARK(BM_BlitImagePart);

void BM_DrawText(benchmark::State& state) {
    if (!bench::startGame()) {
        state.SkipWithError("the game did not start");
        return;
    }
    for (auto _ : state) {
        drawText(screenFrame, STATUS_LINE, 4, 280, 0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * (sizeof STATUS_LINE - 1));
}
BENCHMARK(BM_DrawText);

}  // namespace
