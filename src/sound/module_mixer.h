// The module's mixer: plays the channels the sequencer set up into two 32-bit mix buffers, the left
// taking channels 0, 3, 4, 7 and the right 1, 2, 5, 6. It changes nothing of the channels but where
// their samples play.
#pragma once

#include <array>
#include <cstdint>

#include "sound/module_song.h"

class ModuleMixer {
public:
    static constexpr int VOLUME_STEPS = ModSong::MAX_CHANNEL_VOLUME + 1;

    // Builds the volume table at full music volume; mixes nothing until a rate is set.
    ModuleMixer();

    // Frames a second of the mix buffers.
    void SetRate(std::uint32_t outputRate) { rate = outputRate; }

    // Scales every channel by the music volume (0..255).
    void BuildVolumeTable(std::uint8_t volume);

    // Mixes the song's channels into left/right from `start`, n frames (the arrays are zeroed there
    // first), and moves the channels' play positions on by those frames.
    void MixChannels(const ModSong& song, ModChannels& channels, std::int32_t* left, std::int32_t* right,
                     std::int32_t start, std::int32_t n) const;

private:
    void MixChannel(const ModSample& s, ModChannel& ch, std::int32_t* dest, std::int32_t n) const;

    std::uint32_t rate = 0;
    // A sample byte at each channel volume, music volume applied.
    std::array<std::array<std::int32_t, 256>, VOLUME_STEPS> volumeTable{};
};
