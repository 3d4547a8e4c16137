// The window's remembered size: where it is kept, its text, the sanity rules and the file round trip.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/window_settings.h"

namespace {

using window_settings::WindowSize;

TEST(WindowSettingsPath, FollowsTheXdgConfigFolderAndFallsBackOnHome) {
    using window_settings::settingsPath;
    EXPECT_EQ(settingsPath("/cfg", "/home/a"), "/cfg/spirehold/window.conf");
    EXPECT_EQ(settingsPath("/cfg//", "/home/a"), "/cfg/spirehold/window.conf");
    EXPECT_EQ(settingsPath(nullptr, "/home/a"), "/home/a/.config/spirehold/window.conf");
    EXPECT_EQ(settingsPath("", "/home/a/"), "/home/a/.config/spirehold/window.conf");
    EXPECT_EQ(settingsPath("relative/cfg", "/home/a"), "/home/a/.config/spirehold/window.conf");
    EXPECT_EQ(settingsPath("/", nullptr), "/spirehold/window.conf");
    EXPECT_EQ(settingsPath(nullptr, "/"), "/.config/spirehold/window.conf");
    EXPECT_EQ(settingsPath(nullptr, nullptr), "");
    EXPECT_EQ(settingsPath("", "home"), "");
}

TEST(WindowSettingsText, WhatIsWrittenReadsBackTheSame) {
    EXPECT_EQ(window_settings::formatWindowSize({720, 960}), "width=720\nheight=960\n");
    for (const WindowSize size : {WindowSize{240, 320}, WindowSize{1000, 333}, WindowSize{16384, 16384}}) {
        EXPECT_EQ(window_settings::parseWindowSize(window_settings::formatWindowSize(size)), size);
    }
}

TEST(WindowSettingsText, ToleratesCommentsOtherKeysAnyOrderAndAMissingLastNewline) {
    using window_settings::parseWindowSize;
    EXPECT_EQ(parseWindowSize("# mine\n\nheight=700\nfullscreen=1\nwidth=500"), (WindowSize{500, 700}));
    EXPECT_EQ(parseWindowSize("width=480\r\nheight=640\r\n"), (WindowSize{480, 640}));
    EXPECT_EQ(parseWindowSize("width=00480\nheight=640\n"), (WindowSize{480, 640}));
}

TEST(WindowSettingsText, ADamagedFileGivesNoSize) {
    using window_settings::parseWindowSize;
    for (const char* text : {"", "\n", "width=480\n", "height=640\n", "width=480\nheight\n", "width=480\nheight=\n",
                             "width=-480\nheight=640\n", "width=+480\nheight=640\n", "width= 480\nheight=640\n",
                             "width=480 \nheight=640\n", "width=4x0\nheight=640\n", "width=123456\nheight=640\n",
                             "width=99999999999999999999\nheight=640\n", "width=480\nheight=640\nwidth=500\n",
                             "WIDTH=480\nHEIGHT=640\n", "\xff\xfe garbage"}) {
        EXPECT_EQ(parseWindowSize(text), std::nullopt) << text;
    }
    EXPECT_EQ(parseWindowSize(std::string_view("width=480\nheight=640\0", 21)), std::nullopt);
}

TEST(WindowSettingsSize, TheDefaultIsTheLargestWholeScaleWithinMostOfTheDesktopsHeight) {
    using window_settings::defaultWindowSize;
    EXPECT_EQ(defaultWindowSize(1920, 1080), (WindowSize{480, 640}));   // 918 / 320 = 2
    EXPECT_EQ(defaultWindowSize(1280, 1024), (WindowSize{480, 640}));   // 870 / 320 = 2
    EXPECT_EQ(defaultWindowSize(2560, 1440), (WindowSize{720, 960}));   // 1224 / 320 = 3
    EXPECT_EQ(defaultWindowSize(3840, 2160), (WindowSize{1200, 1600})); // 1836 / 320 = 5
    EXPECT_EQ(defaultWindowSize(1024, 1506), (WindowSize{960, 1280}));  // 1280.1 / 320 = 4
    EXPECT_EQ(defaultWindowSize(1024, 1505), (WindowSize{720, 960}));   // 1279.25 / 320 = 3
    EXPECT_EQ(defaultWindowSize(500, 2160), (WindowSize{480, 640}));    // a narrow desktop limits the width
    EXPECT_EQ(defaultWindowSize(800, 300), (WindowSize{240, 320}));     // never below the display
    EXPECT_EQ(defaultWindowSize(0, 0), (WindowSize{240, 320}));
    EXPECT_EQ(defaultWindowSize(-1, 1080), (WindowSize{240, 320}));
}

TEST(WindowSettingsSize, ARememberedSizeIsKeptOnlyWhenItIsBelievable) {
    using window_settings::chooseWindowSize;
    EXPECT_EQ(chooseWindowSize(WindowSize{500, 700}, 1920, 1080), (WindowSize{500, 700}));
    EXPECT_EQ(chooseWindowSize(WindowSize{240, 320}, 1920, 1080), (WindowSize{240, 320}));
    EXPECT_EQ(chooseWindowSize(WindowSize{1920, 1080}, 1920, 1080), (WindowSize{1920, 1080}));
    EXPECT_EQ(chooseWindowSize(std::nullopt, 1920, 1080), (WindowSize{480, 640}));
    EXPECT_EQ(chooseWindowSize(WindowSize{239, 700}, 1920, 1080), (WindowSize{480, 640}));
    EXPECT_EQ(chooseWindowSize(WindowSize{500, 319}, 1920, 1080), (WindowSize{480, 640}));
    EXPECT_EQ(chooseWindowSize(WindowSize{0, 0}, 1920, 1080), (WindowSize{480, 640}));
    EXPECT_EQ(chooseWindowSize(WindowSize{1921, 700}, 1920, 1080), (WindowSize{480, 640}));
    EXPECT_EQ(chooseWindowSize(WindowSize{500, 1081}, 1920, 1080), (WindowSize{480, 640}));
    EXPECT_EQ(chooseWindowSize(WindowSize{5000, 6000}, 0, 0), (WindowSize{5000, 6000}));
    EXPECT_EQ(chooseWindowSize(WindowSize{16385, 700}, 0, 0), (WindowSize{240, 320}));
}

class WindowSettingsFile : public ::testing::Test {
protected:
    std::string folder;
    std::string path;
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "spirehold-window-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        path = folder + "/config/spirehold/window.conf";
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    void write(const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
};

TEST_F(WindowSettingsFile, ASavedSizeIsReadBackAndItsFolderIsMade) {
    EXPECT_EQ(window_settings::loadWindowSize(path), std::nullopt);
    ASSERT_TRUE(window_settings::saveWindowSize(path, {600, 900}));
    EXPECT_EQ(window_settings::loadWindowSize(path), (WindowSize{600, 900}));
    ASSERT_TRUE(window_settings::saveWindowSize(path, {480, 640}));
    EXPECT_EQ(window_settings::loadWindowSize(path), (WindowSize{480, 640}));
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

TEST_F(WindowSettingsFile, DamagedOrOversizedFilesGiveNoSize) {
    write("width=600\nheight=9");
    EXPECT_EQ(window_settings::loadWindowSize(path), (WindowSize{600, 9}));
    write("width=600\n");
    EXPECT_EQ(window_settings::loadWindowSize(path), std::nullopt);
    write(std::string(5000, '#') + "\nwidth=600\nheight=900\n");
    EXPECT_EQ(window_settings::loadWindowSize(path), std::nullopt);
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_EQ(window_settings::loadWindowSize(path), std::nullopt);
}

TEST_F(WindowSettingsFile, AnUnwritablePlaceSavesNothing) {
    std::ofstream(folder + "/plain-file") << "x";
    EXPECT_FALSE(window_settings::saveWindowSize(folder + "/plain-file/spirehold/window.conf", {600, 900}));
    EXPECT_FALSE(window_settings::saveWindowSize("", {600, 900}));
}

}  // namespace
