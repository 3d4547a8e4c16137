// The music player's life cycle and buffer rendering: the song is stepped tick by tick, each
// tick's frames mixed into the two 32-bit mix buffers, and the buffer converted to the output format.
#include "sound/module_player.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "sound/module_loader.h"

namespace {

constexpr std::uint32_t TICKS_PER_SECOND = 50;
constexpr std::int32_t EIGHT_BIT_SHIFT = 9;

// Four full-volume channels on one side stay within range; the mono sum of eight does not, and is
// limited rather than wrapped round.
std::int16_t saturate16(std::int32_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(value, std::numeric_limits<std::int16_t>::min(),
                                                              std::numeric_limits<std::int16_t>::max()));
}

std::uint8_t to8Bit(std::int32_t mix) {
    const std::int32_t centred = (mix >> EIGHT_BIT_SHIFT) + platform::AUDIO_8_BIT_SILENCE;
    return static_cast<std::uint8_t>(std::clamp<std::int32_t>(centred, 0, platform::AUDIO_8_BIT_MAX));
}

void put16(std::uint8_t* out, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    out[0] = static_cast<std::uint8_t>(bits & 0xFF);
    out[1] = static_cast<std::uint8_t>(bits >> 8);
}

// One loop per output format, so that the format is not asked again at every frame.
template <std::uint32_t Bits, std::uint32_t Channels>
void convertFrames(const std::int32_t* left, const std::int32_t* right, std::uint8_t* out, std::uint32_t frames) {
    for (std::uint32_t i = 0; i < frames; ++i, out += Bits / 8 * Channels) {
        if constexpr (Bits == 16 && Channels == 2) {
            put16(out, saturate16(left[i] >> 1));
            put16(out + 2, saturate16(right[i] >> 1));
        } else if constexpr (Bits == 16) {
            put16(out, saturate16((left[i] + right[i]) >> 1));
        } else if constexpr (Channels == 2) {
            out[0] = to8Bit(left[i]);
            out[1] = to8Bit(right[i]);
        } else {
            out[0] = to8Bit(left[i] + right[i]);
        }
    }
}

}  // namespace

ModulePlayer::ModulePlayer() = default;

ModulePlayer::~ModulePlayer() { StopMusic(); }

void ModulePlayer::BuildVolumeTable(std::uint8_t volume) { mixer.BuildVolumeTable(volume); }

bool ModulePlayer::Configure(std::uint8_t channelCountOut, std::uint32_t outputRate, std::uint8_t bitsPerSample,
                             std::uint8_t buffers) {
    if (channelCountOut != 1 && channelCountOut != 2) return false;
    if ((bitsPerSample != 8 && bitsPerSample != 16) || buffers == 0 || outputRate < TICKS_PER_SECOND) return false;
    channels = channelCountOut;
    rate = outputRate;
    bits = bitsPerSample;
    buffersPerSecond = buffers;
    samplesPerBuffer = rate / buffersPerSecond;
    // Kept in step with the rate so a song started before the output opened still has whole ticks.
    samplesPerTick = rate / TICKS_PER_SECOND;
    mixer.SetRate(rate);
    leftMix.assign(samplesPerBuffer, 0);
    rightMix.assign(samplesPerBuffer, 0);
    return true;
}

bool ModulePlayer::LoadModule(const std::uint8_t* image, std::int32_t size) {
    if (!LoadSong(song, image, size)) return false;
    // Its row pointed into the patterns just replaced.
    sequencer.Forget();
    playing = false;
    loaded = true;
    return true;
}

bool ModulePlayer::StartMusic(bool loopSong) {
    if (!loaded) return false;
    if (playing) return true;
    loop = loopSong;
    playing = true;
    sequencer.Start();
    samplesLeftInTick = 0;
    samplesPerTick = rate / TICKS_PER_SECOND;
    return true;
}

void ModulePlayer::StopMusic() { playing = false; }

void ModulePlayer::PauseMusic(bool pause) { paused = pause; }

bool ModulePlayer::IsMusicPlaying() const { return playing; }

bool ModulePlayer::IsMusicPaused() const { return paused; }

MusicStatus ModulePlayer::Status() const {
    return {loaded, playing, paused, loop, sequencer.OrderIndex(), sequencer.RowIndex(), sequencer.Tick(),
            sequencer.Speed(), song.channelCount, song.songLength};
}

bool ModulePlayer::RenderMusic(platform::AudioBufferHeader* buffer) {
    if (!playing) return true;
    if (paused) {
        WriteSilence(buffer);
        std::fill(leftMix.begin(), leftMix.end(), 0);
        std::fill(rightMix.begin(), rightMix.end(), 0);
        return false;
    }
    std::int32_t remaining = static_cast<std::int32_t>(samplesPerBuffer);
    std::int32_t out = 0;
    while (remaining > 0 && samplesPerTick > 0) {
        if (samplesLeftInTick == 0) {
            if (!sequencer.PlayTick(loop)) break;
            samplesLeftInTick = static_cast<std::int32_t>(samplesPerTick);
        }
        const std::int32_t n = std::min(samplesLeftInTick, remaining);
        samplesLeftInTick -= n;
        remaining -= n;
        mixer.MixChannels(song, sequencer.Channels(), leftMix.data(), rightMix.data(), out, n);
        out += n;
    }
    // A song that stopped part way leaves the rest of the buffer silent rather than stale.
    std::fill(leftMix.begin() + out, leftMix.end(), 0);
    std::fill(rightMix.begin() + out, rightMix.end(), 0);
    ConvertMix(buffer);
    if (!sequencer.Finished()) return true;
    playing = false;
    return false;
}

void ModulePlayer::WriteSilence(platform::AudioBufferHeader* buffer) const {
    if (buffer == nullptr || buffer->data == nullptr) return;
    std::memset(buffer->data, bits == 8 ? platform::AUDIO_8_BIT_SILENCE : 0, buffer->length);
}

void ModulePlayer::ConvertMix(platform::AudioBufferHeader* buffer) const {
    if (buffer == nullptr || buffer->data == nullptr) return;
    const std::uint32_t frameBytes = (bits / 8u) * channels;
    const std::uint32_t frames = std::min<std::uint32_t>(samplesPerBuffer, buffer->length / frameBytes);
    const std::int32_t* left = leftMix.data();
    const std::int32_t* right = rightMix.data();
    if (bits == 16 && channels == 2) {
        convertFrames<16, 2>(left, right, buffer->data, frames);
    } else if (bits == 16) {
        convertFrames<16, 1>(left, right, buffer->data, frames);
    } else if (channels == 2) {
        convertFrames<8, 2>(left, right, buffer->data, frames);
    } else {
        convertFrames<8, 1>(left, right, buffer->data, frames);
    }
}
