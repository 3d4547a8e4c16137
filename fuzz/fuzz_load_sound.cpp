// Fuzzes the WAV loader through the engine: the first byte picks the output the sound is loaded for
// (or none at all), the rest is the RIFF/WAVE image. A sound that loads is then played through the
// mixer for a few buffers, so a bad length or rate would show up where the samples are read.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/headless/headless.h"
#include "sound/sound_engine.h"

namespace {

struct OutputChoice { std::uint8_t channels; std::uint32_t rate; std::uint8_t bits; };

// Rate 0 leaves the output closed: sounds are then loaded before the device ever opened.
constexpr std::array<OutputChoice, 8> OUTPUT_CHOICES{
    {{2, 11025, 16}, {1, 8000, 8}, {2, 22050, 8}, {1, 44100, 16}, {2, 8000, 16}, {1, 11025, 8}, {2, 44100, 16}, {0, 0, 0}}};
constexpr std::uint32_t ECHO_CHOICE_BIT = 0x80;
constexpr std::uint64_t PLAY_MS = 300;  // three refills of a tenth of a second
constexpr std::int32_t REPEATS = 1;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    headless::reset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const OutputChoice& output = OUTPUT_CHOICES[data[0] % OUTPUT_CHOICES.size()];
    const std::uint8_t echo = (data[0] & ECHO_CHOICE_BIT) != 0 ? 1 : 0;
    const std::span<const std::uint8_t> image(data + 1, size - 1);

    SoundEngine engine;
    if (output.rate != 0 && engine.OpenOutput(output.channels, output.rate, output.bits, echo) != OUTPUT_OPENED)
        std::abort();
    const std::int32_t slot = engine.LoadSound(L"fuzz", image);
    if (slot >= SoundEngine::SLOT_COUNT) std::abort();
    if (slot >= 0) {
        if (!engine.PlaySound(slot, REPEATS)) std::abort();
        headless::advance(PLAY_MS);
    }
    headless::clearAudioPlayed();
    return 0;
}
