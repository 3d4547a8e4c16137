// The game's twelve pictures: raw RGB565 pixel arrays among the program's resources, each with its
// resource id and the size it is drawn at. Black is the transparent key of every picture.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr std::uint16_t TRANSPARENT_KEY = 0x0000;

// The twelve pictures, in the order the game loads them (the OK highlight before the key highlight,
// although its resource id is the later one).
enum ImageId : int {
    IMAGE_PLAY_BACKGROUND,
    IMAGE_FONT,
    IMAGE_TOWER_BUTTONS,
    IMAGE_TOWER_TILES,
    IMAGE_HOME_BACKGROUND,
    IMAGE_TITLE,
    IMAGE_MENU_BUTTONS,
    IMAGE_PANEL_HIGHLIGHTS,
    IMAGE_RECORD_DIALOG,
    IMAGE_OK_HIGHLIGHT,
    IMAGE_KEY_HIGHLIGHT,
    IMAGE_TUTORIAL_PARTS,
    IMAGE_COUNT
};

// Each picture's resource id, the size the game draws it at, and its name in the simulator's state
// report. The build refuses an asset of another size, and the game does not use a resource too short
// for it (it would be read past its end).
struct ImageResource {
    int id;
    int width;
    int height;
    const char* reportName;
};
inline constexpr std::array<ImageResource, IMAGE_COUNT> IMAGE_RESOURCES{{
    {103, 240, 320, "playBackgroundImage"}, {104, 638, 26, "fontImage"},
    {105, 240, 94, "towerButtonsImage"},    {106, 156, 26, "towerTilesImage"},
    {107, 240, 320, "homeBackgroundImage"}, {108, 240, 188, "titleImage"},
    {109, 216, 125, "menuButtonsImage"},    {110, 240, 19, "panelHighlightsImage"},
    {111, 170, 187, "recordDialogImage"},   {113, 33, 25, "okHighlightImage"},
    {112, 16, 18, "keyHighlightImage"},     {122, 240, 90, "tutorialPartsImage"},
}};

// The size the game draws a picture at.
constexpr int imageWidth(ImageId image) { return IMAGE_RESOURCES[static_cast<std::size_t>(image)].width; }
constexpr int imageHeight(ImageId image) { return IMAGE_RESOURCES[static_cast<std::size_t>(image)].height; }
