// The player's mends and its defence against damaged modules (the sanitizer builds check that nothing
// outside the image or the player's own memory is read).
#include <gtest/gtest.h>

#include "test_module.h"

using namespace music_test;

namespace {

constexpr std::uint32_t STEREO_BUFFER = 4410;  // bytes of a tenth of a second, 16-bit stereo 11025 Hz

std::int16_t value16(const std::vector<std::uint8_t>& bytes, std::size_t index) {
    return static_cast<std::int16_t>(bytes[2 * index] | bytes[2 * index + 1] << 8);
}

void playAWhile(ModulePlayer& player) {
    if (!player.StartMusic(true)) return;
    for (int i = 0; i < 40; ++i) renderBuffer(player, STEREO_BUFFER);
}

// Notes on every row third row and channel, every effect, two samples, two patterns, 8 channels.
TestModule busyModule() {
    TestModule m{"8CHN", 8, {flatSample(64, 20, 0, 64), flatSample(100, -20)}, {0, 1}};
    for (int row = 0; row < 64; row += 3)
        for (int c = 0; c < 8; ++c) m.note(row % 2, row, c, {1 + (row + c) % 2, 428 - row, (row + c) % 16, row * 3});
    return m;
}

}  // namespace

// Music that already plays is left to play on, and music started before the output reopened at another
// rate keeps its tempo (the busy module's first notes after the start, on row 6, sound in the eighth
// buffer); a module's title is its text from the first byte.
TEST(ModulePlayerMends, StartingMusicThatPlaysOrReopeningTheOutputChangesNothing) {
    ModulePlayer player, fresh, reopened;
    const std::vector<std::uint8_t> image = busyModule().build();
    ASSERT_TRUE(load(player, image) && load(fresh, image) && load(reopened, image, 2, 16, 22050));
    EXPECT_EQ(player.Title(), L"test");
    player.StartMusic(true), fresh.StartMusic(true), reopened.StartMusic(true);
    reopened.Configure(2, 11025, 16, 10);
    for (int buffer = 0; buffer < 10; ++buffer) {
        const std::vector<std::uint8_t> expected = renderBuffer(fresh, STEREO_BUFFER);
        EXPECT_EQ(renderBuffer(player, STEREO_BUFFER), expected) << buffer;
        EXPECT_EQ(renderBuffer(reopened, STEREO_BUFFER), expected) << buffer;
        EXPECT_TRUE(player.StartMusic(false));
    }
}

// A song that played to its end starts again from its top, as if it had never played.
TEST(ModulePlayerMends, MusicThatEndedStartsAgainFromTheTop) {
    constexpr int MOST_BUFFERS = 100;  // the song lasts 64 rows of 6 ticks: 77 buffers
    TestModule m{"M.K.", 4, {flatSample(64, 20, 0, 64)}};
    m.note(0, 0, 0, {1, 428, 0, 0});
    ModulePlayer player;
    ASSERT_TRUE(load(player, m.build()));
    player.StartMusic(false);
    const std::vector<std::uint8_t> first = renderBuffer(player, STEREO_BUFFER);
    for (int i = 0; i < MOST_BUFFERS && player.IsMusicPlaying(); ++i) renderBuffer(player, STEREO_BUFFER);
    ASSERT_FALSE(player.IsMusicPlaying()) << "the song did not end";
    ASSERT_TRUE(player.StartMusic(false));
    bool playsOn = false;
    EXPECT_EQ(renderBuffer(player, STEREO_BUFFER, &playsOn), first);
    EXPECT_TRUE(playsOn && player.IsMusicPlaying()) << "the second play ended in its first buffer";
}

// A loop that starts at or past its end has no length: the sample plays once, then falls silent.
TEST(ModulePlayerMends, ALoopWithoutLengthPlaysOnce) {
    for (const auto& [loopStart, loopLength] : {std::pair{8, 0}, std::pair{20, 4}}) {
        TestSample ramp{{}, 0, 64, loopStart, loopLength};
        for (int i = 0; i < 16; ++i) ramp.data.push_back(static_cast<std::int8_t>(i + 1));
        TestModule m{"M.K.", 4, {ramp}};
        m.note(0, 0, 0, {1, 428, 0, 0});
        ModulePlayer player;
        ASSERT_TRUE(load(player, m.build()));
        player.StartMusic(false);
        const std::vector<std::uint8_t> bytes = renderBuffer(player, STEREO_BUFFER);
        int sounding = 0;
        for (std::size_t frame = 0; frame < STEREO_BUFFER / 4; ++frame) sounding += value16(bytes, 2 * frame) != 0;
        EXPECT_GT(sounding, 15) << loopStart;
        EXPECT_LT(sounding, 25) << loopStart << ": 16 bytes at 8363 Hz last 21 frames";
    }
}

// Eight full channels overflow one 16-bit value in mono and the 8-bit range: limited, never wrapped. The
// lowest rate the player takes has a single sample a tick.
TEST(ModulePlayerMends, EightLoudChannelsSaturateInEveryFormat) {
    struct Case { std::uint8_t channels, bits; std::int32_t first; std::uint32_t rate = 11025; };
    TestModule m{"8CHN", 8, {flatSample(2048, 127, 0, 2048)}};
    for (int channel = 0; channel < 8; ++channel) m.note(0, 0, channel, {1, 428, 0, 0});
    for (const Case c : {Case{2, 16, 32258}, Case{1, 16, 32767}, Case{2, 8, 254}, Case{1, 8, 255}, Case{1, 16, 32767, 50}}) {
        ModulePlayer player;
        ASSERT_TRUE(load(player, m.build(), c.channels, c.bits, c.rate));
        player.StartMusic(true);
        const std::vector<std::uint8_t> bytes = renderBuffer(player, c.bits / 8u * c.channels * 1102);
        EXPECT_EQ(c.bits == 16 ? value16(bytes, 0) : bytes[0], c.first) << int{c.channels} << "x" << int{c.bits};
    }
}

// A truncated module loads what it holds; one too short for its headers loads nothing and leaves the
// module before it in place.
TEST(ModuleDamage, TruncatedAtEveryOffsetLoadsWhatItHolds) {
    const std::vector<std::uint8_t> image = busyModule().build();
    ModulePlayer earlier;
    ASSERT_TRUE(load(earlier, image));
    for (std::size_t size = 0; size <= image.size(); ++size) {
        const std::vector<std::uint8_t> part(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(size));
        ModulePlayer player;
        EXPECT_EQ(load(player, part), size >= 600) << size;
        EXPECT_FALSE(size < 600 && (load(earlier, part) || player.StartMusic(true))) << size;
        if (size % 97 == 0 || size + 1 >= image.size()) playAWhile(player);
    }
    EXPECT_EQ(earlier.Status().songLength, 2);
    EXPECT_EQ(earlier.Status().channelCount, 8);
}

// Random bytes are the fuzzer's (fuzz/fuzz_load_module.cpp); here, headers that lie on purpose.
TEST(ModuleDamage, LyingHeadersPlayWithinBounds) {
    TestModule lying{"M.K.", 4, std::vector<TestSample>(31), {255, 0, 128}};
    for (TestSample& s : lying.samples) s = {{7, 7, 7, 7}, 0, 64, 0x1000, 0xFFF0, 0xFFFF};
    lying.note(0, 0, 0, {40, 100, 0xE, 0x5F});  // a sample number beyond the 31 entries
    ModulePlayer player;
    ASSERT_TRUE(load(player, lying.build()));
    EXPECT_EQ(player.Status().songLength, 3);
    playAWhile(player);
}
