// The browser device's program path, data folder and random source, the saved files' life in the
// browser (the game reads and writes them as files in memory, and the browser's local storage keeps a
// copy of each from one visit to the next), and the screen kept awake.
#include <emscripten/emscripten.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/web/web_device.h"

namespace {

constexpr std::string_view PROGRAM_FOLDER = "/spirehold";
constexpr const char* PROGRAM_PATH = "/spirehold/spirehold";
constexpr const char* DATA_FOLDER = "/spirehold-data/";
constexpr mode_t FOLDER_MODE = 0755;
constexpr mode_t FILE_MODE = 0644;
// Far more than the records file ever holds; a larger file is not kept.
constexpr int KEPT_FILE_LIMIT = 64 * 1024;
constexpr int STORAGE_KEY_LIMIT = 256;

// PCG32 (O'Neill), seeded once from the browser's own random source.
constexpr std::uint64_t PCG_MULTIPLIER = 6364136223846793005ULL;
constexpr std::uint64_t PCG_INCREMENT = 1442695040888963407ULL;
constexpr double SEED_RANGE = 4294967296.0;

std::uint64_t randomState = 0;
bool randomSeeded = false;

std::uint32_t nextRandom() {
    const std::uint64_t old = randomState;
    randomState = old * PCG_MULTIPLIER + PCG_INCREMENT;
    const auto xorShifted = static_cast<std::uint32_t>(((old >> 18) ^ old) >> 27);
    const auto rotation = static_cast<std::uint32_t>(old >> 59);
    return (xorShifted >> rotation) | (xorShifted << ((32 - rotation) & 31));
}

void seedRandom() {
    const auto high = static_cast<std::uint64_t>(emscripten_random() * SEED_RANGE);
    const auto low = static_cast<std::uint64_t>(emscripten_random() * SEED_RANGE);
    randomState = (high << 32) ^ low;
    nextRandom();
    randomSeeded = true;
}

// The whole file into `bytes`; false when it cannot be read or is too large to keep.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || status.st_size < 0 || status.st_size > KEPT_FILE_LIMIT) {
        ::close(fd);
        return false;
    }
    bytes.resize(static_cast<std::size_t>(status.st_size));
    std::size_t done = 0;
    ssize_t got = 0;
    while (done < bytes.size() && (got = ::read(fd, bytes.data() + done, bytes.size() - done)) > 0) {
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return done == bytes.size();
}

bool writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, FILE_MODE);
    if (fd < 0) return false;
    const bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    return ::close(fd) == 0 && written;
}

// The files kept are those of the program's own folder (where the game keeps its records), each
// under its path without the leading '/': "spirehold/game.dat".
bool keptPath(std::string_view path) {
    return path.size() > PROGRAM_FOLDER.size() + 1 && path.starts_with(PROGRAM_FOLDER) &&
           path[PROGRAM_FOLDER.size()] == '/' && path.find('/', PROGRAM_FOLDER.size() + 1) == std::string_view::npos;
}

std::string storageKeyOf(std::string_view path) { return std::string(path.substr(1)); }

void restoreKeptFile(const std::string& key) {
    const std::string path = "/" + key;
    if (!keptPath(path)) return;
    std::vector<std::uint8_t> bytes(KEPT_FILE_LIMIT);
    const int count = webStorageLoad(key.c_str(), bytes.data(), KEPT_FILE_LIMIT);
    if (count < 0 || count > KEPT_FILE_LIMIT) return;
    bytes.resize(static_cast<std::size_t>(count));
    writeWholeFile(path, bytes);
}

}  // namespace

namespace web {

void restoreKeptFiles() {
    ::mkdir(std::string(PROGRAM_FOLDER).c_str(), FOLDER_MODE);
    std::array<char, STORAGE_KEY_LIMIT> key{};
    for (int index = 0;; ++index) {
        const int length = webStorageKey(index, key.data(), static_cast<int>(key.size()));
        if (length < 0) return;
        if (length < static_cast<int>(key.size())) {
            restoreKeptFile(std::string(key.data(), static_cast<std::size_t>(length)));
        }
    }
}

}  // namespace web

namespace platform {

std::uint32_t randomNumber() {
    if (!randomSeeded) seedRandom();
    return nextRandom();
}

std::string programPath() { return PROGRAM_PATH; }

std::string userDataFolder() {
    ::mkdir(DATA_FOLDER, FOLDER_MODE);
    return DATA_FOLDER;
}

// The whole file goes to storage each time: the records after a change, the saved game of a few hundred
// bytes at most once a second and after each command.
void fileSaved(std::string_view path) {
    std::vector<std::uint8_t> bytes;
    const std::string file(path);
    if (!keptPath(path) || !readWholeFile(file, bytes)) return;
    webStorageSave(storageKeyOf(path).c_str(), bytes.data(), static_cast<int>(bytes.size()));
}

void askToKeepFiles() { webAskToKeepFiles(); }

void keepScreenAwake(bool awake) { webKeepScreenAwake(awake ? 1 : 0); }

}  // namespace platform
