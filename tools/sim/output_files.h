// Files the simulator writes: frames as raw RGB565, PPM or PNG, raw bytes, and PCM WAV.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace sim {

// Writes a width x height RGB565 frame in the format the path's extension names: ".rgb565" raw
// little-endian words, ".ppm" binary P6, ".png". Components widen to 8 bits by repeating their top
// bits, so 0xFFFF is white and 0x0000 black. Returns false (with `error` set) when the extension is
// unknown or the file cannot be written.
bool writeFrameFile(const std::string& path, std::span<const std::uint16_t> pixels, int width, int height,
                    std::string& error);

// Writes the bytes as they are.
bool writeBytesFile(const std::string& path, std::span<const std::uint8_t> bytes, std::string& error);

// Writes a canonical 44-byte-header PCM WAV of interleaved little-endian samples.
struct PcmFormat {
    std::uint32_t channels = 2;
    std::uint32_t rate = 11025;
    std::uint32_t bits = 16;
};
bool writeWavFile(const std::string& path, std::span<const std::uint8_t> samples, const PcmFormat& format,
                  std::string& error);

// True when the path ends with one of the extensions writeFrameFile knows.
bool isFrameFileName(const std::string& path);

}  // namespace sim
