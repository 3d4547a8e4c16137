// Image resources used in place, and the keyed copies that draw them into the back buffer.
#include "gfx/images.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/platform.h"

// The resource bytes are little-endian RGB565 and are drawn where they lie, without conversion.
static_assert(std::endian::native == std::endian::little, "images are used in place as little-endian pixels");

namespace {

std::size_t requiredBytes(int id) {
    for (const ImageResource& image : IMAGE_RESOURCES) {
        if (image.id == id) return static_cast<std::size_t>(image.width) * image.height * sizeof(std::uint16_t);
    }
    return sizeof(std::uint16_t);
}

// Pixels handled together by the keyed copy: one 128-bit vector of eight pixels, compared with the
// key and blended in a few instructions, so a full-screen background costs little more than a plain
// copy. Written as a vector type rather than left to the auto-vectoriser, which with g++ gave a
// five times slower copy at -O3 than at -O2 (and clang the reverse for a plain loop).
constexpr int KEYED_BLOCK = 8;
using PixelBlock = std::uint16_t __attribute__((vector_size(KEYED_BLOCK * sizeof(std::uint16_t))));

void copyKeyedPixel(std::uint16_t source, std::uint16_t& target) {
    target = source != TRANSPARENT_KEY ? source : target;
}

// Copies one row of pixels, leaving the frame pixel wherever the source holds the key.
void copyKeyedRow(const std::uint16_t* source, std::uint16_t* target, int width) {
    int column = 0;
    for (; column + KEYED_BLOCK <= width; column += KEYED_BLOCK) {
        PixelBlock sourceBlock;
        PixelBlock targetBlock;
        std::memcpy(&sourceBlock, source + column, sizeof sourceBlock);
        std::memcpy(&targetBlock, target + column, sizeof targetBlock);
        const PixelBlock keep = reinterpret_cast<PixelBlock>(sourceBlock == TRANSPARENT_KEY);
        targetBlock = (sourceBlock & ~keep) | (targetBlock & keep);
        std::memcpy(target + column, &targetBlock, sizeof targetBlock);
    }
    for (; column < width; ++column) copyKeyedPixel(source[column], target[column]);
}

// Pictures with no transparent pixel at all (the backgrounds), found once when they are loaded: their
// keyed copy is a plain copy, so it skips the key test and never reads the frame.
constexpr std::size_t MOST_OPAQUE_IMAGES = IMAGE_COUNT;
std::array<const std::uint16_t*, MOST_OPAQUE_IMAGES> opaqueImages{};

bool hasNoKey(const std::uint16_t* pixels, std::size_t count) {
    return std::find(pixels, pixels + count, TRANSPARENT_KEY) == pixels + count;
}

void rememberIfOpaque(const std::uint16_t* image, std::size_t pixelCount) {
    if (std::find(opaqueImages.begin(), opaqueImages.end(), image) != opaqueImages.end()) return;
    if (!hasNoKey(image, pixelCount)) return;
    const auto freeEntry = std::find(opaqueImages.begin(), opaqueImages.end(), nullptr);
    if (freeEntry != opaqueImages.end()) *freeEntry = image;
}

// Whether `pixels` lie inside a picture known to have no transparent pixel.
bool withinOpaqueImage(const std::uint16_t* pixels) {
    for (const std::uint16_t* image : opaqueImages) {
        if (image != nullptr && pixels >= image && pixels < image + FRAME_PIXELS) return true;
    }
    return false;
}

// The copy keeps to the frame: a picture placed partly outside it loses the part outside instead of
// writing past the frame or wrapping round into the neighbouring row.
void copyKeyed(Frame& frame, const std::uint16_t* source, std::ptrdiff_t sourceStride, int x, int y, int height,
               int width) {
    std::uint16_t* const pixels = frame.BackBuffer;
    if (pixels == nullptr) return;
    const std::int64_t firstRow = std::max<std::int64_t>(0, -static_cast<std::int64_t>(y));
    const std::int64_t firstColumn = std::max<std::int64_t>(0, -static_cast<std::int64_t>(x));
    const std::int64_t endRow = std::min<std::int64_t>(height, static_cast<std::int64_t>(FRAME_HEIGHT) - y);
    const std::int64_t endColumn = std::min<std::int64_t>(width, static_cast<std::int64_t>(FRAME_WIDTH) - x);
    if (endColumn <= firstColumn) return;
    const int columns = static_cast<int>(endColumn - firstColumn);
    const bool opaque = withinOpaqueImage(source);
    for (std::int64_t row = firstRow; row < endRow; ++row) {
        const std::uint16_t* const sourceRow = source + row * sourceStride + firstColumn;
        std::uint16_t* const targetRow = pixels + (y + row) * FRAME_WIDTH + x + firstColumn;
        if (opaque) {
            std::memcpy(targetRow, sourceRow, static_cast<std::size_t>(columns) * sizeof *sourceRow);
        } else {
            copyKeyedRow(sourceRow, targetRow, columns);
        }
    }
}

}  // namespace

const std::uint16_t* loadImage(int id) {
    const std::span<const std::uint8_t> bytes = platform::findResource("IMAGE", id);
    if (bytes.size() < requiredBytes(id)) return nullptr;
    if (reinterpret_cast<std::uintptr_t>(bytes.data()) % alignof(std::uint16_t) != 0) return nullptr;
    const auto* const image = reinterpret_cast<const std::uint16_t*>(bytes.data());
    if (requiredBytes(id) == BACK_BUFFER_SIZE) rememberIfOpaque(image, FRAME_PIXELS);
    return image;
}

void loadImages(Frame& frame) {
    for (std::size_t image = 0; image < IMAGE_RESOURCES.size(); ++image) {
        frame.images[image] = loadImage(IMAGE_RESOURCES[image].id);
    }
}

void blitImage(Frame& frame, const std::uint16_t* image, int x, int y, int height, int width) {
    if (image == nullptr || height < 1) return;
    copyKeyed(frame, image, width, x, y, height, width);
}

// A rectangle reaching past the picture's right or bottom edge would read the next row's pixels or past
// the picture's end: only its part inside the picture is copied.
void blitImagePart(Frame& frame, const std::uint16_t* image, int srcX, int srcY, int srcStride, int srcRows,
                   int dstX, int dstY, int height, int width) {
    if (image == nullptr) return;
    if (srcX < 0 || srcY < 0 || dstX < 0 || dstY < 0 || height < 0 || width < 0) return;
    if (dstX > FRAME_WIDTH - 1 || dstY > FRAME_HEIGHT - 1) return;
    const int columns = std::max(0, std::min(width, srcStride - srcX));
    const int rows = std::max(0, std::min(height, srcRows - srcY));
    copyKeyed(frame, image + static_cast<std::ptrdiff_t>(srcY) * srcStride + srcX, srcStride, dstX, dstY, rows,
              columns);
}

void drawImage(Frame& frame, ImageId image, int x, int y) {
    blitImage(frame, frame.images[image], x, y, imageHeight(image), imageWidth(image));
}

void drawImagePart(Frame& frame, ImageId image, int srcX, int srcY, int x, int y, int height, int width) {
    blitImagePart(frame, frame.images[image], srcX, srcY, imageWidth(image), imageHeight(image), x, y, height,
                  width);
}
