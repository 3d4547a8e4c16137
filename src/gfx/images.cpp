// Placeholder until this concern is written; replaced by its implementation.
#include "gfx/images.h"
const std::uint16_t* loadImage(int) { return nullptr; }
void blitImage(const std::uint16_t*, int, int, int, int) {}
void blitImagePart(const std::uint16_t*, int, int, int, int, int, int, int) {}
