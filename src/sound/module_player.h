// The music player: a tracker module (MOD layout) loaded into memory and played into the stream
// buffers with its own sequencer, effects and resampler. A member of the SoundEngine; RenderMusic runs
// on the audio thread under the engine's lock, everything else on the game's thread under the same lock.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

// One unpacked note of a pattern.
struct PatternCell {
    std::int32_t sampleNumber = 0;  // 0 = none, else 1..31
    std::int32_t note = 0;          // PeriodTable index, negative = no note
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
    std::int32_t note = 0;          // PeriodTable index of the last note
    float period = 0.0f;
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

// What the player is doing, as the simulator reports it.
struct MusicStatus {
    bool loaded = false, playing = false, paused = false, loop = false;
    std::int32_t orderIndex = 0, rowIndex = 0, tick = 0;  // where the song is
    std::int32_t speed = 0;                                // ticks a row
    std::int32_t channelCount = 0, songLength = 0;         // of the module
    bool operator==(const MusicStatus&) const = default;
};

class ModulePlayer {
public:
    static constexpr int MAX_CHANNELS = 8;
    static constexpr int ROWS_PER_PATTERN = 64;
    static constexpr std::int32_t MAX_CHANNEL_VOLUME = 64;  // a sample's and a channel's loudest
    static constexpr int ORDER_COUNT = 128;
    static constexpr int SAMPLE_ENTRIES = 32;  // entry 0 is never used
    static constexpr int PERIOD_COUNT = 488;
    static constexpr int VOLUME_STEPS = 65;
    // The Amiga's clock, in which periods count: a period plays AMIGA_CLOCK / period bytes a second.
    static constexpr float AMIGA_CLOCK = 3579545.25f;

    ModulePlayer();
    virtual ~ModulePlayer();
    ModulePlayer(const ModulePlayer&) = delete;
    ModulePlayer& operator=(const ModulePlayer&) = delete;

    // Output format; false when channels is not 1 or 2 (or the rate, bits or buffer count cannot
    // make a buffer of whole ticks: bits other than 8/16, rate below 50, buffersPerSecond 0).
    bool Configure(std::uint8_t channels, std::uint32_t rate, std::uint8_t bits, std::uint8_t buffersPerSecond);

    // Loads a module image of `size` bytes (copied; the caller keeps the image) and stops the music.
    // Every read is checked against `size`: a truncated image loads what it holds. A null image, or
    // one too short for the headers and order list (600 bytes), returns false and changes nothing.
    // Must not run while the music plays.
    bool LoadModule(const std::uint8_t* image, std::int32_t size);

    // StartMusic: false without a module; while playing, true and nothing changes (the loop flag
    // stays). StopMusic: a later start begins at the first order. PauseMusic: while paused a playing
    // module renders silence and keeps its position.
    bool StartMusic(bool loop);
    void StopMusic();
    void PauseMusic(bool paused);
    bool IsMusicPlaying() const;
    bool IsMusicPaused() const;

    // Scales every channel by the music volume (0..255); 255 at construction.
    void BuildVolumeTable(std::uint8_t volume);

    // Renders one buffer's worth of music (rate / buffersPerSecond frames, never more than the buffer
    // holds) into the buffer's data. Stopped: leaves the buffer alone and returns true. Paused: writes
    // silence and returns false. Returns false when the song ended in this buffer (it is then stopped).
    bool RenderMusic(platform::AudioBufferHeader* buffer);

    MusicStatus Status() const;
    const std::wstring& Title() const { return title; }

private:
    // Steps of RenderMusic. ProcessRow returns false on a jump past the end of the song.
    bool ProcessRow();
    void ProcessTick();
    // Mixes every channel into left/right from `start`, n frames (the arrays are zeroed there first).
    void MixChannels(std::int32_t* left, std::int32_t* right, std::int32_t start, std::int32_t n);
    const ModSample& Sample(int number) const;
    float PeriodAt(int index) const;
    void BuildPeriodTable();
    void ClearModule();
    // Reads the next row; true when it was the song's last and the song does not loop.
    bool StartRow();
    void ApplyRowEffect(const PatternCell& cell, ModChannel& ch, std::int32_t& newOrder, std::int32_t& newRow,
                        bool& jumpPastEnd);
    void ApplyExtendedRowEffect(const PatternCell& cell, ModChannel& ch, std::int32_t hi, std::int32_t lo);
    void ApplyTickEffect(const PatternCell& cell, ModChannel& ch);
    void Arpeggio(ModChannel& ch, std::int32_t hi, std::int32_t lo) const;
    void VolumeSlide(ModChannel& ch, std::int32_t delta) const;
    void TonePortamento(ModChannel& ch) const;
    void Vibrato(ModChannel& ch) const;
    void Tremolo(ModChannel& ch) const;
    void MixChannel(ModChannel& ch, std::int32_t* dest, std::int32_t n);
    float PeriodForNote(const ModChannel& ch, std::int32_t note) const;
    const ModSample& ChannelSample(const ModChannel& ch) const;
    const PatternCell* RowOf(std::int32_t order, std::int32_t row) const;
    void WriteSilence(platform::AudioBufferHeader* buffer) const;
    void ConvertMix(platform::AudioBufferHeader* buffer) const;

    // Ticks a row until the song sets its own speed.
    static constexpr std::int32_t START_SPEED = 6;

    bool loaded = false, playing = false, paused = false, loop = false;

    // The output format, and the frames of it that a buffer and a tick take.
    std::uint8_t channels = 0, bits = 0, buffersPerSecond = 10;
    std::uint32_t rate = 0;
    std::uint32_t samplesPerBuffer = 0, samplesPerTick = 0;
    std::vector<std::int32_t> leftMix;   // channels 0, 3, 4, 7
    std::vector<std::int32_t> rightMix;  // channels 1, 2, 5, 6
    std::uint8_t musicVolume = 0;
    std::array<std::array<std::int32_t, 256>, VOLUME_STEPS> VolumeTable{};

    // The module.
    std::wstring title;
    std::int32_t songLength = 0;
    std::array<std::int32_t, ORDER_COUNT> orders{};
    std::int32_t patternCount = 0;
    std::vector<PatternCell> patterns;  // patternCount x 64 rows x 8 cells
    std::array<ModSample, SAMPLE_ENTRIES> samples;
    std::int32_t channelCount = 4;

    // The sequencer.
    std::array<ModChannel, MAX_CHANNELS> channelState{};
    std::int32_t speed = START_SPEED;
    std::int32_t orderIndex = 0;
    std::int32_t rowIndex = 0;
    std::int32_t tick = 0;
    std::int32_t samplesLeftInTick = 0;
    const PatternCell* currentRow = nullptr;
    std::array<float, PERIOD_COUNT> PeriodTable{};
};
