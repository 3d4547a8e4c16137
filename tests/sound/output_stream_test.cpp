// The engine's output stream on the headless device: opening, priming, the refill cycle, volumes and
// the end of the engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/headless/headless.h"
#include "sound/sound_engine.h"
#include "sound/wave_images.h"

namespace {

constexpr std::size_t STEREO_FRAME_BYTES = 4;
constexpr std::size_t FRAMES_PER_BUFFER = 1102;  // 4410 bytes hold 1102.5 frames; the half is never played
constexpr std::size_t PLAYED_BYTES_PER_BUFFER = FRAMES_PER_BUFFER * STEREO_FRAME_BYTES;

class OutputStreamTest : public ::testing::Test {
protected:
    void SetUp() override { headless::reset(); }
    void TearDown() override { headless::reset(); }

    // The 16-bit values the device played, from `firstByte` on.
    static std::vector<std::int16_t> Played16(std::size_t firstByte = 0) {
        const auto& bytes = headless::audioPlayed();
        std::vector<std::int16_t> values((bytes.size() - std::min(firstByte, bytes.size())) / 2);
        std::memcpy(values.data(), bytes.data() + firstByte, values.size() * 2);
        return values;
    }

    static bool AllZero(const std::vector<std::uint8_t>& bytes) {
        return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
    }
};

}  // namespace

TEST_F(OutputStreamTest, BadFormatsAreRefusedWithoutOpeningTheDevice) {
    SoundEngine engine;
    EXPECT_EQ(engine.OpenOutput(3, 11025, 16, 0), OUTPUT_BAD_CHANNELS);
    EXPECT_EQ(engine.OpenOutput(0, 11025, 16, 0), OUTPUT_BAD_CHANNELS);
    EXPECT_EQ(engine.OpenOutput(2, 12000, 16, 0), OUTPUT_BAD_RATE);
    EXPECT_EQ(engine.OpenOutput(2, 11025, 12, 0), OUTPUT_BAD_BITS);
    EXPECT_FALSE(headless::audioFormat().open);
    EXPECT_FALSE(engine.deviceOpen);
    EXPECT_EQ(engine.channels, 0);
    EXPECT_EQ(engine.sampleRate, 0u);
    EXPECT_EQ(engine.buffers[0], nullptr);
    EXPECT_EQ(engine.FillNextBuffer(), -1);
}

TEST_F(OutputStreamTest, BuffersHoldATenthOfASecondBehindTheirHeader) {
    SoundEngine engine;
    ASSERT_EQ(engine.OpenOutput(2, 11025, 16, 0), OUTPUT_OPENED);
    EXPECT_TRUE(engine.deviceOpen);
    for (auto& buffer : engine.buffers) {
        platform::AudioBufferHeader* header = buffer->Header();
        EXPECT_EQ(header->length, 4410u);
        EXPECT_EQ(header->data, reinterpret_cast<std::uint8_t*>(header) + sizeof(platform::AudioBufferHeader));
        EXPECT_EQ(header->user, &engine);
        EXPECT_EQ(header->loops, 0u);
    }
    const headless::AudioFormat format = headless::audioFormat();
    EXPECT_TRUE(format.open);
    EXPECT_EQ(format.channels, 2u);
    EXPECT_EQ(format.rate, 11025u);
    EXPECT_EQ(format.bits, 16u);

    ASSERT_EQ(engine.OpenOutput(1, 8000, 8, 0), OUTPUT_OPENED);
    EXPECT_EQ(engine.buffers[0]->Length(), 800u);
    EXPECT_EQ(engine.buffers[1]->Length(), 800u);
    EXPECT_EQ(headless::audioQueued(), 2u);
}

TEST_F(OutputStreamTest, TheStreamStartsWithTwoSilentBuffersAndKeepsRunningSilently) {
    SoundEngine engine;
    ASSERT_EQ(engine.OpenOutput(2, 11025, 16, 0), OUTPUT_OPENED);
    EXPECT_EQ(headless::audioQueued(), 2u);
    EXPECT_EQ(engine.nextBuffer, 0);
    headless::advance(1000);
    EXPECT_EQ(headless::audioPlayed().size() / PLAYED_BYTES_PER_BUFFER, 10u);
    EXPECT_TRUE(AllZero(headless::audioPlayed()));
    EXPECT_EQ(headless::audioQueued(), 2u);
    EXPECT_TRUE(engine.deviceOpen);
}

TEST_F(OutputStreamTest, EachCompletionRefillsTheNextBufferInTurn) {
    SoundEngine engine;
    ASSERT_EQ(engine.OpenOutput(2, 11025, 16, 0), OUTPUT_OPENED);
    // 1102 frames take 99.95 ms, so the first completion falls in the hundredth millisecond.
    headless::advance(100);
    EXPECT_EQ(engine.nextBuffer, 1);
    headless::advance(100);
    EXPECT_EQ(engine.nextBuffer, 0);
}

TEST_F(OutputStreamTest, ASoundStartedAtOnceIsHeardAfterTheTwoPrimingBuffers) {
    SoundEngine engine;
    ASSERT_EQ(engine.OpenOutput(2, 11025, 16, 0), OUTPUT_OPENED);
    ASSERT_EQ(engine.LoadSound(L"tone", MonoWave16(std::vector<std::int16_t>(500, 1000))), 0);
    ASSERT_TRUE(engine.PlaySound(0, 0));
    headless::advance(400);
    const auto values = Played16();
    const std::size_t heard = 2 * PLAYED_BYTES_PER_BUFFER / 2;
    ASSERT_GE(values.size(), heard + 1100);
    for (std::size_t i = 0; i < heard; ++i) ASSERT_EQ(values[i], 0) << i;
    for (std::size_t i = heard; i < heard + 1000; ++i) ASSERT_EQ(values[i], 996) << i;
    for (std::size_t i = heard + 1000; i < values.size(); ++i) ASSERT_EQ(values[i], 0) << i;
    EXPECT_EQ(engine.CountVoices(), 0u);
}

