// What the game's own sounds never ask of the engine: refused formats, damaged and unusual WAV files,
// full slots, files, a device that goes away, many voices at once, and starting afresh. Conversion down
// to the output rate and the echo at every rate and width are the format goldens' (output_formats_test).
#include <gtest/gtest.h>

#include <fstream>

#include "platform/headless/headless.h"
#include "sound/sound_engine.h"
#include "sound/sound_report.h"
#include "sound/wave_image.h"
#include "support/scratch_folder.h"

using namespace wave_image;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Values = std::vector<std::int16_t>;

// Value `index` of what the output played, as a signed 8-bit or 16-bit value.
int valueAt(const Bytes& played, std::size_t index, int bits) {
    return bits == 8 ? played[index] - 128 : static_cast<std::int16_t>(played[2 * index] | played[2 * index + 1] << 8);
}

}  // namespace

TEST(SoundEngine, DamagedWavesAreRefusedWithTheirCodesAndNeverReadOutside) {
    struct Case { void (*damage)(Bytes&); std::int32_t code; };
    const Case cases[] = {
        {[](Bytes& b) { std::memcpy(b.data() + 8, "XXXX", 4); }, 0},  // the form type is not looked at
        {[](Bytes& b) { b[0] = 'r'; }, WAVE_NOT_RIFF},
        {[](Bytes& b) { std::memcpy(b.data() + 12, "LIST", 4); }, WAVE_NOT_RIFF},
        {[](Bytes& b) { b.clear(); }, WAVE_NOT_RIFF},
        {[](Bytes& b) { b[FORMAT_TAG_AT] = 3; }, WAVE_NOT_PCM},
        {[](Bytes& b) { std::memcpy(b.data() + DATA_TAG_AT, "junk", 4); }, WAVE_NO_DATA},
        {[](Bytes& b) { poke(b, RIFF_SIZE_AT, 36); }, WAVE_NO_DATA},  // the walk ends before "data"
        {[](Bytes& b) { poke(b, RIFF_SIZE_AT, 0xFFFFFFFF), poke(b, FACT_SIZE_AT, 0xFFFFFFF0u); }, WAVE_NO_DATA},
        {[](Bytes& b) { poke(b, RIFF_SIZE_AT, 0xFFFFFFFF), poke(b, FACT_SIZE_AT, 0xFFFFFFF8u); }, WAVE_NO_DATA},
        {[](Bytes& b) { b.resize(DATA_SIZE_AT + 4), poke(b, DATA_SIZE_AT, 0); }, WAVE_NO_DATA},
        {[](Bytes& b) { b[CHANNELS_AT] = 0; }, WAVE_BAD_FORMAT},
        {[](Bytes& b) { b[BITS_AT] = 4; }, WAVE_BAD_FORMAT},
        {[](Bytes& b) { b[BITS_AT] = 24; }, WAVE_BAD_FORMAT},
        {[](Bytes& b) { poke(b, DATA_SIZE_AT, 21); }, WAVE_DATA_TRUNCATED},  // one byte more than there is
        {[](Bytes& b) { poke(b, DATA_SIZE_AT, 0xFFFFFFFF); }, WAVE_DATA_TRUNCATED},
    };
    const Bytes valid = build(pcm16(Values(10, 300)));
    for (const Case& c : cases) {
        SoundEngine engine;
        Bytes image = valid;
        c.damage(image);
        EXPECT_EQ(engine.LoadSound(L"x", image), c.code) << &c - cases;
        EXPECT_EQ(engine.Status().slotNames.size(), c.code == 0 ? 1u : 0u);
    }
    // Each copy holds exactly `size` bytes, so that a read past its end is one the sanitizers see.
    SoundSample sample;
    for (std::size_t size = 0; size < valid.size(); ++size)
        EXPECT_LT(DecodeWave(Bytes(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(size)), 11025, sample), 0) << size;
    // Random damage is the fuzzer's (fuzz/fuzz_load_sound.cpp).
}

