// The SDL2 device's random source and folders, and what it leaves to other devices (keeping saved
// files, words for a screen reader).
#include <unistd.h>

#include <climits>
#include <random>
#include <string>

#include "platform/sdl/sdl_device.h"

namespace platform {

// The real device is seeded by chance; only the headless device replays a seed.
std::uint32_t randomNumber() {
    static std::mt19937 generator{std::random_device{}()};
    return static_cast<std::uint32_t>(generator());
}

std::string programPath() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

// SDL follows the XDG rules: $XDG_DATA_HOME/spirehold/, else ~/.local/share/spirehold/; created here.
std::string userDataFolder() {
    char* folder = SDL_GetPrefPath("", "spirehold");
    if (folder == nullptr) return {};
    std::string result(folder);
    SDL_free(folder);
    return result;
}

// The desktop's files stay where they are written.
void fileSaved(std::string_view) {}

// Nothing clears the desktop's files to make room.
void askToKeepFiles() {}

// The desktop window shows pixels only; a screen reader finds nothing in it to read, and the keyboard
// has no controls of its own to move between.
void announceScreen(std::string_view, std::string_view, std::string_view) {}
void showControls(std::span<const Control>) {}

}  // namespace platform
