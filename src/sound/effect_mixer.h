// The mixer of sampled sounds: adds the playing voices (and optionally an echo) to each stream buffer
// after the music has been rendered into it. Runs on the audio thread inside SoundEngine::FillNextBuffer,
// under the engine's lock.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/platform.h"

struct SoundSample;

// One playing instance of a loaded sound, linked into the engine's voice list. The list owns its
// voices: each voice owns the one after it, the engine owns the first.
struct SoundVoice {
    std::int32_t repeats = 0;             // further complete plays after the current one
    std::int32_t position = 0;            // next frame of the sample to play
    const SoundSample* sample = nullptr;  // owned by the engine's slot
    SoundVoice* prev = nullptr;           // null for the first voice
    std::unique_ptr<SoundVoice> next;     // null for the last voice
};

class EffectMixer {
public:
    // Delay of the echo: 23 ms of output values.
    static constexpr std::uint32_t ECHO_MILLISECONDS = 23;

    // Sizes the accumulator and the echo history for one buffer of the output format and clears the
    // history. False (nothing changed) for a width other than 8 or 16 bits or no buffers a second.
    bool Configure(std::uint32_t channels, std::uint32_t rate, std::uint32_t bits, std::uint32_t buffersPerSecond,
                   std::uint8_t echo);

    // Adds the voices (the list starting at `voices`) to the buffer the music was just rendered into:
    // silences it first when no music sounds, mixes every voice (freeing those that end in this
    // buffer), then applies the echo when it is on.
    void MixEffects(platform::AudioBufferHeader* buffer, std::unique_ptr<SoundVoice>& voices,
                    std::int32_t effectsVolume, bool musicSounds);

private:
    void ClearBuffer(platform::AudioBufferHeader* buffer) const;
    void MixVoices(platform::AudioBufferHeader* buffer, std::unique_ptr<SoundVoice>& voices,
                   std::int32_t effectsVolume);
    // Mixes through `sums`, the accumulator of the width the number of voices needs.
    template <typename Sum>
    void MixVoicesInto(platform::AudioBufferHeader* buffer, std::unique_ptr<SoundVoice>& voices,
                       std::int32_t effectsVolume, std::vector<Sum>& sums);
    // Plays the voice into `sum`; true when it has played its last frame.
    template <typename Sum>
    bool RenderVoice(SoundVoice& voice, std::int32_t effectsVolume, Sum* sum) const;
    void ApplyEcho(platform::AudioBufferHeader* buffer);
    // Values the device actually plays: whole frames only.
    std::int32_t PlayedValues() const;

    std::uint32_t echoDelay = 0;  // rate x 23 / 1000 values
    // Output values in a buffer: 2205 at 16-bit stereo 11025 Hz; at 8 bits every byte is a value.
    std::int32_t valuesPerBuffer = 0;
    std::uint8_t echo = 0;
    std::uint32_t channels = 0, bits = 0;  // of the output
    // Sum of the voices for one buffer. A voice adds at most 2^15 x 255 to a value, so up to
    // MOST_VOICES_IN_32_BITS voices sum in 32 bits, where a vector instruction takes twice as many
    // values as in 64; more voices sum in 64 bits, where any number of full-scale voices fits.
    static constexpr std::int64_t MOST_VOICES_IN_32_BITS = 256;
    static_assert(MOST_VOICES_IN_32_BITS * 32768 * 255 <= INT32_MAX);
    std::vector<std::int32_t> accumulator;
    std::vector<std::int64_t> wideAccumulator;
    // The values of the previous buffer before the echo (8-bit output keeps bytes here too).
    std::vector<std::int16_t> echoHistory;
    std::vector<std::int16_t> echoInput;  // this buffer's values before the echo
};
