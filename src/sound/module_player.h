// The music player: a tracker module (MOD layout) loaded into memory and played into the stream
// buffers with its own sequencer, effects and resampler. A member of the SoundEngine; RenderMusic runs
// on the audio thread under the engine's lock, everything else on the game's thread under the same lock.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

class ModulePlayer {
public:
    ModulePlayer();
    virtual ~ModulePlayer();
    ModulePlayer(const ModulePlayer&) = delete;
    ModulePlayer& operator=(const ModulePlayer&) = delete;

    // Output format; false when channels is not 1 or 2.
    bool Configure(std::uint8_t channels, std::uint32_t rate, std::uint8_t bits, std::uint8_t buffersPerSecond);

    // Loads a module image of `size` bytes (a null or tiny image leaves nothing loaded). Must not run
    // while the music plays.
    bool LoadModule(const std::uint8_t* image, std::int32_t size);
    bool LoadModuleFile(const std::string& path);

    bool StartMusic(bool loop);
    void StopMusic();
    void PauseMusic(bool paused);
    bool IsMusicPlaying() const;

    void BuildVolumeTable(std::uint8_t volume);

    // Renders one buffer's worth of music into the buffer's data (only while playing and not paused).
    bool RenderMusic(platform::AudioBufferHeader* buffer);

    std::uint8_t paused = 0;
    std::uint8_t playing = 0;
    std::uint8_t loaded = 0;
};
