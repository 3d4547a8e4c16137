// A tracker module (MOD layout) as the music player holds it: the song the loader fills, and the voice
// state of its channels that the sequencer writes and the mixer plays. Data only; every part of the
// player sees this and nothing of the others.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One unpacked note of a pattern.
struct PatternCell {
    std::int32_t sampleNumber = 0;  // 0 = none, else 1..31
    std::int32_t note = 0;          // period table index, negative = no note
    std::int32_t effect = 0;        // 0..15
    std::int32_t param = 0;         // 0..255
};

// One instrument sample of the module: signed 8-bit PCM with an optional loop.
struct ModSample {
    std::wstring name;
    std::int32_t length = 0;      // bytes
    std::int32_t finetune = 0;    // -8..7 for a well-formed module
    std::int32_t volume = 0;      // 0..64
    std::int32_t loopStart = 0;   // bytes
    std::int32_t loopLength = 0;  // bytes
    std::int32_t loopEnd = 0;     // loopStart + loopLength, at most length
    std::vector<std::int8_t> data;  // length + 1 bytes; the extra byte carries the loop seam
};

// The voice state of one module channel.
struct ModChannel {
    std::int32_t sampleNumber = 0;  // 0 = silent channel
    std::int32_t position = 0;      // play position in 1/1024 bytes
    std::int32_t note = 0;          // period table index of the last note
    float period = 0.0f;            // in ticks of ModSong::AMIGA_CLOCK
    float frequency = 0.0f;         // frames per second of the sample
    std::int32_t volume = 0;        // 0..64
    std::int32_t mixVolume = 0;     // 0..64: volume with tremolo applied
    float portaTarget = 0.0f;
    std::int32_t portaSpeed = 0;
    std::int32_t vibratoSpeed = 0;
    std::int32_t vibratoDepth = 0;
    std::int32_t tremoloSpeed = 0;
    std::int32_t tremoloDepth = 0;
    std::int32_t wavePosition = 0;  // 0..31, shared by vibrato and tremolo
    bool waveNegative = false;
};

// The loaded module. Finetunes may change while it plays (an effect sets them for good).
struct ModSong {
    static constexpr int MAX_CHANNELS = 8;
    static constexpr int ROWS_PER_PATTERN = 64;
    static constexpr std::int32_t MAX_CHANNEL_VOLUME = 64;  // a sample's and a channel's loudest
    static constexpr int ORDER_COUNT = 128;
    static constexpr int SAMPLE_ENTRIES = 32;  // entry 0 is never used
    // The Amiga's clock, in which periods count: a period plays AMIGA_CLOCK / period bytes a second.
    static constexpr float AMIGA_CLOCK = 3579545.25f;

    std::wstring title;
    std::int32_t songLength = 0;
    std::array<std::int32_t, ORDER_COUNT> orders{};
    std::int32_t patternCount = 0;
    std::vector<PatternCell> patterns;  // patternCount x 64 rows x 8 cells
    std::array<ModSample, SAMPLE_ENTRIES> samples;
    std::int32_t channelCount = 4;

    // The sample a number names; a number beyond the entries names the empty entry 0.
    const ModSample& Sample(int number) const {
        return samples[number >= 0 && number < SAMPLE_ENTRIES ? static_cast<std::size_t>(number) : 0];
    }

    // The MAX_CHANNELS cells of a row of the song, or null outside the song or without patterns.
    const PatternCell* RowOf(std::int32_t order, std::int32_t row) const {
        if (patterns.empty() || order < 0 || order >= ORDER_COUNT || row < 0 || row >= ROWS_PER_PATTERN)
            return nullptr;
        const auto pattern = static_cast<std::size_t>(orders[static_cast<std::size_t>(order)]);
        return &patterns[(pattern * ROWS_PER_PATTERN + static_cast<std::size_t>(row)) * MAX_CHANNELS];
    }
};

// The voices of a song; only the song's first channelCount sound.
using ModChannels = std::array<ModChannel, ModSong::MAX_CHANNELS>;