// The voice count that divides a buffer still includes a voice that ended in it.
TEST_F(OutputStreamTest, ASecondSoundOutlivingTheFirstPlaysToItsEnd) {
    SoundEngine engine;
    ASSERT_EQ(engine.OpenOutput(2, 11025, 16, 0), OUTPUT_OPENED);
    const std::int32_t longer = engine.LoadSound(L"long", MonoWave16(std::vector<std::int16_t>(3000, 1000)));
    const std::int32_t shorter = engine.LoadSound(L"short", MonoWave16(std::vector<std::int16_t>(200, 1000)));
    engine.PlaySound(longer, 0);
    engine.PlaySound(shorter, 0);
    EXPECT_EQ(engine.CountVoices(), 2u);
    headless::advance(600);
    const auto values = Played16(2 * PLAYED_BYTES_PER_BUFFER);
    EXPECT_EQ(values[0], 996);                      // both: (2 x 1000 x 255) / 512
    EXPECT_EQ(values[2 * 250], 498);                // the short one ended in this buffer
    EXPECT_EQ(values[2 * FRAMES_PER_BUFFER], 996);  // the long one alone
    EXPECT_EQ(values[2 * 2999 + 1], 996);                      // its last frame
    EXPECT_EQ(values[2 * 3000], 0);
    EXPECT_EQ(engine.CountVoices(), 0u);
}

TEST_F(OutputStreamTest, TheMasterVolumeSetsTheDeviceVolumeWord) {
    SoundEngine engine;
    ASSERT_EQ(engine.OpenOutput(2, 11025, 16, 0), OUTPUT_OPENED);
    engine.SetMasterVolume(255);
    EXPECT_EQ(headless::audioVolume(), 0xFF00u);
    EXPECT_EQ(engine.GetMasterVolume(), 255);
    engine.SetMasterVolume(0);
    EXPECT_EQ(headless::audioVolume(), 0u);
    engine.SetMasterVolume(0x80);
    EXPECT_EQ(headless::audioVolume(), 0x8000u);
    engine.SetMusicVolume(7);
    engine.SetEffectsVolume(9);
    EXPECT_EQ(engine.GetMusicVolume(), 7);
    EXPECT_EQ(engine.GetEffectsVolume(), 9);
}

TEST_F(OutputStreamTest, TheEngineRestoresTheDeviceVolumeItFoundAndStopsTheStream) {
    platform::audioSetVolume(0x12345678u);
    {
        SoundEngine engine;
        ASSERT_EQ(engine.OpenOutput(2, 11025, 16, 0), OUTPUT_OPENED);
        engine.SetMasterVolume(255);
        headless::advance(250);
    }
    EXPECT_EQ(headless::audioVolume(), 0x12345678u);
    EXPECT_FALSE(headless::audioFormat().open);
    EXPECT_EQ(headless::audioQueued(), 0u);
}

TEST_F(OutputStreamTest, ReopeningReplacesTheStream) {
    SoundEngine engine;
    ASSERT_EQ(engine.OpenOutput(2, 11025, 16, 0), OUTPUT_OPENED);
    headless::advance(150);
    ASSERT_EQ(engine.OpenOutput(2, 22050, 16, 0), OUTPUT_OPENED);
    EXPECT_EQ(engine.buffers[0]->Length(), 8820u);
    EXPECT_EQ(engine.nextBuffer, 0);
    EXPECT_EQ(headless::audioQueued(), 2u);
    headless::advance(500);
    EXPECT_TRUE(engine.deviceOpen);
    EXPECT_EQ(headless::audioFormat().rate, 22050u);
}

TEST_F(OutputStreamTest, PlaySoundRefusesEmptyAndOutOfRangeSlots) {
    SoundEngine engine;
    EXPECT_FALSE(engine.PlaySound(0, 0));
    EXPECT_FALSE(engine.PlaySound(-1, 0));
    EXPECT_FALSE(engine.PlaySound(256, 0));
    ASSERT_EQ(engine.LoadSound(L"x", MonoWave16({1, 2, 3})), 0);
    EXPECT_TRUE(engine.PlaySound(0, 0));
    EXPECT_TRUE(engine.PlaySound(0, 0));
    EXPECT_EQ(engine.CountVoices(), 2u);
    // The newest voice is first in the list.
    EXPECT_EQ(engine.voices->next->prev, engine.voices.get());
}

TEST_F(OutputStreamTest, ARefusedRefillEndsTheStreamForGood) {
    SoundEngine engine;
    ASSERT_EQ(engine.OpenOutput(2, 11025, 16, 0), OUTPUT_OPENED);
    headless::advance(100);
    // The device goes away under the engine: its next write is refused.
    platform::audioClose();
    EXPECT_EQ(engine.FillNextBuffer(), -1);
    EXPECT_FALSE(engine.deviceOpen);
    EXPECT_EQ(engine.FillNextBuffer(), -1);
    // Sounds can still be started; nothing plays them.
    ASSERT_EQ(engine.LoadSound(L"x", MonoWave16({1, 2, 3})), 0);
    EXPECT_TRUE(engine.PlaySound(0, 0));
}
