// The records file's 900-byte image: building it from its contents and reading it back. Pure
// functions over bytes, with no file access, so any bytes at all can be read safely.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "puzzle/level_table.h"

namespace records {

inline constexpr std::size_t RECORDS_FILE_SIZE = 900;
inline constexpr int RECORD_TEXT_SIZE = 9;  // 8 characters and the terminator

using RecordsImage = std::array<std::uint8_t, RECORDS_FILE_SIZE>;
using RecordText = std::array<char, RECORD_TEXT_SIZE>;

// What a records image says, field by field.
struct RecordsContents {
    std::int32_t soundFlag = 0;  // decimal value of the sound byte; 0 turns the sound off
    std::int32_t tutorialSeen = 0;
    std::int32_t maxLevel = 0;
    std::array<RecordText, LEVEL_TABLE_SIZE> names{};  // index 1..56, right-aligned in 8 characters
    std::array<RecordText, LEVEL_TABLE_SIZE> times{};
};

// The file a first start writes: sound on, tutorial not offered, furthest level 1, no records.
RecordsImage defaultRecordsImage();

// The image of the contents (a sound flag other than 0 is written as 1). A number too wide for its field
// keeps its first characters; a text longer than 8 characters keeps its first 8.
RecordsImage formatRecords(const RecordsContents& contents);

// Reads any bytes as a records file. Numbers follow atoi; a name or time is its 8 bytes as text, cut at
// a zero byte and right-aligned. A field that `bytes` does not fully hold takes the default file's
// value; bytes beyond the 900 are ignored.
RecordsContents parseRecords(std::span<const std::uint8_t> bytes);

}  // namespace records
