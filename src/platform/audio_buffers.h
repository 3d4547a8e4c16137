// The life of an audio output buffer, the same on every device: prepared once, queued by a write,
// done (and no longer queued) when it has played or a reset hands it back.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace platform::audio_buffers {

// AudioBufferHeader::flags, as the device keeps them.
inline constexpr std::uint32_t DONE = 0x1;
inline constexpr std::uint32_t PREPARED = 0x2;
inline constexpr std::uint32_t QUEUED = 0x10;

// The volume word: the low 16 bits are the level of both channels.
inline constexpr std::uint32_t FULL_VOLUME = 0xFFFFFFFF;
inline constexpr std::uint32_t LEVEL_MASK = 0xFFFF;

inline bool writable(const AudioBufferHeader* header) {
    return header != nullptr && (header->flags & PREPARED) != 0 && (header->flags & QUEUED) == 0;
}
inline void markQueued(AudioBufferHeader* header) { header->flags = (header->flags & ~DONE) | QUEUED; }
inline void markDone(AudioBufferHeader* header) { header->flags = (header->flags & ~QUEUED) | DONE; }

}  // namespace platform::audio_buffers
