// Sound costs: one tenth-of-a-second refill of the stream with the game's music and two sound voices,
// and the loaders of modules and sounds.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <span>

#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "sound/sound_engine.h"

namespace {

constexpr int MUSIC_ID = 120;
constexpr int CLAPS_ID = 115;
constexpr int BUTTONS_ID = 123;
constexpr std::uint64_t ONE_BUFFER_MS = 100;
constexpr std::int32_t ENDLESS_REPEATS = 1 << 30;

std::span<const std::uint8_t> resource(const char* type, int id) { return platform::findResource(type, id); }

// Each completion the device hands back is refilled through FillNextBuffer: the music of every channel
// rendered, both voices mixed in.
void BM_AudioRefill(benchmark::State& state) {
    headless::reset();
    SoundEngine engine;
    const auto module = resource("MOD", MUSIC_ID);
    if (engine.OpenOutput(2, 11025, 16, 0) != OUTPUT_OPENED ||
        !engine.LoadModule(module.data(), static_cast<std::int32_t>(module.size())) || !engine.StartMusic(true)) {
        state.SkipWithError("the music did not start");
        return;
    }
    const std::int32_t claps = engine.LoadSound(L"claps", resource("WAVE", CLAPS_ID));
    const std::int32_t buttons = engine.LoadSound(L"buttons", resource("WAVE", BUTTONS_ID));
    if (!engine.PlaySound(claps, ENDLESS_REPEATS) || !engine.PlaySound(buttons, ENDLESS_REPEATS)) {
        state.SkipWithError("the voices did not start");
        return;
    }
    for (auto _ : state) {
        headless::advance(ONE_BUFFER_MS);
        headless::clearAudioPlayed();
    }
    state.counters["musicChannels"] = engine.Status().music.channelCount;
    state.counters["voices"] = engine.CountVoices();
}
BENCHMARK(BM_AudioRefill)->Unit(benchmark::kMicrosecond);

void BM_LoadModule(benchmark::State& state) {
    ModulePlayer player;
    const auto module = resource("MOD", MUSIC_ID);
    for (auto _ : state) {
        if (!player.LoadModule(module.data(), static_cast<std::int32_t>(module.size()))) {
            state.SkipWithError("the module did not load");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * module.size()));
}
BENCHMARK(BM_LoadModule)->Unit(benchmark::kMicrosecond);

// The claps, the game's longest sound, recorded at 22050 Hz: decoded and converted down to the output.
void BM_LoadSound(benchmark::State& state) {
    headless::reset();
    SoundEngine engine;
    engine.OpenOutput(2, 11025, 16, 0);
    const auto image = resource("WAVE", CLAPS_ID);
    for (auto _ : state) {
        const std::int32_t slot = engine.LoadSound(L"claps", image);
        if (slot < 0) {
            state.SkipWithError("the sound did not load");
            return;
        }
        // Every slot filled: start again with all free.
        if (slot == SoundEngine::SLOT_COUNT - 1) {
            state.PauseTiming();
            engine.Restart();
            engine.OpenOutput(2, 11025, 16, 0);
            state.ResumeTiming();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * image.size()));
}
BENCHMARK(BM_LoadSound)->Unit(benchmark::kMicrosecond);

}  // namespace
