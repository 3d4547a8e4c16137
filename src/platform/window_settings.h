// The desktop window's remembered size: where it is kept, its file's text, and the size a new window
// opens at. Independent of any windowing library so that the rules can be checked on their own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace window_settings {

struct WindowSize {
    int width = 0;
    int height = 0;
    bool operator==(const WindowSize&) const = default;
};

// The display the window shows; also the smallest window there is.
inline constexpr WindowSize DISPLAY_SIZE{240, 320};
// A new window takes at most this share of the desktop's height.
inline constexpr double DESKTOP_HEIGHT_SHARE = 0.85;
// No remembered side is believed beyond this many pixels, whatever the desktop.
inline constexpr int LARGEST_WINDOW_SIDE = 16384;

// The settings file: "$XDG_CONFIG_HOME/spirehold/window.conf", or "$HOME/.config/spirehold/window.conf"
// when XDG_CONFIG_HOME is unset, empty or relative (relative ones are ignored, as XDG asks). Empty when
// neither variable gives a folder. Either argument may be null.
std::string settingsPath(const char* xdgConfigHome, const char* home);

// The file's text: "width=W\nheight=H\n".
std::string formatWindowSize(WindowSize size);

// Reads the file's text: lines "key=value" where width and height must each appear once with a decimal
// value of at most 5 digits; blank lines, lines starting with '#' and other keys are passed over, a
// final line may lack its newline. Anything else (no '=', a sign, a space in the number, a repeated
// key, a missing side) means the file is damaged: no size.
std::optional<WindowSize> parseWindowSize(std::string_view text);

// The largest whole multiple of the display that takes at most DESKTOP_HEIGHT_SHARE of the desktop's
// height and fits its width; never below 1x. A desktop of unknown size (0 or less) gives 1x.
WindowSize defaultWindowSize(int desktopWidth, int desktopHeight);

// The remembered size when it is believable: at least the display's size, at most LARGEST_WINDOW_SIDE,
// and within the desktop when the desktop's size is known. Otherwise the default size.
WindowSize chooseWindowSize(std::optional<WindowSize> remembered, int desktopWidth, int desktopHeight);

// The size stored at `path`; none when the file is missing, unreadable, larger than a settings file
// ever is, or damaged.
std::optional<WindowSize> loadWindowSize(const std::string& path);

// Stores the size at `path`, creating its folder; the old file stays whole until the new one is
// complete. False when it could not be written.
bool saveWindowSize(const std::string& path, WindowSize size);

}  // namespace window_settings
