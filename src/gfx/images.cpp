// Image resources used in place, and the keyed copies that draw them into the back buffer.
#include "gfx/images.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "gfx/pixel_blocks.h"
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

// ---- Where the program's pictures hold the key, found once as they are loaded ----------------------
// A row (or the part of a row) without the key is copied plainly: no key test, and the frame is never
// read. The backgrounds and the tower tiles hold no key at all, most rows of the tower buttons and of
// the record dialog none; the font holds it at both ends of every row.

// The columns [first, end) of a row that hold the key; empty for a row without it.
struct KeyColumns {
    std::uint16_t first = 0, end = 0;
};

enum class KeyedRows {
    None,
    All,  // every row holds the key at both its ends, so no part of any row is known to be without it
    Some  // row by row
};

struct KeyedPicture {
    const std::uint16_t* pixels = nullptr;
    int width = 0, height = 0;
    KeyedRows keyedRows = KeyedRows::Some;
    std::array<KeyColumns, FRAME_HEIGHT> rows{};
};

std::array<KeyedPicture, IMAGE_COUNT> keyedPictures{};

KeyColumns keyColumns(const std::uint16_t* row, int width) {
    const std::uint16_t* const end = row + width;
    const std::uint16_t* const first = std::find(row, end, TRANSPARENT_KEY);
    if (first == end) return {};
    const std::uint16_t* last = end - 1;
    while (*last != TRANSPARENT_KEY) --last;
    return {static_cast<std::uint16_t>(first - row), static_cast<std::uint16_t>(last - row + 1)};
}

void rememberKeys(const std::uint16_t* image, int width, int height) {
    if (height < 1 || height > FRAME_HEIGHT || width < 1 || width > UINT16_MAX) return;
    for (const KeyedPicture& known : keyedPictures) {
        if (known.pixels == image) return;
    }
    const auto entry = std::find_if(keyedPictures.begin(), keyedPictures.end(),
                                    [](const KeyedPicture& known) { return known.pixels == nullptr; });
    if (entry == keyedPictures.end()) return;
    bool keyless = true, keyedAtEnds = true;
    for (int row = 0; row < height; ++row) {
        const KeyColumns key = keyColumns(image + row * width, width);
        entry->rows[static_cast<std::size_t>(row)] = key;
        keyless = keyless && key.first == key.end;
        keyedAtEnds = keyedAtEnds && key.first == 0 && key.end == width;
    }
    entry->keyedRows = keyless ? KeyedRows::None : keyedAtEnds ? KeyedRows::All : KeyedRows::Some;
    entry->width = width;
    entry->height = height;
    entry->pixels = image;
}

// The loaded picture that `pixels` lie in, read with the picture's own row length; null for anything else.
const KeyedPicture* pictureHolding(const std::uint16_t* pixels, std::ptrdiff_t stride) {
    for (const KeyedPicture& known : keyedPictures) {
        if (known.pixels != nullptr && known.width == stride && pixels >= known.pixels &&
            pixels < known.pixels + static_cast<std::ptrdiff_t>(known.width) * known.height) {
            return &known;
        }
    }
    return nullptr;
}

// ---- The keyed copy ------------------------------------------------------------------------------

// Rows up to this many pixels are copied block by block rather than through the C library's copy,
// which moves wider blocks but costs a call. In WebAssembly (without its bulk memory instructions)
// the library copies rows under 512 bytes word by word, so there every row goes block by block.
#if defined(__wasm__)
constexpr int NARROW_ROW = FRAME_WIDTH;
#else
constexpr int NARROW_ROW = 64;
#endif

// A copy's rectangle, already kept to the frame: `rows` x `columns` pixels from `source` (its rows
// `sourceStride` apart) to `target` in the frame.
struct RowsToCopy {
    const std::uint16_t* source;
    std::ptrdiff_t sourceStride;
    std::uint16_t* target;
    int rows, columns;
};

// Rows [first, end) of the copy, leaving the frame pixel wherever the source holds the key. A row that
// is not a whole number of blocks ends with a block overlapping the one before it: blending a pixel
// twice gives what blending it once did. That last block's frame pixels are read before any of the row
// is written, so its load never waits on the stores just made to the same bytes. (The copy's fields
// are read once: the block stores could be taken to change them.)
void copyKeyedRows(const RowsToCopy& copy, int first, int end) {
    const int width = copy.columns;
    const int lastBlock = width - PIXEL_BLOCK;
    const std::ptrdiff_t sourceStride = copy.sourceStride;
    const std::uint16_t* source = copy.source + first * sourceStride;
    std::uint16_t* target = copy.target + first * FRAME_WIDTH;
    for (int row = first; row < end; ++row, source += sourceStride, target += FRAME_WIDTH) {
        if (width < PIXEL_BLOCK) {
            for (int column = 0; column < width; ++column) {
                if (source[column] != TRANSPARENT_KEY) target[column] = source[column];
            }
            continue;
        }
        const PixelBlock lastTarget = loadBlock(target + lastBlock);
        for (int column = 0; column < lastBlock; column += PIXEL_BLOCK) {
            storeBlock(target + column, keyedBlend(loadBlock(source + column), loadBlock(target + column)));
        }
        storeBlock(target + lastBlock, keyedBlend(loadBlock(source + lastBlock), lastTarget));
    }
}

