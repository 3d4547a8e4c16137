// Fuzzes the module loader: any bytes as a MOD image, loaded through the engine and then played for a
// few buffers together with one of the game's own sounds, so that whatever the loader let through is
// also run by the sequencer, its effects, the resampler and the effect mixer.
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "sound/sound_engine.h"

namespace {

constexpr std::int32_t BUTTONS_SOUND_ID = 123;
constexpr std::uint64_t PLAY_MS = 400;  // four refills of a tenth of a second
constexpr std::int32_t REPEATS = 3;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    headless::reset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return 0;
    SoundEngine engine;
    // The parity of the size varies the echo, so both mixer paths see every kind of module.
    if (engine.OpenOutput(2, 11025, 16, static_cast<std::uint8_t>(size & 1)) != OUTPUT_OPENED) std::abort();
    const std::int32_t voice = engine.LoadSound(L"buttons", platform::findResource("WAVE", BUTTONS_SOUND_ID));
    if (!engine.LoadModule(data, static_cast<std::int32_t>(size))) return 0;
    engine.StartMusic(true);
    if (voice >= 0) engine.PlaySound(voice, REPEATS);
    headless::advance(PLAY_MS);
    engine.PauseMusic(true);
    headless::advance(PLAY_MS / 4);
    headless::clearAudioPlayed();
    return 0;
}
