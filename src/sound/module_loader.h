// Reads a MOD image into a song.
#pragma once

#include <cstdint>

#include "sound/module_song.h"

// Fills `song` from a module image of `size` bytes (nothing of the image is kept). Every read is checked
// against `size`: a truncated image loads what it holds and reads missing pattern bytes as zero. A null
// image, or one too short for the headers and order list (600 bytes), returns false and leaves the song
// as it was.
bool LoadSong(ModSong& song, const std::uint8_t* image, std::int32_t size);