// Rows [first, end) of the copy, which hold no key. Narrow rows (tower tiles, tower buttons) end with a
// block overlapping the one before it.
void copyPlainRows(const RowsToCopy& copy, int first, int end) {
    const int width = copy.columns;
    const int lastBlock = width - PIXEL_BLOCK;
    const std::ptrdiff_t sourceStride = copy.sourceStride;
    const std::uint16_t* source = copy.source + first * sourceStride;
    std::uint16_t* target = copy.target + first * FRAME_WIDTH;
    for (int row = first; row < end; ++row, source += sourceStride, target += FRAME_WIDTH) {
        if (width < PIXEL_BLOCK || width > NARROW_ROW) {
            std::memcpy(target, source, static_cast<std::size_t>(width) * sizeof *source);
            continue;
        }
        for (int column = 0; column < lastBlock; column += PIXEL_BLOCK) storeBlock(target + column, loadBlock(source + column));
        storeBlock(target + lastBlock, loadBlock(source + lastBlock));
    }
}

// A copy from a picture holding the key in some rows: each run of rows alike, by what the table tells
// of them, copied in one go.
void copyByKeyTable(const RowsToCopy& copy, const KeyedPicture& picture) {
    const std::ptrdiff_t offset = copy.source - picture.pixels;
    const std::ptrdiff_t firstRow = offset / picture.width, column = offset % picture.width;
    const auto keyFree = [&](int row) {
        const std::ptrdiff_t pictureRow = firstRow + row;
        if (pictureRow >= picture.height) return false;
        const KeyColumns key = picture.rows[static_cast<std::size_t>(pictureRow)];
        return key.first == key.end || column + copy.columns <= key.first || column >= key.end;
    };
    for (int row = 0; row < copy.rows;) {
        const bool free = keyFree(row);
        int end = row + 1;
        while (end < copy.rows && keyFree(end) == free) ++end;
        if (free) {
            copyPlainRows(copy, row, end);
        } else {
            copyKeyedRows(copy, row, end);
        }
        row = end;
    }
}

// The copy keeps to the frame: a picture placed partly outside it loses the part outside instead of
// writing past the frame or wrapping round into the neighbouring row. Pixels from anywhere but a loaded
// picture all take the key test.
void copyKeyed(Frame& frame, const std::uint16_t* source, std::ptrdiff_t sourceStride, int x, int y, int height,
               int width) {
    std::uint16_t* const pixels = frame.BackBuffer;
    if (pixels == nullptr) return;
    const std::int64_t firstRow = std::max<std::int64_t>(0, -static_cast<std::int64_t>(y));
    const std::int64_t firstColumn = std::max<std::int64_t>(0, -static_cast<std::int64_t>(x));
    const std::int64_t endRow = std::min<std::int64_t>(height, static_cast<std::int64_t>(FRAME_HEIGHT) - y);
    const std::int64_t endColumn = std::min<std::int64_t>(width, static_cast<std::int64_t>(FRAME_WIDTH) - x);
    if (endColumn <= firstColumn || endRow <= firstRow) return;
    const RowsToCopy copy{source + firstRow * sourceStride + firstColumn, sourceStride,
                          pixels + (y + firstRow) * FRAME_WIDTH + x + firstColumn, static_cast<int>(endRow - firstRow),
                          static_cast<int>(endColumn - firstColumn)};
    const KeyedPicture* const picture = pictureHolding(copy.source, sourceStride);
    switch (picture != nullptr ? picture->keyedRows : KeyedRows::All) {
    case KeyedRows::All:
        copyKeyedRows(copy, 0, copy.rows);
        return;
    case KeyedRows::None:
        // Whole frame rows lying one after another in the picture too (a background): one block.
        if (copy.columns == FRAME_WIDTH && sourceStride == FRAME_WIDTH) {
            std::memcpy(copy.target, copy.source, static_cast<std::size_t>(copy.rows) * FRAME_WIDTH * sizeof *source);
            return;
        }
        copyPlainRows(copy, 0, copy.rows);
        return;
    case KeyedRows::Some:
        copyByKeyTable(copy, *picture);
        return;
    }
}

}  // namespace

const std::uint16_t* loadImage(int id) {
    const std::span<const std::uint8_t> bytes = platform::findResource("IMAGE", id);
    if (bytes.size() < requiredBytes(id)) return nullptr;
    if (reinterpret_cast<std::uintptr_t>(bytes.data()) % alignof(std::uint16_t) != 0) return nullptr;
    const auto* const image = reinterpret_cast<const std::uint16_t*>(bytes.data());
    for (const ImageResource& resource : IMAGE_RESOURCES) {
        if (resource.id == id) rememberKeys(image, resource.width, resource.height);
    }
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
