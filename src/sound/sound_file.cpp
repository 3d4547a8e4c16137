// Reading sound and module files whole.
#include "sound/sound_file.h"

#include <cstdint>
#include <cstdio>
#include <limits>

namespace {

constexpr std::size_t READ_CHUNK = 4096;

}  // namespace

std::vector<std::uint8_t> ReadSoundFile(const std::string& path) {
    std::vector<std::uint8_t> image;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return image;
    std::uint8_t chunk[READ_CHUNK];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) image.insert(image.end(), chunk, chunk + got);
    const bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    if (readFailed || image.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) image.clear();
    return image;
}
