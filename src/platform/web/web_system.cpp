// The browser device's program path, data folder and random source, and the records file's life in
// the browser: the game reads and writes it as a file in memory, and the browser's local storage keeps a
// copy of it from one visit to the next.
#include <emscripten/emscripten.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/web/web_device.h"
#include "records/records_file.h"

namespace {

constexpr const char* PROGRAM_FOLDER = "/spirehold";
constexpr const char* PROGRAM_PATH = "/spirehold/spirehold";
constexpr const char* DATA_FOLDER = "/spirehold-data/";
constexpr const char* STORAGE_KEY = "spirehold/game.dat";
constexpr mode_t FOLDER_MODE = 0755;
constexpr mode_t FILE_MODE = 0644;
// Far more than the records file ever holds; a larger file is not kept.
constexpr int KEPT_FILE_LIMIT = 64 * 1024;

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

// The records file as the browser last kept it.
std::vector<std::uint8_t> keptRecords;
bool recordsKept = false;

// The whole file into `bytes` (whose storage is reused from call to call); false when it cannot be
// read or is too large to keep.
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

}  // namespace

namespace web {

void restoreRecordsFile() {
    ::mkdir(PROGRAM_FOLDER, FOLDER_MODE);
    const std::string path = recordsFilePath();
    if (path.empty()) return;
    std::vector<std::uint8_t> bytes(KEPT_FILE_LIMIT);
    const int count = webStorageLoad(STORAGE_KEY, bytes.data(), KEPT_FILE_LIMIT);
    if (count < 0 || count > KEPT_FILE_LIMIT) return;
    bytes.resize(static_cast<std::size_t>(count));
    if (!writeWholeFile(path, bytes)) return;
    keptRecords = std::move(bytes);
    recordsKept = true;
}

// Cheap enough for every frame: the file is a few hundred bytes in memory. Its contents are compared,
// not its times, which the in-memory file system keeps only to the second.
void keepRecordsFile() {
    static std::vector<std::uint8_t> current;
    const std::string path = recordsFilePath();
    if (path.empty() || !readWholeFile(path, current)) return;
    if (recordsKept && current == keptRecords) return;
    webStorageSave(STORAGE_KEY, current.data(), static_cast<int>(current.size()));
    keptRecords = current;
    recordsKept = true;
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

}  // namespace platform
