// Reads a MOD image into the song's unpacked form.
#include "sound/module_loader.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The image, front to back: the title, one header per sample, the song length and a byte the player
// ignores, the order list, the signature (long layout only), the patterns, and the samples' data.
constexpr std::int32_t TITLE_BYTES = 20;

// Where a sample header keeps its fields: the name up to the length word, then big-endian words that
// count 2-byte units and single bytes.
struct SampleHeaderLayout {
    std::int32_t length, finetune, volume, loopStart, loopLength, size;
};
constexpr SampleHeaderLayout SAMPLE_HEADER{22, 24, 25, 26, 28, 30};

constexpr std::int32_t SONG_HEADER_BYTES = 2;
constexpr std::int32_t SIGNATURE_BYTES = 4;
constexpr std::int32_t BYTES_PER_NOTE = 4;
constexpr std::int32_t LONG_LAYOUT_SAMPLES = 31;
constexpr std::int32_t SHORT_LAYOUT_SAMPLES = 15;

// What the signature tells of an image: its channels and how many sample headers it has, and so where
// each of its parts lies.
struct Layout {
    std::int32_t channelCount;
    std::int32_t sampleCount;

    constexpr std::int64_t songOffset() const { return TITLE_BYTES + SAMPLE_HEADER.size * sampleCount; }
    constexpr std::int64_t ordersOffset() const { return songOffset() + SONG_HEADER_BYTES; }
    constexpr std::int64_t signatureOffset() const { return ordersOffset() + ModSong::ORDER_COUNT; }
    constexpr std::int64_t patternsOffset() const {
        return signatureOffset() + (sampleCount == LONG_LAYOUT_SAMPLES ? SIGNATURE_BYTES : 0);
    }
};
constexpr Layout SHORT_LAYOUT{4, SHORT_LAYOUT_SAMPLES};
// Anything shorter than the short layout's headers and order list is not a module.
constexpr std::int64_t SMALLEST_MODULE = SHORT_LAYOUT.patternsOffset();
constexpr std::int64_t SIGNATURE_OFFSET = Layout{4, LONG_LAYOUT_SAMPLES}.signatureOffset();

constexpr std::int32_t SEAM_MIN_LOOP = 3;
// Period 856 sits at index 8; one index step is an eighth of a semitone.
constexpr double NOTE_REFERENCE_PERIOD = 856.0;
constexpr double NOTE_STEP_RATIO = 1.007246412224;
constexpr double NOTE_REFERENCE_INDEX = 8.0;

// A byte view that answers zero past the end of the image.
class ImageReader {
public:
    ImageReader(const std::uint8_t* image, std::int32_t size) : image_(image), size_(size) {}

    std::uint8_t byteAt(std::int64_t offset) const {
        return offset >= 0 && offset < size_ ? image_[offset] : 0;
    }
    std::int32_t wordAt(std::int64_t offset) const { return byteAt(offset) * 256 + byteAt(offset + 1); }
    std::int32_t bytesFrom(std::int64_t offset) const {
        return offset < size_ ? static_cast<std::int32_t>(size_ - offset) : 0;
    }
    const std::uint8_t* at(std::int64_t offset) const { return image_ + offset; }

    // 8-bit text read as Latin-1, up to the first zero byte.
    std::wstring textAt(std::int64_t offset, std::int32_t count) const {
        std::wstring text;
        for (std::int32_t i = 0; i < count; ++i) {
            const std::uint8_t c = byteAt(offset + i);
            if (c == 0) break;
            text.push_back(static_cast<wchar_t>(c));
        }
        return text;
    }

private:
    const std::uint8_t* image_;
    std::int32_t size_;
};

Layout layoutOf(const ImageReader& reader, std::int32_t size) {
    if (size <= SIGNATURE_OFFSET + SIGNATURE_BYTES - 1) return SHORT_LAYOUT;
    char signature[SIGNATURE_BYTES];
    for (std::int32_t i = 0; i < SIGNATURE_BYTES; ++i) signature[i] = static_cast<char>(reader.byteAt(SIGNATURE_OFFSET + i));
    const auto is = [&](const char* text) { return std::memcmp(signature, text, SIGNATURE_BYTES) == 0; };
    if (is("M.K.") || is("FLT4")) return {4, LONG_LAYOUT_SAMPLES};
    if (is("FLT8") || is("8CHN")) return {8, LONG_LAYOUT_SAMPLES};
    if (is("6CHN")) return {6, LONG_LAYOUT_SAMPLES};
    return SHORT_LAYOUT;
}

std::int32_t noteOfPeriod(std::int32_t period) {
    if (period == 0) return -1;
    return static_cast<std::int32_t>((std::log(NOTE_REFERENCE_PERIOD) - std::log(static_cast<double>(period))) /
                                         std::log(NOTE_STEP_RATIO) +
                                     NOTE_REFERENCE_INDEX);
}

