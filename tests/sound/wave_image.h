// RIFF/WAVE images built in memory for the sound tests: "RIFF", "fmt " (16 bytes), "fact", "data".
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace wave_image {

constexpr std::size_t RIFF_SIZE_AT = 4, FORMAT_TAG_AT = 20, CHANNELS_AT = 22, BITS_AT = 34, FACT_SIZE_AT = 40,
                      DATA_TAG_AT = 48, DATA_SIZE_AT = 52, HEADER_BYTES = 56;

inline void poke(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int size = 4) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// `data` holds the PCM bytes as stored.
inline std::vector<std::uint8_t> build(const std::vector<std::uint8_t>& data, std::uint16_t channels = 1,
                                       std::uint32_t rate = 11025, std::uint16_t bits = 16) {
    std::vector<std::uint8_t> bytes(HEADER_BYTES + data.size(), 0);
    std::memcpy(bytes.data(), "RIFF....WAVEfmt \x10\0\0\0\x01\0", 22);
    poke(bytes, RIFF_SIZE_AT, static_cast<std::uint32_t>(bytes.size() - 8));
    poke(bytes, CHANNELS_AT, channels, 2);
    poke(bytes, 24, rate);
    poke(bytes, 28, rate * channels * bits / 8);
    poke(bytes, 32, channels * bits / 8, 2);
    poke(bytes, BITS_AT, bits, 2);
    std::memcpy(bytes.data() + 36, "fact\x04\0\0\0\0\0\0\0data", 16);
    poke(bytes, DATA_SIZE_AT, static_cast<std::uint32_t>(data.size()));
    std::copy(data.begin(), data.end(), bytes.begin() + HEADER_BYTES);
    return bytes;
}

inline std::vector<std::uint8_t> pcm16(const std::vector<std::int16_t>& values) {
    std::vector<std::uint8_t> bytes(2 * values.size());
    std::memcpy(bytes.data(), values.data(), bytes.size());
    return bytes;
}

}  // namespace wave_image
