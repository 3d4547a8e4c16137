// The desktop window's remembered size: settings file location, text format, sanity rules, load and save.
#include "platform/window_settings.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace window_settings {
namespace {

constexpr std::string_view SETTINGS_FOLDER = "/spirehold";
constexpr std::string_view SETTINGS_FILE = "/window.conf";
constexpr std::string_view CONFIG_UNDER_HOME = "/.config";
constexpr std::string_view WIDTH_KEY = "width";
constexpr std::string_view HEIGHT_KEY = "height";
constexpr std::size_t LONGEST_NUMBER = 5;
// A settings file is a few dozen bytes; anything far larger is not one.
constexpr std::size_t LARGEST_SETTINGS_FILE = 4096;
constexpr char COMMENT = '#';

bool isAbsoluteFolder(const char* folder) { return folder != nullptr && folder[0] == '/'; }

std::optional<int> parseNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > LONGEST_NUMBER) return std::nullopt;
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Sets `side` from one line's value; false when the value is bad or the side was already given.
bool takeSide(std::optional<int>& side, std::string_view value) {
    if (side.has_value()) return false;
    side = parseNumber(value);
    return side.has_value();
}

bool fitsDesktop(WindowSize size, int desktopWidth, int desktopHeight) {
    if (desktopWidth <= 0 || desktopHeight <= 0) return true;
    return size.width <= desktopWidth && size.height <= desktopHeight;
}

bool believable(WindowSize size) {
    return size.width >= DISPLAY_SIZE.width && size.height >= DISPLAY_SIZE.height &&
           size.width <= LARGEST_WINDOW_SIDE && size.height <= LARGEST_WINDOW_SIDE;
}

}  // namespace

std::string settingsPath(const char* xdgConfigHome, const char* home) {
    const bool fromXdg = isAbsoluteFolder(xdgConfigHome);
    if (!fromXdg && !isAbsoluteFolder(home)) return {};
    std::string folder = fromXdg ? xdgConfigHome : home;
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    if (!fromXdg) folder += CONFIG_UNDER_HOME;
    return folder + std::string(SETTINGS_FOLDER) + std::string(SETTINGS_FILE);
}

std::string formatWindowSize(WindowSize size) {
    char text[64];
    std::snprintf(text, sizeof text, "width=%d\nheight=%d\n", size.width, size.height);
    return text;
}

std::optional<WindowSize> parseWindowSize(std::string_view text) {
    std::optional<int> width;
    std::optional<int> height;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == COMMENT) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) return std::nullopt;
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        if (key == WIDTH_KEY && !takeSide(width, value)) return std::nullopt;
        if (key == HEIGHT_KEY && !takeSide(height, value)) return std::nullopt;
    }
    if (!width.has_value() || !height.has_value()) return std::nullopt;
    return WindowSize{*width, *height};
}

WindowSize defaultWindowSize(int desktopWidth, int desktopHeight) {
    if (desktopWidth <= 0 || desktopHeight <= 0) return DISPLAY_SIZE;
    const int byHeight = static_cast<int>(desktopHeight * DESKTOP_HEIGHT_SHARE) / DISPLAY_SIZE.height;
    const int byWidth = desktopWidth / DISPLAY_SIZE.width;
    const int scale = std::max(std::min(byHeight, byWidth), 1);
    return {DISPLAY_SIZE.width * scale, DISPLAY_SIZE.height * scale};
}

WindowSize chooseWindowSize(std::optional<WindowSize> remembered, int desktopWidth, int desktopHeight) {
    if (remembered.has_value() && believable(*remembered) && fitsDesktop(*remembered, desktopWidth, desktopHeight)) {
        return *remembered;
    }
    return defaultWindowSize(desktopWidth, desktopHeight);
}

std::optional<WindowSize> loadWindowSize(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return std::nullopt;
    char text[LARGEST_SETTINGS_FILE + 1];
    const std::size_t length = std::fread(text, 1, sizeof text, file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed || length > LARGEST_SETTINGS_FILE) return std::nullopt;
    return parseWindowSize(std::string_view(text, length));
}

bool saveWindowSize(const std::string& path, WindowSize size) {
    const std::filesystem::path target(path);
    std::error_code error;
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);
    const std::string partial = path + ".new";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr) return false;
    const std::string text = formatWindowSize(size);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

}  // namespace window_settings
