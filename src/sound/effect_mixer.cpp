// Mixing of the playing voices into a stream buffer, the voices' end, and the echo.
#include "sound/effect_mixer.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "sound/sound_sample.h"

namespace {

constexpr std::int64_t VOLUME_ONE = 256;  // the mix divides by the voice count times this

// Limited in the width of the value: a 32-bit value is clamped without widening, which keeps the loops
// over the buffer open to vector instructions.
template <typename Value>
std::int16_t Saturate16(Value value) {
    return static_cast<std::int16_t>(
        std::clamp<Value>(value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

template <typename Value>
std::uint8_t Saturate8(Value value) {
    return static_cast<std::uint8_t>(std::clamp<Value>(value, 0, platform::AUDIO_8_BIT_MAX));
}

std::int16_t Load16(const std::uint8_t* data, std::int32_t index) {
    std::int16_t value;
    std::memcpy(&value, data + 2 * index, sizeof value);
    return value;
}

void Store16(std::uint8_t* data, std::int32_t index, std::int16_t value) {
    std::memcpy(data + 2 * index, &value, sizeof value);
}

// A sample value at the output width: 16-bit as stored, or the signed 8-bit value around silence.
template <bool EightBit>
std::int32_t OutputValue(std::int16_t stored) {
    if constexpr (EightBit) {
        return stored >> 8;
    } else {
        return stored;
    }
}

// Adds `count` frames of the sample from `position` to the accumulator.
template <bool StereoOutput, bool StereoSample, bool EightBit, typename Sum>
void AddFrames(const SoundSample& sample, std::int32_t position, std::int32_t count, std::int32_t effectsVolume,
               Sum* accumulator) {
    const std::int16_t* lefts = sample.left.data() + position;
    const std::int16_t* rights = StereoSample ? sample.right.data() + position : lefts;
    for (std::int32_t f = 0; f < count; ++f) {
        const std::int32_t left = OutputValue<EightBit>(lefts[f]);
        const std::int32_t right = OutputValue<EightBit>(rights[f]);
        if constexpr (StereoOutput) {
            accumulator[2 * f] += left * effectsVolume;
            accumulator[2 * f + 1] += right * effectsVolume;
        } else if constexpr (StereoSample) {
            accumulator[f] += ((left + right) * effectsVolume) >> 2;
        } else {
            accumulator[f] += left * effectsVolume;
        }
    }
}

// One renderer of the family, chosen by output channels, sample channels and output width: one sample
// frame per output frame, repeats restarting at 0. Returns true when the voice has played its last frame.
// The frames are played in runs up to the sample's end, where a repeat starts or the voice stops.
template <bool StereoOutput, bool StereoSample, bool EightBit, typename Sum>
bool PlayVoice(SoundVoice& voice, std::int32_t effectsVolume, Sum* accumulator, std::int32_t outputFrames) {
    constexpr std::int32_t VALUES_PER_FRAME = StereoOutput ? 2 : 1;
    const SoundSample& sample = *voice.sample;
    const std::int32_t frames = static_cast<std::int32_t>(sample.frames);
    std::int32_t position = voice.position;
    for (std::int32_t f = 0; f < outputFrames;) {
        const std::int32_t run = std::min(outputFrames - f, frames - position);
        AddFrames<StereoOutput, StereoSample, EightBit>(sample, position, run, effectsVolume,
                                                        accumulator + VALUES_PER_FRAME * f);
        f += run;
        position += run;
        if (position >= frames) {
            if (voice.repeats < 1) break;
            --voice.repeats;
            position = 0;
        }
    }
    voice.position = position;
    return position >= frames && voice.repeats <= 0;
}

template <bool StereoOutput, bool EightBit, typename Sum>
bool PlayVoiceForSample(SoundVoice& voice, std::int32_t effectsVolume, Sum* accumulator, std::int32_t outputFrames) {
    if (voice.sample->stereo != 0) {
        return PlayVoice<StereoOutput, true, EightBit>(voice, effectsVolume, accumulator, outputFrames);
    }
    return PlayVoice<StereoOutput, false, EightBit>(voice, effectsVolume, accumulator, outputFrames);
}

// Adds the accumulated voices, each value divided by `divide`, to the buffer's values.
template <bool EightBit, typename Sum, typename Divide>
void AddDividedValues(std::uint8_t* data, const Sum* sum, std::int32_t values, Divide divide) {
    for (std::int32_t i = 0; i < values; ++i) {
        const Sum voiceValue = divide(sum[i]);
        if constexpr (EightBit) {
            data[i] = Saturate8<Sum>(data[i] + voiceValue);
        } else {
            Store16(data, i, Saturate16<Sum>(Load16(data, i) + voiceValue));
        }
    }
}

// Divides the sum of `count` voices by count x VOLUME_ONE. A division at run time for every value took
// a quarter of a refill: for the usual few voices the divisor is a constant, which the compiler turns
// into a multiplication with the same quotient.
template <bool EightBit, typename Sum>
void AddVoiceValues(std::uint8_t* data, const Sum* sum, std::int32_t values, std::int64_t count) {
    constexpr Sum ONE = VOLUME_ONE;
    switch (count) {
    case 1:
        return AddDividedValues<EightBit>(data, sum, values, [](Sum v) { return v / ONE; });
    case 2:
        return AddDividedValues<EightBit>(data, sum, values, [](Sum v) { return v / (2 * ONE); });
    case 3:
        return AddDividedValues<EightBit>(data, sum, values, [](Sum v) { return v / (3 * ONE); });
    case 4:
        return AddDividedValues<EightBit>(data, sum, values, [](Sum v) { return v / (4 * ONE); });
    default: {
        const auto divisor = static_cast<Sum>(count * VOLUME_ONE);
        return AddDividedValues<EightBit>(data, sum, values, [divisor](Sum v) { return v / divisor; });
    }
    }
}

// Takes the voice out of the list that starts at `first` and frees it.
void UnlinkVoice(SoundVoice& voice, std::unique_ptr<SoundVoice>& first) {
    std::unique_ptr<SoundVoice>& owner = voice.prev != nullptr ? voice.prev->next : first;
    std::unique_ptr<SoundVoice> rest = std::move(voice.next);
    if (rest) rest->prev = voice.prev;
    owner = std::move(rest);
}

}  // namespace

bool EffectMixer::Configure(std::uint32_t channelCount, std::uint32_t outputRate, std::uint32_t outputBits,
                            std::uint32_t buffers, std::uint8_t echoOn) {
    if (buffers == 0 || (outputBits != 8 && outputBits != 16)) return false;
    channels = channelCount;
    bits = outputBits;
    echo = echoOn;
    const std::uint32_t bytesPerValue = bits / 8;
    valuesPerBuffer = static_cast<std::int32_t>(((bytesPerValue * channels * outputRate) / buffers) / bytesPerValue);
    echoDelay = outputRate * ECHO_MILLISECONDS / 1000;
    accumulator.assign(static_cast<std::size_t>(valuesPerBuffer), 0);
    wideAccumulator.assign(static_cast<std::size_t>(valuesPerBuffer), 0);
    echoHistory.assign(static_cast<std::size_t>(valuesPerBuffer), 0);
    echoInput.assign(static_cast<std::size_t>(valuesPerBuffer), 0);
    return true;
}

void EffectMixer::MixEffects(platform::AudioBufferHeader* buffer, std::unique_ptr<SoundVoice>& voices,
                             std::int32_t effectsVolume, bool musicSounds) {
    if (bits == 0) return;  // not configured for an output yet
    // Without music the buffer still holds what it carried last time round.
    if (!musicSounds) ClearBuffer(buffer);
    if (voices) MixVoices(buffer, voices, effectsVolume);
    if (echo == 1) ApplyEcho(buffer);
}

void EffectMixer::ClearBuffer(platform::AudioBufferHeader* buffer) const {
    std::memset(buffer->data, bits == 8 ? platform::AUDIO_8_BIT_SILENCE : 0, buffer->length);
}

std::int32_t EffectMixer::PlayedValues() const {
    if (channels == 0) return 0;
    const std::int32_t perFrame = static_cast<std::int32_t>(channels);
    return valuesPerBuffer / perFrame * perFrame;
}

template <typename Sum>
bool EffectMixer::RenderVoice(SoundVoice& voice, std::int32_t effectsVolume, Sum* sum) const {
    if (channels == 2) {
        const std::int32_t frames = valuesPerBuffer / 2;
        return bits == 8 ? PlayVoiceForSample<true, true>(voice, effectsVolume, sum, frames)
                         : PlayVoiceForSample<true, false>(voice, effectsVolume, sum, frames);
    }
    return bits == 8 ? PlayVoiceForSample<false, true>(voice, effectsVolume, sum, valuesPerBuffer)
                     : PlayVoiceForSample<false, false>(voice, effectsVolume, sum, valuesPerBuffer);
}

template <typename Sum>
void EffectMixer::MixVoicesInto(platform::AudioBufferHeader* buffer, std::unique_ptr<SoundVoice>& voices,
                                std::int32_t effectsVolume, std::vector<Sum>& sums) {
    std::fill(sums.begin(), sums.end(), 0);
    std::int64_t count = 0;
    for (SoundVoice* voice = voices.get(); voice != nullptr;) {
        // Rendering may free the voice: take the link first.
        SoundVoice* following = voice->next.get();
        ++count;
        if (RenderVoice(*voice, effectsVolume, sums.data())) UnlinkVoice(*voice, voices);
        voice = following;
    }
    // Several voices share the loudness of one instead of adding up.
    const std::int32_t values =
        std::min<std::int32_t>(valuesPerBuffer, static_cast<std::int32_t>(buffer->length / (bits / 8)));
    if (bits == 16) {
        AddVoiceValues<false>(buffer->data, sums.data(), values, count);
    } else {
        AddVoiceValues<true>(buffer->data, sums.data(), values, count);
    }
}

void EffectMixer::MixVoices(platform::AudioBufferHeader* buffer, std::unique_ptr<SoundVoice>& voices,
                            std::int32_t effectsVolume) {
    std::int64_t count = 0;
    for (const SoundVoice* voice = voices.get(); voice != nullptr; voice = voice->next.get()) ++count;
    if (count <= MOST_VOICES_IN_32_BITS) {
        MixVoicesInto(buffer, voices, effectsVolume, accumulator);
    } else {
        MixVoicesInto(buffer, voices, effectsVolume, wideAccumulator);
    }
}

void EffectMixer::ApplyEcho(platform::AudioBufferHeader* buffer) {
    if (channels < 2 || echoDelay == 0) return;
    std::uint8_t* data = buffer->data;
    const bool eightBit = bits == 8;
    // The stream the echo follows is the one the device plays: whole frames, so that a delay of an
    // even number of values keeps left on the left across buffer boundaries too.
    const std::int32_t values =
        std::min<std::int32_t>(PlayedValues(), static_cast<std::int32_t>(buffer->length / (bits / 8)));
    for (std::int32_t j = 0; j < values; ++j) {
        echoInput[j] = eightBit ? static_cast<std::int16_t>(data[j] - platform::AUDIO_8_BIT_SILENCE) : Load16(data, j);
    }
    // Whole frames, so the echo of the left comes back on the left at every rate (at 11025 and
    // 22050 Hz the delay is already even; at 8000 and 44100 Hz it is one value shorter).
    const auto perFrame = static_cast<std::int32_t>(channels);
    const std::int32_t delay = (static_cast<std::int32_t>(echoDelay) - 1) / perFrame * perFrame;
    for (std::int32_t j = 0; j < values; ++j) {
        const std::int32_t source = j - delay;
        std::int32_t earlier = 0;
        if (source >= 0) {
            earlier = echoInput[source];
        } else if (values + source >= 0) {
            earlier = echoHistory[values + source];
        }
        if (eightBit) {
            data[j] = Saturate8(data[j] + (earlier >> 1));
        } else {
            Store16(data, j, Saturate16(echoInput[j] + (earlier >> 1)));
        }
    }
    std::swap(echoHistory, echoInput);
}
