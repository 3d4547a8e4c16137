// Resamples every channel's sample into the mix buffers: fixed-point positions (10 fraction bits),
// linear interpolation between neighbouring bytes, volume by table lookup. Integer only per frame.
#include "sound/module_mixer.h"

#include <algorithm>

namespace {

constexpr std::uint8_t FULL_MUSIC_VOLUME = 255;
constexpr std::int32_t FRACTION_BITS = 10;
constexpr std::int32_t ONE = 1 << FRACTION_BITS;
constexpr std::int32_t FRACTION_MASK = ONE - 1;
constexpr std::int32_t MIN_LOOP_END = 2;  // a loop must end beyond byte 2 to count as one
// Bounds a runaway pitch (a period slid towards zero) so positions stay far inside 32 bits.
constexpr float MAX_STEP = static_cast<float>(1 << 20);

// Two neighbouring bytes, scaled by the volume row, weighed by the fraction f (0..ONE-1) of the way from
// `here` to `next`. (ONE - f) x a + f x b is ONE x a + f x (b - a), and ONE x a passes the shift whole,
// so the sum needs one multiplication instead of two.
std::int32_t interpolate(const std::int32_t* row, std::int8_t here, std::int8_t next, std::int32_t f) {
    const std::int32_t a = row[static_cast<std::uint8_t>(here)];
    const std::int32_t b = row[static_cast<std::uint8_t>(next)];
    return a + ((f * (b - a)) >> FRACTION_BITS);
}

// How many of `count` frames from `position` stay below `limit`.
std::int32_t framesBelow(std::int32_t limit, std::int32_t position, std::int32_t step, std::int32_t count) {
    if (position >= limit) return 0;
    return std::min(count, (limit - position - 1) / step + 1);
}

// Renders `count` frames from `position`, returns the position after them. The last byte's neighbour
// is the sample's first byte, so the frames that reach it are kept apart from the rest, which read
// their neighbour straight from the data.
std::int32_t renderFrames(const ModSample& s, const std::int32_t* row, std::int32_t position, std::int32_t step,
                          std::int32_t* dest, std::int32_t count) {
    const std::int8_t* data = s.data.data();
    const std::int32_t inside = framesBelow((s.length - 1) * ONE, position, step, count);
    std::int32_t w = 0;
    // The hottest loop of a refill; unrolled it spends less on its own counting (clang reads this too).
#pragma GCC unroll 4
    for (; w < inside; ++w, position += step) {
        const std::int32_t i = position >> FRACTION_BITS;
        dest[w] += interpolate(row, data[i], data[i + 1], position & FRACTION_MASK);
    }
    for (; w < count; ++w, position += step) {
        const std::int32_t i = position >> FRACTION_BITS;
        dest[w] += interpolate(row, data[i], i + 1 < s.length ? data[i + 1] : data[0], position & FRACTION_MASK);
    }
    return position;
}

// A silent channel (volume 0, whose row is all zeros) adds nothing but moves on all the same.
std::int32_t playFrames(const ModSample& s, const std::int32_t* row, bool silent, std::int32_t position,
                        std::int32_t step, std::int32_t* dest, std::int32_t count) {
    if (silent) return position + count * step;
    return renderFrames(s, row, position, step, dest, count);
}

}  // namespace

ModuleMixer::ModuleMixer() { BuildVolumeTable(FULL_MUSIC_VOLUME); }

void ModuleMixer::BuildVolumeTable(std::uint8_t volume) {
    const std::int32_t half = volume >> 1;
    for (std::int32_t v = 0; v < VOLUME_STEPS; ++v)
        for (std::int32_t b = 0; b < 256; ++b)
            volumeTable[static_cast<std::size_t>(v)][static_cast<std::size_t>(b)] =
                static_cast<std::int8_t>(b) * half * v / ModSong::MAX_CHANNEL_VOLUME;
}

void ModuleMixer::MixChannels(const ModSong& song, ModChannels& channels, std::int32_t* left, std::int32_t* right,
                              std::int32_t start, std::int32_t n) const {
    if (n <= 0) return;
    std::fill(left + start, left + start + n, 0);
    std::fill(right + start, right + start + n, 0);
    for (std::int32_t m = 0; m < song.channelCount; ++m) {
        ModChannel& ch = channels[static_cast<std::size_t>(m)];
        if (ch.sampleNumber < 1) continue;
        const bool rightSide = m % 4 == 1 || m % 4 == 2;
        MixChannel(song.Sample(ch.sampleNumber), ch, (rightSide ? right : left) + start, n);
    }
}

void ModuleMixer::MixChannel(const ModSample& s, ModChannel& ch, std::int32_t* dest, std::int32_t n) const {
    if (rate == 0 || s.data.empty()) return;
    const float exactStep = ch.frequency * static_cast<float>(ONE) / static_cast<float>(rate);
    // Without a pitch (no note yet, or none left) the channel renders nothing.
    if (!(exactStep >= 1.0f)) return;
    const auto step = static_cast<std::int32_t>(std::min(exactStep, MAX_STEP));
    const std::int32_t volume = std::clamp(ch.mixVolume, 0, VOLUME_STEPS - 1);
    const std::int32_t* row = volumeTable[static_cast<std::size_t>(volume)].data();
    const bool silent = volume == 0;
    std::int32_t position = ch.position;
    // A loop that starts at or beyond its end has no length: such a sample plays once, like one
    // without a loop, instead of repeating its head for ever.
    if (s.loopEnd > MIN_LOOP_END && s.loopStart < s.loopEnd) {
        const std::int32_t end = s.loopEnd * ONE;
        std::int32_t done = 0;
        while (done < n) {
            if (position >= end) {
                position -= s.loopLength * ONE;
                if (position >= end) position = s.loopStart * ONE;
                if (position < 0) position = 0;
            }
            const std::int32_t count = std::min(n - done, (end - position - 1) / step + 1);
            position = playFrames(s, row, silent, position, step, dest + done, count);
            done += count;
        }
    } else if (position < s.length * ONE) {
        const std::int32_t count = std::min(n, (s.length * ONE - position - 1) / (step + 1));
        position = playFrames(s, row, silent, position, step, dest, count);
    }
    ch.position = position;
}
