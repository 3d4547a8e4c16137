// The desktop program's own rules, without opening a window: F11 and the hardware keys, where a click
// or touch lands on the letterboxed picture, and the window's remembered size.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/sdl/sdl_key_translation.h"
#include "platform/sdl/sdl_stylus_position.h"
#include "platform/window_settings.h"
#include "support/scratch_folder.h"

namespace {

using platform::Message;
using sdl_device::KeyAction;
using window_settings::WindowSize;
using Size = std::optional<WindowSize>;

TEST(KeyTranslation, F11TogglesOncePerPressAndEveryOtherKeyIsAHardwareKey) {
    EXPECT_EQ(sdl_device::translateKey(SDLK_F11, true, false).action, KeyAction::ToggleFullscreen);
    EXPECT_EQ(sdl_device::translateKey(SDLK_F11, true, true).action, KeyAction::Ignore);
    EXPECT_EQ(sdl_device::translateKey(SDLK_F11, false, false).action, KeyAction::Ignore);
    struct Case { SDL_Keycode key; bool pressed; Message message; std::uint32_t code; };
    for (const Case c : {Case{SDLK_ESCAPE, true, Message::KeyDown, 0x1B}, Case{SDLK_a, false, Message::KeyUp, 'a'},
                         Case{SDLK_F11 & 0xFFFF, true, Message::KeyDown, SDLK_F11 & 0xFFFF}}) {
        const sdl_device::KeyTranslation key = sdl_device::translateKey(c.key, c.pressed, true);
        EXPECT_EQ(key.action, KeyAction::HardwareKey) << c.key;
        EXPECT_EQ(key.message, c.message) << c.key;
        EXPECT_EQ(key.code, c.code) << c.key;
    }
}

// A press in the black bars round the picture is no stylus input; a stylus already down that leaves
// the picture is pinned onto its nearest edge.
constexpr std::uint32_t at(std::uint32_t x, std::uint32_t y) { return x | (y << 16); }

struct PressCase { float x, y; std::optional<std::uint32_t> press; std::uint32_t pinned; };

TEST(StylusPosition, MousePressesInTheBarsAreNoInputAndDragsArePinned) {
    for (const PressCase c : {PressCase{0, 0, at(0, 0), at(0, 0)}, PressCase{239.5f, 319.5f, at(239, 319), at(239, 319)},
                              PressCase{-1, 100, std::nullopt, at(0, 100)}, PressCase{240, 100, std::nullopt, at(239, 100)},
                              PressCase{120, -3, std::nullopt, at(120, 0)}, PressCase{120, 320, std::nullopt, at(120, 319)},
                              PressCase{-500, 900, std::nullopt, at(0, 319)}}) {
        EXPECT_EQ(sdl_device::mousePress(c.x, c.y), c.press) << c.x << ", " << c.y;
        EXPECT_EQ(sdl_device::pinnedPosition(c.x, c.y), c.pinned) << c.x << ", " << c.y;
    }
}

TEST(StylusPosition, FingersOutsideThePictureArePinnedOntoItsEdgeBySdlAndAreNoInput) {
    for (const PressCase c : {PressCase{0.5f, 0.5f, at(120, 160), 0}, PressCase{0.001f, 0.999f, at(0, 319), 0},
                              PressCase{0, 0.5f, std::nullopt, 0}, PressCase{1, 0.5f, std::nullopt, 0},
                              PressCase{0.5f, 0, std::nullopt, 0}, PressCase{0.5f, 1, std::nullopt, 0}}) {
        EXPECT_EQ(sdl_device::fingerPress(c.x, c.y), c.press) << c.x << ", " << c.y;
    }
}

TEST(WindowSettings, TheFileLiesInTheXdgConfigFolderOrElseUnderHome) {
    struct Case { const char* xdg; const char* home; const char* path; };
    for (const Case c : {Case{"/cfg//", "/home/a", "/cfg/spirehold/window.conf"},
                         Case{nullptr, "/home/a", "/home/a/.config/spirehold/window.conf"},
                         Case{"", "/home/a/", "/home/a/.config/spirehold/window.conf"},
                         Case{"relative/cfg", "/home/a", "/home/a/.config/spirehold/window.conf"},
                         Case{"/", nullptr, "/spirehold/window.conf"}, Case{nullptr, "/", "/.config/spirehold/window.conf"},
                         Case{nullptr, nullptr, ""}, Case{"", "home", ""}}) {
        EXPECT_EQ(window_settings::settingsPath(c.xdg, c.home), c.path) << (c.xdg ? c.xdg : "-") << (c.home ? c.home : "-");
    }
}

TEST(WindowSettings, TheTextReadsBackAndADamagedOneGivesNoSize) {
    EXPECT_EQ(window_settings::formatWindowSize({720, 960}), "width=720\nheight=960\n");
    EXPECT_EQ(window_settings::parseWindowSize(window_settings::formatWindowSize({16384, 333})), (WindowSize{16384, 333}));
    for (const auto& [text, size] : std::initializer_list<std::pair<std::string_view, Size>>{
             {"# mine\n\nheight=700\nfullscreen=1\nwidth=500", WindowSize{500, 700}},
             {"width=00480\r\nheight=640\r\n", WindowSize{480, 640}}, {"", std::nullopt}, {"width=480\n", std::nullopt},
             {"width=480\nheight\n", std::nullopt}, {"width=480\nheight=\n", std::nullopt},
             {"width=-480\nheight=640\n", std::nullopt}, {"width=+480\nheight=640\n", std::nullopt},
             {"width= 480\nheight=640\n", std::nullopt}, {"width=480 \nheight=640\n", std::nullopt},
             {"width=4x0\nheight=640\n", std::nullopt}, {"width=123456\nheight=640\n", std::nullopt},
             {"width=99999999999999999999\nheight=640\n", std::nullopt},
             {"width=480\nheight=640\nwidth=500\n", std::nullopt}, {"WIDTH=480\nHEIGHT=640\n", std::nullopt},
             {"\xff\xfe garbage", std::nullopt}, {std::string_view("width=480\nheight=640\0", 21), std::nullopt}}) {
        EXPECT_EQ(window_settings::parseWindowSize(text), size) << text;
    }
}

TEST(WindowSettings, ARememberedSizeIsKeptWhenBelievableElseTheLargestWholeScaleFits) {
    struct Case { Size remembered; int desktopWidth, desktopHeight; WindowSize size; };
    for (const Case c : {Case{std::nullopt, 1920, 1080, {480, 640}}, Case{std::nullopt, 1024, 1506, {960, 1280}},
                         Case{std::nullopt, 1024, 1505, {720, 960}}, Case{std::nullopt, 500, 2160, {480, 640}},
                         Case{std::nullopt, 800, 300, {240, 320}}, Case{std::nullopt, -1, 1080, {240, 320}},
                         Case{WindowSize{500, 700}, 1920, 1080, {500, 700}}, Case{WindowSize{240, 320}, 1920, 1080, {240, 320}},
                         Case{WindowSize{1920, 1080}, 1920, 1080, {1920, 1080}}, Case{WindowSize{239, 700}, 1920, 1080, {480, 640}},
                         Case{WindowSize{500, 319}, 1920, 1080, {480, 640}}, Case{WindowSize{1921, 700}, 1920, 1080, {480, 640}},
                         Case{WindowSize{500, 1081}, 1920, 1080, {480, 640}}, Case{WindowSize{5000, 6000}, 0, 0, {5000, 6000}},
                         Case{WindowSize{16385, 700}, 0, 0, {240, 320}}}) {
        EXPECT_EQ(window_settings::chooseWindowSize(c.remembered, c.desktopWidth, c.desktopHeight), c.size)
            << c.desktopWidth << "x" << c.desktopHeight;
    }
}

TEST(WindowSettings, ASavedSizeReadsBackAndADamagedFileOrUnwritablePlaceGivesNone) {
    const ScratchFolder folder;
    const std::string path = folder.file("config/spirehold/window.conf");
    EXPECT_EQ(window_settings::loadWindowSize(path), std::nullopt);
    ASSERT_TRUE(window_settings::saveWindowSize(path, {600, 900}));
    ASSERT_TRUE(window_settings::saveWindowSize(path, {480, 640}));
    EXPECT_EQ(window_settings::loadWindowSize(path), (WindowSize{480, 640}));
    std::ofstream(path) << std::string(5000, '#') << "\nwidth=600\nheight=900\n";
    EXPECT_EQ(window_settings::loadWindowSize(path), std::nullopt);
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_EQ(window_settings::loadWindowSize(path), std::nullopt);
    std::ofstream(folder.file("plain-file")) << "x";
    EXPECT_FALSE(window_settings::saveWindowSize(folder.file("plain-file/spirehold/window.conf"), {600, 900}));
    EXPECT_FALSE(window_settings::saveWindowSize("", {600, 900}));
}

}  // namespace
