// The music player: a tracker module (MOD layout) loaded into memory and played into the stream
// buffers. It owns the song and the output format; its sequencer steps the song tick by tick and its
// mixer plays each tick's frames, neither knowing the player. A member of the SoundEngine; RenderMusic runs
// on the audio thread under the engine's lock, everything else on the game's thread under the same lock.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "sound/module_mixer.h"
#include "sound/module_sequencer.h"
#include "sound/module_song.h"

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
    const std::wstring& Title() const { return song.title; }

private:
    void WriteSilence(platform::AudioBufferHeader* buffer) const;
    void ConvertMix(platform::AudioBufferHeader* buffer) const;

    bool loaded = false, playing = false, paused = false, loop = false;

    // The output format, and the frames of it that a buffer and a tick take.
    std::uint8_t channels = 0, bits = 0, buffersPerSecond = 10;
    std::uint32_t rate = 0;
    std::uint32_t samplesPerBuffer = 0, samplesPerTick = 0;
    std::int32_t samplesLeftInTick = 0;
    std::vector<std::int32_t> leftMix;   // channels 0, 3, 4, 7
    std::vector<std::int32_t> rightMix;  // channels 1, 2, 5, 6

    ModSong song;  // before the sequencer, which plays it
    ModuleSequencer sequencer{song};
    ModuleMixer mixer;
};