PatternCell unpackNote(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
    PatternCell cell;
    cell.note = noteOfPeriod((b0 & 0x0F) * 256 + b1);
    cell.sampleNumber = (b0 & 0xF0) | (b2 >> 4);
    cell.effect = b2 & 0x0F;
    cell.param = b3;
    return cell;
}

ModSample readSampleHeader(const ImageReader& reader, std::int64_t offset) {
    ModSample sample;
    sample.name = reader.textAt(offset, SAMPLE_HEADER.length);
    sample.length = reader.wordAt(offset + SAMPLE_HEADER.length) * 2;
    const std::int32_t finetune = reader.byteAt(offset + SAMPLE_HEADER.finetune);
    sample.finetune = finetune > 7 ? finetune - 16 : finetune;
    sample.volume =
        std::min<std::int32_t>(reader.byteAt(offset + SAMPLE_HEADER.volume), ModSong::MAX_CHANNEL_VOLUME);
    sample.loopStart = reader.wordAt(offset + SAMPLE_HEADER.loopStart) * 2;
    sample.loopLength = reader.wordAt(offset + SAMPLE_HEADER.loopLength) * 2;
    return sample;
}

// Takes the sample's bytes from the image (no more than it holds) and closes the loop seam.
void readSampleData(const ImageReader& reader, std::int64_t offset, ModSample& sample) {
    sample.length = std::min(sample.length, reader.bytesFrom(offset));
    sample.loopEnd = std::min(sample.loopStart + sample.loopLength, sample.length);
    sample.data.assign(static_cast<std::size_t>(sample.length) + 1, 0);
    if (sample.length > 0) std::memcpy(sample.data.data(), reader.at(offset), static_cast<std::size_t>(sample.length));
    if (sample.length >= 1 && sample.loopLength >= SEAM_MIN_LOOP && sample.loopStart <= sample.length)
        sample.data[static_cast<std::size_t>(sample.loopEnd)] = sample.data[static_cast<std::size_t>(sample.loopStart)];
}

// Empties the song, keeping the patterns' room for the next.
void clearSong(ModSong& song) {
    song.title.clear();
    for (ModSample& sample : song.samples) sample = ModSample{};
    song.patterns.clear();
    song.patternCount = 0;
    song.songLength = 0;
    song.orders.fill(0);
}

// Unpacks every pattern from `offset`, which it leaves just past them.
void readPatterns(const ImageReader& reader, std::int64_t& offset, ModSong& song) {
    const auto cellsPerPattern = static_cast<std::size_t>(ModSong::ROWS_PER_PATTERN) * ModSong::MAX_CHANNELS;
    song.patterns.assign(static_cast<std::size_t>(song.patternCount) * cellsPerPattern, PatternCell{});
    for (std::int32_t p = 0; p < song.patternCount; ++p) {
        for (std::int32_t row = 0; row < ModSong::ROWS_PER_PATTERN; ++row) {
            PatternCell* cells = &song.patterns[static_cast<std::size_t>(p) * cellsPerPattern +
                                                static_cast<std::size_t>(row) * ModSong::MAX_CHANNELS];
            for (std::int32_t m = 0; m < song.channelCount; ++m, offset += BYTES_PER_NOTE)
                cells[m] = unpackNote(reader.byteAt(offset), reader.byteAt(offset + 1), reader.byteAt(offset + 2),
                                      reader.byteAt(offset + 3));
        }
    }
}

}  // namespace

bool LoadSong(ModSong& song, const std::uint8_t* image, std::int32_t size) {
    if (image == nullptr || size < SMALLEST_MODULE) return false;
    const ImageReader reader(image, size);
    const Layout layout = layoutOf(reader, size);
    clearSong(song);
    song.channelCount = layout.channelCount;
    song.title = reader.textAt(0, TITLE_BYTES);

    for (std::int32_t i = 1; i <= layout.sampleCount; ++i)
        song.samples[static_cast<std::size_t>(i)] =
            readSampleHeader(reader, TITLE_BYTES + SAMPLE_HEADER.size * (i - 1));

    // A song longer than the order list would walk off its end.
    song.songLength = std::min<std::int32_t>(reader.byteAt(layout.songOffset()), ModSong::ORDER_COUNT);
    std::int32_t highestPattern = 0;
    for (std::int32_t i = 0; i < ModSong::ORDER_COUNT; ++i) {
        song.orders[static_cast<std::size_t>(i)] = reader.byteAt(layout.ordersOffset() + i);
        highestPattern = std::max(highestPattern, song.orders[static_cast<std::size_t>(i)]);
    }
    song.patternCount = highestPattern + 1;

    std::int64_t offset = layout.patternsOffset();
    readPatterns(reader, offset, song);

    for (std::int32_t i = 1; i <= layout.sampleCount; ++i) {
        ModSample& sample = song.samples[static_cast<std::size_t>(i)];
        const std::int32_t declaredLength = sample.length;
        readSampleData(reader, offset, sample);
        offset += declaredLength;
    }
    return true;
}
