// RIFF/WAVE images built in memory for the sound tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct WaveImageSpec {
    std::uint16_t formatTag = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 11025;
    std::uint16_t bits = 16;
    std::string form = "WAVE";
    bool factChunk = true;         // a "fact" chunk between "fmt " and "data", as the game's sounds have
    std::vector<std::uint8_t> data;
};

inline void AppendLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void AppendTag(std::vector<std::uint8_t>& bytes, const std::string& tag) {
    bytes.insert(bytes.end(), tag.begin(), tag.begin() + 4);
}

inline std::vector<std::uint8_t> BuildWaveImage(const WaveImageSpec& spec) {
    std::vector<std::uint8_t> bytes;
    AppendTag(bytes, "RIFF");
    AppendLittleEndian(bytes, 0, 4);  // patched below
    AppendTag(bytes, spec.form);
    AppendTag(bytes, "fmt ");
    AppendLittleEndian(bytes, 16, 4);
    AppendLittleEndian(bytes, spec.formatTag, 2);
    AppendLittleEndian(bytes, spec.channels, 2);
    AppendLittleEndian(bytes, spec.rate, 4);
    AppendLittleEndian(bytes, spec.rate * spec.channels * spec.bits / 8, 4);
    AppendLittleEndian(bytes, spec.channels * spec.bits / 8, 2);
    AppendLittleEndian(bytes, spec.bits, 2);
    if (spec.factChunk) {
        AppendTag(bytes, "fact");
        AppendLittleEndian(bytes, 4, 4);
        AppendLittleEndian(bytes, 0, 4);
    }
    AppendTag(bytes, "data");
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(spec.data.size()), 4);
    bytes.insert(bytes.end(), spec.data.begin(), spec.data.end());
    const auto riffSize = static_cast<std::uint32_t>(bytes.size() - 8);
    std::memcpy(bytes.data() + 4, &riffSize, 4);
    return bytes;
}

inline std::vector<std::uint8_t> Pcm16(const std::vector<std::int16_t>& values) {
    std::vector<std::uint8_t> bytes;
    for (std::int16_t value : values) AppendLittleEndian(bytes, static_cast<std::uint16_t>(value), 2);
    return bytes;
}

inline std::vector<std::uint8_t> MonoWave16(const std::vector<std::int16_t>& values, std::uint32_t rate = 11025) {
    WaveImageSpec spec;
    spec.rate = rate;
    spec.data = Pcm16(values);
    return BuildWaveImage(spec);
}

inline void Poke32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    std::memcpy(bytes.data() + offset, &value, 4);
}
