// Eight pixels handled together: one 128-bit vector, loaded and stored at any alignment. Written as a
// vector type rather than left to the auto-vectoriser, which with g++ gave a five times slower keyed
// copy at -O3 than at -O2 (and clang the reverse for a plain loop); where the target has no vectors
// the compiler splits the operations up, with the same results. The helpers are always inlined: a
// build for size (the browser's) otherwise calls them, passing every block through memory, which made
// the keyed copy ten times slower there.
#pragma once

#include <cstdint>
#include <cstring>

#include "gfx/image_table.h"

inline constexpr int PIXEL_BLOCK = 8;
using PixelBlock = std::uint16_t __attribute__((vector_size(PIXEL_BLOCK * sizeof(std::uint16_t))));

[[gnu::always_inline]] inline PixelBlock loadBlock(const std::uint16_t* pixels) {
    PixelBlock block;
    std::memcpy(&block, pixels, sizeof block);
    return block;
}

[[gnu::always_inline]] inline void storeBlock(std::uint16_t* pixels, PixelBlock block) { std::memcpy(pixels, &block, sizeof block); }

// `chosen` where the mask's bits are set, `other` elsewhere.
[[gnu::always_inline]] inline PixelBlock selectBits(PixelBlock mask, PixelBlock chosen, PixelBlock other) {
    return (chosen & mask) | (other & ~mask);
}

// A keyed copy's block: the frame pixel wherever the source holds the key, the source pixel elsewhere.
[[gnu::always_inline]] inline PixelBlock keyedBlend(PixelBlock source, PixelBlock target) {
    return selectBits(reinterpret_cast<PixelBlock>(source == TRANSPARENT_KEY), target, source);
}
