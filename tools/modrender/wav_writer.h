// Writes interleaved little-endian PCM frames as a RIFF/WAVE file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace modrender {

// False when the file cannot be written.
bool writeWavFile(const std::string& path, const std::vector<std::uint8_t>& pcm, std::uint32_t channels,
                  std::uint32_t rate, std::uint32_t bits);

}  // namespace modrender
