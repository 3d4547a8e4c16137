// Decoding of RIFF/WAVE images into SoundSamples: every read checked against the image's size.
#include "sound/sound_sample.h"

#include <cstring>
#include <limits>

namespace {

constexpr std::size_t RIFF_SIZE_OFFSET = 4;
constexpr std::size_t FIRST_CHUNK_OFFSET = 12;  // the "fmt " chunk, read at fixed offsets
constexpr std::size_t FORMAT_TAG_OFFSET = 20;
constexpr std::size_t CHANNELS_OFFSET = 22;
constexpr std::size_t RATE_OFFSET = 24;
constexpr std::size_t BITS_OFFSET = 34;
constexpr std::size_t HEADER_BYTES = 36;  // "RIFF" header and a whole 16-byte "fmt " chunk
constexpr std::size_t CHUNK_HEADER_BYTES = 8;
constexpr std::uint16_t PCM_FORMAT = 1;

std::uint16_t Read16(std::span<const std::uint8_t> image, std::size_t offset) {
    return static_cast<std::uint16_t>(image[offset] | image[offset + 1] << 8);
}

std::uint32_t Read32(std::span<const std::uint8_t> image, std::size_t offset) {
    return static_cast<std::uint32_t>(image[offset]) | static_cast<std::uint32_t>(image[offset + 1]) << 8 |
           static_cast<std::uint32_t>(image[offset + 2]) << 16 | static_cast<std::uint32_t>(image[offset + 3]) << 24;
}

bool TagAt(std::span<const std::uint8_t> image, std::size_t offset, const char (&tag)[5]) {
    return std::memcmp(image.data() + offset, tag, 4) == 0;
}

struct DataChunk {
    std::size_t start = 0;
    std::uint32_t size = 0;
};

// Walks the chunks from the "fmt " chunk on while the running offset stays below the RIFF size (odd
// sizes are not padded), stopping at the image's end. False when no "data" chunk header was met.
bool FindDataChunk(std::span<const std::uint8_t> image, DataChunk& chunk) {
    const std::uint64_t riffSize = Read32(image, RIFF_SIZE_OFFSET);
    for (std::uint64_t offset = 0; offset < riffSize;) {
        const std::uint64_t at = FIRST_CHUNK_OFFSET + offset;
        if (at + CHUNK_HEADER_BYTES > image.size()) return false;
        const std::size_t position = static_cast<std::size_t>(at);
        if (TagAt(image, position, "data")) {
            chunk.size = Read32(image, position + 4);
            chunk.start = position + CHUNK_HEADER_BYTES;
            return true;
        }
        offset += static_cast<std::uint64_t>(Read32(image, position + 4)) + CHUNK_HEADER_BYTES;
    }
    return false;
}

std::int16_t StoredValue(std::span<const std::uint8_t> data, std::size_t index, std::uint32_t bytesPerValue) {
    if (bytesPerValue == 2) return static_cast<std::int16_t>(Read16(data, 2 * index));
    return static_cast<std::int16_t>((data[index] - 128) * 256);
}

}  // namespace

std::int32_t DecodeWave(std::span<const std::uint8_t> image, std::uint32_t outputRate, SoundSample& sample) {
    if (image.size() < HEADER_BYTES || !TagAt(image, 0, "RIFF") || !TagAt(image, FIRST_CHUNK_OFFSET, "fmt ")) {
        return WAVE_NOT_RIFF;
    }
    if (Read16(image, FORMAT_TAG_OFFSET) != PCM_FORMAT) return WAVE_NOT_PCM;
    const std::uint32_t channelCount = Read16(image, CHANNELS_OFFSET);
    const std::uint32_t fileRate = Read32(image, RATE_OFFSET);
    const std::uint32_t bits = image[BITS_OFFSET];

    DataChunk chunk;
    if (!FindDataChunk(image, chunk)) return WAVE_NO_DATA;
    if (channelCount == 0 || (bits != 8 && bits != 16)) return WAVE_BAD_FORMAT;
    if (chunk.size > image.size() - chunk.start) return WAVE_DATA_TRUNCATED;

    const std::uint64_t frames = (static_cast<std::uint64_t>(chunk.size) * 8) / (bits * channelCount);
    if (frames == 0) return WAVE_NO_DATA;
    if (frames > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) return WAVE_BAD_FORMAT;

    const bool stereo = channelCount == 2;
    const std::uint32_t bytesPerValue = bits / 8;
    const std::span<const std::uint8_t> data = image.subspan(chunk.start, chunk.size);
    std::vector<std::int16_t> left(static_cast<std::size_t>(frames));
    std::vector<std::int16_t> right(stereo ? static_cast<std::size_t>(frames) : 0);
    for (std::size_t frame = 0; frame < left.size(); ++frame) {
        const std::size_t first = frame * channelCount;
        left[frame] = StoredValue(data, first, bytesPerValue);
        if (stereo) right[frame] = StoredValue(data, first + 1, bytesPerValue);
    }

    // Before any output is open there is no rate to convert to; the sound is kept as recorded.
    if (outputRate != 0 && fileRate > outputRate) {
        left = ConvertRateDown(left, fileRate, outputRate);
        if (stereo) right = ConvertRateDown(right, fileRate, outputRate);
    }
    sample.rate = fileRate;
    sample.bits = static_cast<std::uint8_t>(bits);
    sample.frames = static_cast<std::uint32_t>(left.size());
    sample.stereo = stereo ? 1 : 0;
    sample.left = std::move(left);
    sample.right = std::move(right);
    return 0;
}
