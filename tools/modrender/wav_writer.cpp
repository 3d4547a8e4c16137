// The RIFF/WAVE container round PCM data: a "fmt " chunk for plain PCM and one "data" chunk.
#include "wav_writer.h"

#include <cstdio>

namespace modrender {
namespace {

constexpr std::uint32_t FORMAT_CHUNK_BYTES = 16;
constexpr std::uint16_t PCM_FORMAT = 1;
constexpr std::uint32_t HEADER_BYTES_AFTER_RIFF_SIZE = 36;

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putTag(std::vector<std::uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

bool writeWavFile(const std::string& path, const std::vector<std::uint8_t>& pcm, std::uint32_t channels,
                  std::uint32_t rate, std::uint32_t bits) {
    const auto dataBytes = static_cast<std::uint32_t>(pcm.size());
    const std::uint32_t blockAlign = channels * bits / 8;
    std::vector<std::uint8_t> header;
    putTag(header, "RIFF");
    put32(header, HEADER_BYTES_AFTER_RIFF_SIZE + dataBytes);
    putTag(header, "WAVE");
    putTag(header, "fmt ");
    put32(header, FORMAT_CHUNK_BYTES);
    put16(header, PCM_FORMAT);
    put16(header, static_cast<std::uint16_t>(channels));
    put32(header, rate);
    put32(header, rate * blockAlign);
    put16(header, static_cast<std::uint16_t>(blockAlign));
    put16(header, static_cast<std::uint16_t>(bits));
    putTag(header, "data");
    put32(header, dataBytes);

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    bool ok = std::fwrite(header.data(), 1, header.size(), file) == header.size();
    if (ok && !pcm.empty()) ok = std::fwrite(pcm.data(), 1, pcm.size(), file) == pcm.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace modrender
