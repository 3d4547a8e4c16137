// Loading the pictures from the program's resources, and the keyed copies that draw them into a frame.
#pragma once

#include <cstdint>

#include "gfx/frame.h"
#include "gfx/image_table.h"

// The frame's loaded picture, keyed: whole with its top-left corner at (x, y), or its height x width
// rectangle at (srcX, srcY) copied to (x, y). Nothing is drawn for a picture the frame has not loaded.
void drawImage(Frame& frame, ImageId image, int x, int y);
void drawImagePart(Frame& frame, ImageId image, int srcX, int srcY, int x, int y, int height, int width);

// Fills frame.images with every picture of the image table; a missing or short resource leaves null.
void loadImages(Frame& frame);

// The pixels of image resource `id`, or null when the program has no such image (or one too short for
// the size the image table gives it).
const std::uint16_t* loadImage(int id);

// Keyed copy of a whole width x height image with its top-left corner at (x, y). Does nothing for a
// null image or height < 1. What falls outside the frame is left out.
void blitImage(Frame& frame, const std::uint16_t* image, int x, int y, int height, int width);

// Keyed copy of the height x width rectangle at (srcX, srcY) of a srcStride x srcRows image to
// (dstX, dstY). Does nothing for a null image, a negative argument, dstX > 239 or dstY > 319; the part
// of the rectangle outside the image, and what falls outside the frame, is left out.
void blitImagePart(Frame& frame, const std::uint16_t* image, int srcX, int srcY, int srcStride, int srcRows,
                   int dstX, int dstY, int height, int width);
