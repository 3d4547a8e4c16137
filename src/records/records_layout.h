// The records file's 900-byte image: building it from the game state and reading it back. Pure
// functions over bytes, with no file access, so any bytes at all can be read safely.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "game/game_state.h"

namespace records {

inline constexpr std::size_t RECORDS_FILE_SIZE = 900;

using RecordsImage = std::array<std::uint8_t, RECORDS_FILE_SIZE>;

// What a records image says, field by field, before it is applied to the game state.
struct RecordsContents {
    std::int32_t soundFlag = 0;  // decimal value of the sound byte; 0 turns the sound off
    std::int32_t tutorialSeen = 0;
    std::int32_t maxLevel = 0;
    std::array<RecordText, LEVEL_TABLE_SIZE> names{};  // index 1..56, right-aligned in 8 characters
    std::array<RecordText, LEVEL_TABLE_SIZE> times{};
};

// The file a first start writes: sound on, tutorial not offered, furthest level 1, no records.
RecordsImage defaultRecordsImage();

// The image of soundOn, tutorialSeen, maxLevel, recordNames and recordTimes. A number too wide for its
// field keeps its first characters; a text longer than 8 characters keeps its first 8.
RecordsImage formatRecords(const GameState& state);

// Reads any bytes as a records file. Numbers follow atoi; a name or time is its 8 bytes as text, cut at
// a zero byte and right-aligned. A field that `bytes` does not fully hold takes the default file's
// value; bytes beyond the 900 are ignored.
RecordsContents parseRecords(std::span<const std::uint8_t> bytes);

// Stores the contents in the state: a sound value of 0 clears soundOn, any other leaves it as it is.
void applyRecords(const RecordsContents& contents, GameState& state);

}  // namespace records
