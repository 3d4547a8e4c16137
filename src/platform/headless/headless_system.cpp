// The headless device's configuration, its seeded random source, its folders, and what the game last
// asked of it (words for a screen reader, the screen kept awake, the files kept): everything a run
// depends on is chosen by configure, so a run replays byte for byte.
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/headless/headless_device.h"

namespace headless {
namespace {

using detail::device;

// PCG32 (O'Neill): a small generator whose whole state is one 64-bit word and the fixed stream below.
constexpr std::uint64_t PCG_MULTIPLIER = 6364136223846793005ULL;
constexpr std::uint64_t PCG_INCREMENT = 1442695040888963407ULL;

std::uint32_t nextRandom(std::uint64_t& state) {
    const std::uint64_t old = state;
    state = old * PCG_MULTIPLIER + PCG_INCREMENT;
    const auto xorShifted = static_cast<std::uint32_t>(((old >> 18) ^ old) >> 27);
    const auto rotation = static_cast<std::uint32_t>(old >> 59);
    return (xorShifted >> rotation) | (xorShifted << ((32 - rotation) & 31));
}

std::uint64_t seededRandomState(std::uint32_t seed) {
    std::uint64_t state = 0;
    nextRandom(state);
    state += seed;
    nextRandom(state);
    return state;
}

// A folder of this process for runs that name none; emptied by every configure, removed at exit.
class ScratchFolder {
public:
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }

    const std::string& freshPath() {
        std::error_code ignored;
        if (path_.empty()) path_ = makeFolder();
        std::filesystem::remove_all(path_, ignored);
        std::filesystem::create_directories(path_, ignored);
        return path_;
    }

private:
    static std::string makeFolder() {
        std::error_code ignored;
        std::filesystem::path base = std::filesystem::temp_directory_path(ignored);
        if (base.empty()) base = "/tmp";
        std::string pattern = (base / "spirehold-headless-XXXXXX").string();
        return mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }

    std::string path_;
};

ScratchFolder scratchFolder;

constexpr std::uint32_t DEFAULT_SEED = 1;

// A run that names no folder gets the emptied scratch folder, made only when the program first asks.
const std::string& programFolder() {
    if (device().programDir.empty()) device().programDir = scratchFolder.freshPath();
    return device().programDir;
}

detail::Device freshDevice(std::uint32_t seed, const platform::DisplayProperties& display,
                           const std::string& programDir, bool runningCopy) {
    detail::Device fresh;
    fresh.seed = seed;
    fresh.display = display;
    fresh.programDir = programDir;
    fresh.runningCopy = runningCopy;
    fresh.randomState = seededRandomState(seed);
    detail::layOutDisplayMemory(fresh);
    return fresh;
}

}  // namespace

namespace detail {

// A device nobody has configured yet is in the state reset() gives. It is never destroyed: the sound
// engine, a static object of its own, still closes its output at process exit.
Device& device() {
    static Device* const state = new Device(freshDevice(DEFAULT_SEED, STANDARD_DISPLAY, "", false));
    return *state;
}

}  // namespace detail

void configure(std::uint32_t seed, const platform::DisplayProperties& display, const std::string& programDir,
               bool runningCopy) {
    device() = freshDevice(seed, display, programDir, runningCopy);
}

void reset() { configure(DEFAULT_SEED, STANDARD_DISPLAY, "", false); }

void setDeviceFailures(bool windowFails, bool displayFails) {
    device().windowFails = windowFails;
    device().displayFails = displayFails;
}

Announcement lastAnnouncement() { return device().announcement; }

bool screenKeptAwake() { return device().screenKeptAwake; }

bool keepingFilesAsked() { return device().keepingFilesAsked; }

std::vector<ShownControl> lastControls() { return device().controls; }

}  // namespace headless

namespace platform {

using headless::detail::device;

std::uint32_t randomNumber() { return headless::nextRandom(device().randomState); }

std::string programPath() { return headless::programFolder() + "/spirehold"; }

std::string userDataFolder() {
    const std::filesystem::path folder = std::filesystem::path(headless::programFolder()) / ".local/share/spirehold";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return error ? std::string() : folder.string() + "/";
}

// Files in the device's folders outlive the run as they are.
void fileSaved(std::string_view) {}

void askToKeepFiles() { device().keepingFilesAsked = true; }

void keepScreenAwake(bool awake) { device().screenKeptAwake = awake; }

void announceScreen(std::string_view summary, std::string_view board, std::string_view news) {
    device().announcement = {std::string(summary), std::string(board), std::string(news)};
}

void showControls(std::span<const Control> controls) {
    std::vector<headless::ShownControl>& kept = device().controls;
    kept.clear();
    for (const Control& control : controls) {
        kept.push_back({control.kind, control.on, control.row, control.column, control.left, control.top,
                        control.right, control.bottom, control.name, control.value, control.keys});
    }
}

}  // namespace platform