TEST(SoundEngine, StereoEightBitAndManyChannelWavesAreSplitAndWidened) {
    struct Case { std::uint16_t channels, bits; Bytes data; Values left, right; };
    const Case cases[] = {
        {2, 16, pcm16({1, -2, 3, -4}), {1, 3}, {-2, -4}},
        {1, 8, {128, 255, 0, 129}, {0, 127 * 256, -32768, 256}, {}},
        {2, 8, {128, 255, 0, 129}, {0, -32768}, {127 * 256, 256}},
        {4, 16, pcm16({10, 11, 12, 13, 20, 21, 22, 23}), {10, 20}, {}},  // more than two keep the first
    };
    for (const Case& c : cases) {
        SoundSample sample;
        // Before any output is open (rate 0) there is no rate to convert to: the values are kept as stored.
        ASSERT_EQ(DecodeWave(build(c.data, c.channels, 11025, c.bits), 0, sample), 0);
        EXPECT_EQ(sample.left, c.left) << c.channels << " x " << c.bits;
        EXPECT_EQ(sample.right, c.right) << c.channels << " x " << c.bits;
        EXPECT_EQ(sample.stereo, c.channels == 2 ? 1 : 0);
    }
}

// Sound names are wide text; paths and reports are UTF-8. Bytes that are no UTF-8 and code points that
// are no characters become U+FFFD.
TEST(SoundEngine, NamesGoBetweenUtf8AndWideTextWhole) {
    const std::wstring wide = L"a\u00E9\u20AC\U0001F600";
    const std::string utf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    EXPECT_EQ(Utf8FromWide(wide), utf8);
    EXPECT_EQ(WideFromUtf8(utf8), wide);
    EXPECT_EQ(WideFromUtf8("\xFF" "b\xC3"), L"\uFFFDb\uFFFD");
    EXPECT_EQ(Utf8FromWide({wchar_t{0xDFFF}, wchar_t{0x110000}}), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(SoundEngine, SlotsAndFilesHaveTheirLimits) {
    SoundEngine engine;
    EXPECT_FALSE(engine.PlaySound(0, 0));
    const Bytes image = build(pcm16({1, 2, 3}));
    for (int i = 0; i < SoundEngine::SLOT_COUNT; ++i) ASSERT_EQ(engine.LoadSound(std::to_wstring(i), image), i);
    EXPECT_EQ(engine.LoadSound(L"one too many", image), WAVE_NO_FREE_SLOT);
    EXPECT_FALSE(engine.PlaySound(-1, 0));
    EXPECT_FALSE(engine.PlaySound(SoundEngine::SLOT_COUNT, 0));

    const ScratchFolder scratch;
    const std::string wav = scratch.file("sound.wav"), empty = scratch.file("empty.wav");
    std::ofstream(wav, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    std::ofstream{empty};
    SoundEngine files;
    EXPECT_EQ(files.LoadSoundFile(wav), 0);
    EXPECT_EQ(Utf8FromWide(files.Status().slotNames.at(0)), wav);
    EXPECT_EQ(files.LoadSoundFile(empty), -1);
    EXPECT_EQ(files.LoadSoundFile(wav + ".missing"), -1);
    EXPECT_FALSE(files.LoadModuleFile(empty));
    EXPECT_FALSE(files.LoadModuleFile(wav + ".missing"));
    EXPECT_TRUE(files.LoadModuleFile(std::string(SPIREHOLD_SOURCE_DIR) + "/assets/music/120_spirehold.mod"));
}

TEST(SoundEngine, BadFormatsOpenNoDeviceItsVolumeIsGivenBackAndARefusedRefillEndsTheStream) {
    struct Case { std::uint8_t channels; std::uint32_t rate; std::uint8_t bits; std::int32_t code; };
    headless::reset();
    for (const Case c : {Case{3, 11025, 16, OUTPUT_BAD_CHANNELS}, Case{0, 11025, 16, OUTPUT_BAD_CHANNELS},
                         Case{2, 12000, 16, OUTPUT_BAD_RATE}, Case{2, 11025, 12, OUTPUT_BAD_BITS}}) {
        SoundEngine engine;
        EXPECT_EQ(engine.OpenOutput(c.channels, c.rate, c.bits, 0), c.code);
        EXPECT_FALSE(headless::audioFormat().open);
        EXPECT_EQ(engine.FillNextBuffer(), -1);
    }
    platform::audioSetVolume(0x12345678u);
    {
        SoundEngine engine;
        ASSERT_EQ(engine.OpenOutput(2, 11025, 16, 0), OUTPUT_OPENED);
        for (const std::uint32_t volume : {0u, 0x80u, 255u}) {
            engine.SetMasterVolume(static_cast<std::uint8_t>(volume));
            EXPECT_EQ(headless::audioVolume(), volume << 8);
        }
        headless::advance(250);
    }
    EXPECT_EQ(headless::audioVolume(), 0x12345678u);
    EXPECT_FALSE(headless::audioFormat().open);

    SoundEngine engine;
    ASSERT_EQ(engine.OpenOutput(2, 11025, 16, 0), OUTPUT_OPENED);
    headless::advance(100);
    platform::audioClose();  // the device goes away: its next write is refused
    EXPECT_EQ(engine.FillNextBuffer(), -1);
    EXPECT_FALSE(engine.Status().open);
}

// Voices share the loudness of one: each value is their sum over count x 256, cut towards zero. Near
// full scale, from one voice to more than a 32-bit sum can hold.
TEST(SoundEngine, VoicesShareTheLoudnessOfOneHoweverManyPlay) {
    // Odd and unequal, so that the divisions leave remainders of either sign's rounding to show.
    constexpr std::int16_t LOUDEST = -32768, QUIETER = -31001;
    constexpr std::int64_t FULL_EFFECTS = 255, VOLUME_ONE = 256;
    constexpr std::size_t THIRD_BUFFER_FRAME = 2 * 1102 + 5;  // after the two priming buffers
    for (const std::uint8_t bits : {8, 16}) {
        for (const std::int64_t count : {1, 2, 3, 4, 5, 7, 256, 257, 300}) {
            headless::reset();
            SoundEngine engine;
            ASSERT_EQ(engine.OpenOutput(2, 11025, bits, 0), OUTPUT_OPENED);
            const std::int32_t loudest = engine.LoadSound(L"loudest", build(pcm16(Values(2000, LOUDEST))));
            const std::int32_t quieter = engine.LoadSound(L"quieter", build(pcm16(Values(2000, QUIETER))));
            std::int64_t sum = 0;
            for (std::int64_t v = 0; v < count; ++v) {
                const std::int16_t value = v % 2 == 0 ? LOUDEST : QUIETER;
                engine.PlaySound(v % 2 == 0 ? loudest : quieter, 0);
                sum += (bits == 8 ? value >> 8 : value) * FULL_EFFECTS;
            }
            headless::advance(300);
            const Bytes& played = headless::audioPlayed();
            ASSERT_GT(played.size(), (THIRD_BUFFER_FRAME + 1) * 2 * (bits / 8));
            EXPECT_EQ(valueAt(played, 2 * THIRD_BUFFER_FRAME, bits), sum / (count * VOLUME_ONE)) << count << " voices, " << int{bits} << " bits";
        }
    }
    headless::reset();
}

// A host that starts game after game in one process must find the engine as a fresh process does.
TEST(SoundEngine, RestartReturnsEverythingToItsStartUpState) {
    headless::reset();
    SoundEngine fresh, used;
    ASSERT_EQ(used.OpenOutput(1, 22050, 8, 1), OUTPUT_OPENED);
    ASSERT_TRUE(used.LoadModuleFile(std::string(SPIREHOLD_SOURCE_DIR) + "/assets/music/120_spirehold.mod"));
    used.StartMusic(true);
    used.PauseMusic(true);
    used.SetMusicVolume(3);
    used.PlaySound(used.LoadSound(L"x", build(pcm16(Values(4000, 9)))), 2);
    headless::advance(300);
    used.Restart();
    EXPECT_EQ(soundEngineReportJson(used), soundEngineReportJson(fresh));
    headless::reset();
}
