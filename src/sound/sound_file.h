// The one way the sound engine reads its files (sounds and modules): whole, in binary.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The file's bytes; empty when it cannot be read, is empty, or is larger than an image can be
// (2^31 - 1 bytes).
std::vector<std::uint8_t> ReadSoundFile(const std::string& path);
