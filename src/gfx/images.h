// Images are raw RGB565 pixel arrays from the program's resources, drawn with black as the
// transparent key.
#pragma once

#include <cstdint>

inline constexpr std::uint16_t TRANSPARENT_KEY = 0x0000;

// Resource ids of the twelve pictures.
enum ImageId : int {
    IMAGE_PLAY_BACKGROUND = 103,
    IMAGE_FONT = 104,
    IMAGE_TOWER_BUTTONS = 105,
    IMAGE_TOWER_TILES = 106,
    IMAGE_HOME_BACKGROUND = 107,
    IMAGE_TITLE = 108,
    IMAGE_MENU_BUTTONS = 109,
    IMAGE_PANEL_HIGHLIGHTS = 110,
    IMAGE_RECORD_DIALOG = 111,
    IMAGE_KEY_HIGHLIGHT = 112,
    IMAGE_OK_HIGHLIGHT = 113,
    IMAGE_TUTORIAL_PARTS = 122,
};

// The size the game draws each picture at. The build refuses an asset of another size, and the game
// does not use a resource too short for it (it would be read past its end).
struct ImageExtent {
    int id;
    int width;
    int height;
};
inline constexpr ImageExtent IMAGE_EXTENTS[] = {
    {IMAGE_PLAY_BACKGROUND, 240, 320}, {IMAGE_FONT, 638, 26},           {IMAGE_TOWER_BUTTONS, 240, 94},
    {IMAGE_TOWER_TILES, 156, 26},      {IMAGE_HOME_BACKGROUND, 240, 320}, {IMAGE_TITLE, 240, 188},
    {IMAGE_MENU_BUTTONS, 216, 125},    {IMAGE_PANEL_HIGHLIGHTS, 240, 19}, {IMAGE_RECORD_DIALOG, 170, 187},
    {IMAGE_KEY_HIGHLIGHT, 16, 18},     {IMAGE_OK_HIGHLIGHT, 33, 25},      {IMAGE_TUTORIAL_PARTS, 240, 90},
};

// The pixels of image resource `id`, or null when the program has no such image.
const std::uint16_t* loadImage(int id);

// Keyed copy of a whole width x height image with its top-left corner at (x, y). Does nothing for a
// null image or height < 1.
void blitImage(const std::uint16_t* image, int x, int y, int height, int width);

// Keyed copy of the height x width rectangle at (srcX, srcY) of an image whose rows are srcStride
// pixels long, to (dstX, dstY). Does nothing for a null image, a negative argument, dstX > 239 or
// dstY > 319.
void blitImagePart(const std::uint16_t* image, int srcX, int srcY, int srcStride, int dstX, int dstY,
                   int height, int width);
