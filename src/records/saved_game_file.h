// The saved game's file, "game.sav" beside the records file: read once at start-up, replaced whole
// whenever the game in play changes. The records file is never touched here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Where the saved game lives for the running program: in the records file's folder; "" when there is
// no place for the records either.
std::string savedGameFilePath();

// The file's bytes, up to one more than a saved game can hold, so that a longer file is seen to be
// one; empty when it is missing or cannot be read.
std::vector<std::uint8_t> readSavedGameFile(const std::string& path);

// Makes the file hold `text` (creating it when missing) and tells the device it was saved; false, with
// the old file as it was, when it cannot be written.
bool writeSavedGameFile(const std::string& path, std::string_view text);
