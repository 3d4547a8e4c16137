// The browser build's resource packing: every input comes back byte for byte, the game's flat pictures
// shrink, and a damaged stream is refused without reading or writing outside its spans.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/web/resource_packing.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes roundTrip(const Bytes& original) {
    const Bytes packed = web_packing::packBytes(original);
    Bytes unpacked(original.size());
    EXPECT_TRUE(web_packing::unpackBytes(packed, unpacked));
    return unpacked;
}

Bytes randomBytes(std::size_t count, std::uint32_t seed) {
    std::mt19937 generator(seed);
    Bytes bytes(count);
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(generator());
    return bytes;
}

// A 240 x 320 RGB565 picture of one colour with a band of another, like the game's backgrounds.
Bytes flatPicture() {
    Bytes bytes;
    for (int pixel = 0; pixel < 240 * 320; ++pixel) {
        const std::uint16_t colour = pixel / 240 % 40 < 4 ? 0x18E7 : 0x2124;
        bytes.push_back(static_cast<std::uint8_t>(colour & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(colour >> 8));
    }
    return bytes;
}

TEST(ResourcePacking, EveryInputComesBackWhole) {
    for (const Bytes& original : {Bytes{}, Bytes{7}, Bytes{1, 2, 3}, Bytes(1000, 0xAB), flatPicture(),
                                  randomBytes(5000, 1)}) {
        EXPECT_EQ(roundTrip(original), original) << original.size() << " bytes";
    }
}

TEST(ResourcePacking, LongRunsUseLengthBytesAndFarCopiesReachTheLargestDistance) {
    Bytes bytes = randomBytes(300, 2);
    bytes.insert(bytes.end(), 70000, 0x55);  // a run needing many 255 length bytes
    const Bytes block = randomBytes(64, 3);
    Bytes far = block;
    far.resize(web_packing::MAX_DISTANCE, 0x11);
    far.insert(far.end(), block.begin(), block.end());  // a repeat exactly MAX_DISTANCE back
    bytes.insert(bytes.end(), far.begin(), far.end());
    EXPECT_EQ(roundTrip(bytes), bytes);
}

TEST(ResourcePacking, FlatPicturesShrinkAndNoiseBarelyGrows) {
    EXPECT_LT(web_packing::packBytes(flatPicture()).size(), flatPicture().size() / 50);
    const Bytes noise = randomBytes(20000, 4);
    EXPECT_LE(web_packing::packBytes(noise).size(), noise.size() + noise.size() / web_packing::MAX_LITERAL_RUN + 1);
}

TEST(ResourcePacking, AStreamCutShortOrUnpackedToTheWrongSizeIsRefused) {
    const Bytes original = flatPicture();
    const Bytes packed = web_packing::packBytes(original);
    for (std::size_t cut = 0; cut < packed.size(); ++cut) {
        Bytes out(original.size());
        EXPECT_FALSE(web_packing::unpackBytes({packed.data(), cut}, out)) << "cut at " << cut;
    }
    Bytes shorter(original.size() - 1);
    Bytes longer(original.size() + 1);
    EXPECT_FALSE(web_packing::unpackBytes(packed, shorter));
    EXPECT_FALSE(web_packing::unpackBytes(packed, longer));
}

TEST(ResourcePacking, CopiesFromBeforeTheStartAndEndlessLengthsAreRefused) {
    Bytes out(64);
    EXPECT_FALSE(web_packing::unpackBytes(Bytes{0x00, 'a', 0x80, 0x02, 0x00}, out));  // 2 back, 1 written
    EXPECT_FALSE(web_packing::unpackBytes(Bytes{0x00, 'a', 0x80, 0x00, 0x00}, out));  // distance 0
    EXPECT_FALSE(web_packing::unpackBytes(Bytes{0x00, 'a', 0xFF, 0xFF, 0xFF, 0xFF}, out));
    EXPECT_FALSE(web_packing::unpackBytes(Bytes{0x05, 'a'}, out));  // literals past the end
}

TEST(ResourcePacking, RandomStreamsNeverReachOutsideTheirSpans) {
    std::mt19937 generator(5);
    for (int round = 0; round < 2000; ++round) {
        const Bytes stream = randomBytes(generator() % 64, static_cast<std::uint32_t>(round));
        Bytes out(generator() % 256);
        web_packing::unpackBytes(stream, out);
    }
    SUCCEED();
}

}  // namespace
