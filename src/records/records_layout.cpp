// Fixed-position text of the records file: what each field holds and how it is written and read.
#include "records/records_layout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace records {
namespace {

constexpr std::size_t SOUND_OFFSET = 0, SOUND_LENGTH = 1;
constexpr std::size_t TUTORIAL_OFFSET = 1, TUTORIAL_LENGTH = 1;
constexpr std::size_t LEVEL_OFFSET = 2, LEVEL_LENGTH = 2;
constexpr std::size_t FIRST_RECORD_OFFSET = 4;
constexpr std::size_t TEXT_LENGTH = 8;
constexpr std::size_t RECORD_LENGTH = 2 * TEXT_LENGTH;  // name, then time

constexpr char DEFAULT_HEADER[] = "10 1";
constexpr char NO_RECORD_NAME[] = "--------";
constexpr char NO_RECORD_TIME[] = "       0";

constexpr std::size_t nameOffset(int level) { return FIRST_RECORD_OFFSET + RECORD_LENGTH * (level - 1); }
constexpr std::size_t timeOffset(int level) { return nameOffset(level) + TEXT_LENGTH; }

// Copies the first `length` characters of a formatted text into the image, as a fixed-length write of
// that many bytes would.
void putField(RecordsImage& image, std::size_t offset, std::size_t length, const char* text) {
    std::memcpy(image.data() + offset, text, length);
}

// Field texts are formatted into a buffer wide enough for any int, then cut to the field.
using FieldText = char[32];

std::int32_t readNumber(const RecordsImage& image, std::size_t offset, std::size_t length) {
    char text[LEVEL_LENGTH + 1] = {};  // the widest number field and a terminator
    std::memcpy(text, image.data() + offset, length);
    return std::atoi(text);
}

RecordText readText(const RecordsImage& image, std::size_t offset) {
    char field[TEXT_LENGTH + 1] = {};
    std::memcpy(field, image.data() + offset, TEXT_LENGTH);
    RecordText text{};
    std::snprintf(text.data(), text.size(), "%8s", field);
    return text;
}

// How many leading bytes of a file of `size` bytes form whole fields.
std::size_t wholeFieldsLength(std::size_t size) {
    if (size >= RECORDS_FILE_SIZE) return RECORDS_FILE_SIZE;
    if (size >= FIRST_RECORD_OFFSET) return FIRST_RECORD_OFFSET + (size - FIRST_RECORD_OFFSET) / TEXT_LENGTH * TEXT_LENGTH;
    if (size >= LEVEL_OFFSET) return LEVEL_OFFSET;
    return size;
}

}  // namespace

RecordsImage defaultRecordsImage() {
    RecordsImage image{};
    putField(image, 0, FIRST_RECORD_OFFSET, DEFAULT_HEADER);
    for (int level = 1; level <= LEVEL_COUNT; ++level) {
        putField(image, nameOffset(level), TEXT_LENGTH, NO_RECORD_NAME);
        putField(image, timeOffset(level), TEXT_LENGTH, NO_RECORD_TIME);
    }
    return image;
}

RecordsImage formatRecords(const RecordsContents& contents) {
    RecordsImage image{};
    FieldText text;
    std::snprintf(text, sizeof text, "%1i", contents.soundFlag != 0 ? 1 : 0);
    putField(image, SOUND_OFFSET, SOUND_LENGTH, text);
    std::snprintf(text, sizeof text, "%1i", static_cast<int>(contents.tutorialSeen));
    putField(image, TUTORIAL_OFFSET, TUTORIAL_LENGTH, text);
    std::snprintf(text, sizeof text, "%2i", static_cast<int>(contents.maxLevel));
    putField(image, LEVEL_OFFSET, LEVEL_LENGTH, text);
    for (int level = 1; level <= LEVEL_COUNT; ++level) {
        std::snprintf(text, sizeof text, "%8.8s", contents.names[level].data());
        putField(image, nameOffset(level), TEXT_LENGTH, text);
        std::snprintf(text, sizeof text, "%8.8s", contents.times[level].data());
        putField(image, timeOffset(level), TEXT_LENGTH, text);
    }
    return image;
}

RecordsContents parseRecords(std::span<const std::uint8_t> bytes) {
    RecordsImage image = defaultRecordsImage();
    std::copy_n(bytes.begin(), wholeFieldsLength(bytes.size()), image.begin());

    RecordsContents contents;
    contents.soundFlag = readNumber(image, SOUND_OFFSET, SOUND_LENGTH);
    contents.tutorialSeen = readNumber(image, TUTORIAL_OFFSET, TUTORIAL_LENGTH);
    contents.maxLevel = readNumber(image, LEVEL_OFFSET, LEVEL_LENGTH);
    for (int level = 1; level <= LEVEL_COUNT; ++level) {
        contents.names[level] = readText(image, nameOffset(level));
        contents.times[level] = readText(image, timeOffset(level));
    }
    return contents;
}

}  // namespace records
