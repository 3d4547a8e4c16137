// The browser build's resource packing: every input comes back byte for byte, the game's flat pictures
// shrink, and a damaged stream is refused without reading or writing outside its spans.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/web/resource_packing.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using web_packing::packBytes;
using web_packing::unpackBytes;

Bytes randomBytes(std::size_t count, std::uint32_t seed) {
    std::mt19937 generator(seed);
    Bytes bytes(count);
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(generator());
    return bytes;
}

// A 240 x 320 RGB565 picture of one colour with bands of another, like the game's backgrounds.
Bytes flatPicture() {
    Bytes bytes;
    for (int row = 0; row < 320; ++row) {
        for (int x = 0; x < 240; ++x) bytes.insert(bytes.end(), {0xE7, static_cast<std::uint8_t>(row % 40 < 4 ? 0x18 : 0x21)});
    }
    return bytes;
}

// Noise, then a run needing many 255 length bytes, then a repeat exactly MAX_DISTANCE back.
Bytes longRunAndFarCopy() {
    Bytes bytes = randomBytes(300, 2), block = randomBytes(64, 3);
    bytes.insert(bytes.end(), 70000, 0x55);
    bytes.insert(bytes.end(), block.begin(), block.end());
    bytes.insert(bytes.end(), web_packing::MAX_DISTANCE - block.size(), 0x11);
    bytes.insert(bytes.end(), block.begin(), block.end());
    return bytes;
}

TEST(ResourcePacking, EveryInputComesBackWholeAndFlatPicturesShrink) {
    for (const Bytes& original : {Bytes{}, Bytes{7}, Bytes{1, 2, 3}, Bytes(1000, 0xAB), flatPicture(),
                                  randomBytes(5000, 1), longRunAndFarCopy()}) {
        const Bytes packed = packBytes(original);
        Bytes unpacked(original.size());
        EXPECT_TRUE(unpackBytes(packed, unpacked) && unpacked == original) << original.size() << " bytes";
        EXPECT_LE(packed.size(), original.size() + original.size() / web_packing::MAX_LITERAL_RUN + 1);
    }
    EXPECT_LT(packBytes(flatPicture()).size(), flatPicture().size() / 50);
}

TEST(ResourcePacking, AStreamCutShortOrUnpackedToTheWrongSizeIsRefused) {
    const Bytes original = flatPicture(), packed = packBytes(original);
    for (std::size_t cut = 0; cut < packed.size(); ++cut) {
        Bytes out(original.size());
        EXPECT_FALSE(unpackBytes({packed.data(), cut}, out)) << "cut at " << cut;
    }
    for (Bytes out : {Bytes(original.size() - 1), Bytes(original.size() + 1)}) EXPECT_FALSE(unpackBytes(packed, out));
}

TEST(ResourcePacking, CopiesFromBeforeTheStartEndlessLengthsAndRandomStreamsAreRefusedInBounds) {
    Bytes out(64);
    for (const Bytes& stream : {Bytes{0x00, 'a', 0x80, 0x02, 0x00},          // 2 back, 1 written
                                Bytes{0x00, 'a', 0x80, 0x00, 0x00},          // distance 0
                                Bytes{0x00, 'a', 0xFF, 0xFF, 0xFF, 0xFF},    // a length without end
                                Bytes{0x05, 'a'}}) {                         // literals past the end
        EXPECT_FALSE(unpackBytes(stream, out));
    }
    std::mt19937 generator(5);
    for (int round = 0; round < 2000; ++round) {
        Bytes any(generator() % 256);
        unpackBytes(randomBytes(generator() % 64, static_cast<std::uint32_t>(round)), any);
    }
}

}  // namespace
