// The four sounds built into the program: the form the game loads them in, and clean edges and levels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "sound/sound_sample.h"

namespace {

struct GameSound {
    int id;
    double shortestSeconds;
    double longestSeconds;
};

constexpr GameSound GAME_SOUNDS[] = {
    {115, 1.5, 2.5},    // claps
    {123, 0.01, 0.08},  // buttons
    {125, 0.03, 0.25},  // remove
    {126, 0.03, 0.25},  // remove
};

constexpr std::int16_t CLIPPING_LEVEL = 32000;
constexpr double LARGEST_DC_SHARE = 0.002;  // of full scale
constexpr int EDGE_VALUES = 3;
constexpr int QUIET_EDGE = 64;

}  // namespace

TEST(GameSoundAssets, EachIsMonoSixteenBitAt11025WithAFactChunkBeforeTheData) {
    for (const GameSound& sound : GAME_SOUNDS) {
        const auto image = platform::findResource("WAVE", sound.id);
        ASSERT_GE(image.size(), 56u) << sound.id;
        EXPECT_EQ(std::memcmp(image.data() + 8, "WAVE", 4), 0) << sound.id;
        EXPECT_EQ(std::memcmp(image.data() + 36, "fact", 4), 0) << sound.id;
        EXPECT_EQ(std::memcmp(image.data() + 48, "data", 4), 0) << sound.id;
        SoundSample sample;
        ASSERT_EQ(DecodeWave(image, 11025, sample), 0) << sound.id;
        EXPECT_EQ(sample.rate, 11025u);
        EXPECT_EQ(sample.bits, 16);
        EXPECT_EQ(sample.stereo, 0);
        const double seconds = sample.frames / 11025.0;
        EXPECT_GE(seconds, sound.shortestSeconds) << sound.id;
        EXPECT_LE(seconds, sound.longestSeconds) << sound.id;
    }
}

TEST(GameSoundAssets, NoneClipsCarriesDcOrClicksAtItsEdges) {
    for (const GameSound& sound : GAME_SOUNDS) {
        SoundSample sample;
        ASSERT_EQ(DecodeWave(platform::findResource("WAVE", sound.id), 11025, sample), 0) << sound.id;
        double sum = 0;
        int peak = 0;
        for (std::int16_t value : sample.left) {
            sum += value;
            peak = std::max(peak, std::abs(static_cast<int>(value)));
        }
        EXPECT_LT(peak, CLIPPING_LEVEL) << sound.id;
        EXPECT_GT(peak, CLIPPING_LEVEL / 4) << sound.id << " is barely audible";
        EXPECT_LT(std::fabs(sum / sample.frames), LARGEST_DC_SHARE * 32768) << sound.id;
        EXPECT_EQ(sample.left.front(), 0) << sound.id;
        EXPECT_EQ(sample.left.back(), 0) << sound.id;
        for (int i = 0; i < EDGE_VALUES; ++i) {
            EXPECT_LT(std::abs(sample.left[i]), QUIET_EDGE) << sound.id;
            EXPECT_LT(std::abs(sample.left[sample.frames - 1 - i]), QUIET_EDGE) << sound.id;
        }
    }
}
