// Loading RIFF/WAVE images and files into the engine's slots.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <random>

#include "sound/sound_engine.h"
#include "sound/wave_images.h"

namespace {

constexpr std::size_t FORMAT_TAG_AT = 20;
constexpr std::size_t CHANNELS_AT = 22;
constexpr std::size_t BITS_AT = 34;
constexpr std::size_t FACT_SIZE_AT = 40;
constexpr std::size_t DATA_SIZE_AT = 52;

std::vector<std::int16_t> Ramp(int count) {
    std::vector<std::int16_t> values;
    for (int i = 0; i < count; ++i) values.push_back(static_cast<std::int16_t>(i * 7 - 300));
    return values;
}

std::vector<std::int16_t> Sine(double frequency, double rate, int count, double amplitude) {
    std::vector<std::int16_t> values;
    for (int i = 0; i < count; ++i) {
        const double angle = 2 * std::numbers::pi * frequency * i / rate;
        values.push_back(static_cast<std::int16_t>(std::lround(amplitude * std::sin(angle))));
    }
    return values;
}

double PeakOfMiddle(const std::vector<std::int16_t>& values) {
    double peak = 0;
    for (std::size_t i = values.size() / 4; i < values.size() * 3 / 4; ++i) peak = std::max(peak, std::fabs(values[i]));
    return peak;
}

// Decodes a copy of exactly `size` bytes, so that a read past the end is a heap overflow the sanitizers see.
std::int32_t DecodePrefix(const std::vector<std::uint8_t>& image, std::size_t size, std::uint32_t outputRate = 11025) {
    std::vector<std::uint8_t> copy(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(size));
    SoundSample sample;
    return DecodeWave(copy, outputRate, sample);
}

}  // namespace

TEST(WavLoader, MonoSixteenBitLoadsUnchangedIntoTheFirstSlot) {
    SoundEngine engine;
    const auto values = Ramp(500);
    EXPECT_EQ(engine.LoadSound(L"buttons", MonoWave16(values)), 0);
    const SoundSample& sample = *engine.slots[0];
    EXPECT_EQ(sample.name, L"buttons");
    EXPECT_EQ(sample.rate, 11025u);
    EXPECT_EQ(sample.bits, 16);
    EXPECT_EQ(sample.stereo, 0);
    EXPECT_EQ(sample.frames, 500u);
    EXPECT_EQ(sample.left, values);
    EXPECT_TRUE(sample.right.empty());
    EXPECT_EQ(engine.LoadSound(L"again", MonoWave16(values)), 1);
}

TEST(WavLoader, HeaderChecksReturnTheirCodes) {
    SoundEngine engine;
    WaveImageSpec spec;
    spec.data = Pcm16(Ramp(10));

    spec.form = "XXXX";  // the form type is not looked at
    EXPECT_EQ(engine.LoadSound(L"x", BuildWaveImage(spec)), 0);
    spec.form = "WAVE";

    auto image = BuildWaveImage(spec);
    image[0] = 'r';
    EXPECT_EQ(engine.LoadSound(L"x", image), WAVE_NOT_RIFF);

    image = BuildWaveImage(spec);
    std::memcpy(image.data() + 12, "LIST", 4);
    EXPECT_EQ(engine.LoadSound(L"x", image), WAVE_NOT_RIFF);

    image = BuildWaveImage(spec);
    image[FORMAT_TAG_AT] = 3;
    EXPECT_EQ(engine.LoadSound(L"x", image), WAVE_NOT_PCM);

    EXPECT_EQ(engine.LoadSound(L"x", {}), WAVE_NOT_RIFF);
    EXPECT_EQ(engine.CountVoices(), 0u);
    EXPECT_EQ(engine.slots[1], nullptr);
}

TEST(WavLoader, MissingDataChunkReturnsMinusThree) {
    SoundEngine engine;
    WaveImageSpec spec;
    spec.data = Pcm16(Ramp(10));
    auto image = BuildWaveImage(spec);
    std::memcpy(image.data() + 48, "junk", 4);
    EXPECT_EQ(engine.LoadSound(L"x", image), WAVE_NO_DATA);

    // A "data" chunk beyond the RIFF size is never reached: the walk stops at offset 12 + 36.
    image = BuildWaveImage(spec);
    Poke32(image, 4, 36);
    EXPECT_EQ(engine.LoadSound(L"x", image), WAVE_NO_DATA);

    // A chunk that claims almost 4 GB jumps the walk past the image.
    image = BuildWaveImage(spec);
    Poke32(image, 4, 0xFFFFFFFFu);
    Poke32(image, FACT_SIZE_AT, 0xFFFFFFF0u);
    EXPECT_EQ(engine.LoadSound(L"x", image), WAVE_NO_DATA);

    // A size that would wrap a 32-bit offset back onto the same chunk must not loop for ever.
    image = BuildWaveImage(spec);
    Poke32(image, 4, 0xFFFFFFFFu);
    Poke32(image, FACT_SIZE_AT, 0xFFFFFFF8u);
    EXPECT_EQ(engine.LoadSound(L"x", image), WAVE_NO_DATA);

    spec.data.clear();
    EXPECT_EQ(engine.LoadSound(L"x", BuildWaveImage(spec)), WAVE_NO_DATA);
    EXPECT_EQ(engine.slots[0], nullptr);
}

TEST(WavLoader, UnusableFormatsAndLyingSizesAreRefused) {
    SoundEngine engine;
    WaveImageSpec spec;
    spec.data = Pcm16(Ramp(10));

    auto image = BuildWaveImage(spec);
    image[CHANNELS_AT] = 0;
    EXPECT_EQ(engine.LoadSound(L"x", image), WAVE_BAD_FORMAT);

    for (std::uint8_t bits : {0, 4, 12, 24, 32}) {
        image = BuildWaveImage(spec);
        image[BITS_AT] = bits;
        EXPECT_EQ(engine.LoadSound(L"x", image), WAVE_BAD_FORMAT) << int(bits);
    }

    image = BuildWaveImage(spec);
    Poke32(image, DATA_SIZE_AT, 21);  // one byte more than the image holds
    EXPECT_EQ(engine.LoadSound(L"x", image), WAVE_DATA_TRUNCATED);
    Poke32(image, DATA_SIZE_AT, 0xFFFFFFFFu);
    EXPECT_EQ(engine.LoadSound(L"x", image), WAVE_DATA_TRUNCATED);
    EXPECT_EQ(engine.slots[0], nullptr);
}

TEST(WavLoader, EveryTruncationOfAValidImageIsRefusedWithoutReadingPastIt) {
    WaveImageSpec spec;
    spec.data = Pcm16(Ramp(40));
    const auto image = BuildWaveImage(spec);
    for (std::size_t size = 0; size < image.size(); ++size) {
        EXPECT_LT(DecodePrefix(image, size), 0) << "size " << size;
    }
    EXPECT_EQ(DecodePrefix(image, image.size()), 0);
}

TEST(WavLoader, RandomImagesNeverReadOutOfBounds) {
    std::mt19937 random(7);
    WaveImageSpec spec;
    spec.data = Pcm16(Ramp(64));
    const auto valid = BuildWaveImage(spec);
    for (int round = 0; round < 3000; ++round) {
        auto image = valid;
        image.resize(random() % (valid.size() + 16));
        const int flips = 1 + static_cast<int>(random() % 6);
        for (int k = 0; k < flips && !image.empty(); ++k) {
            image[random() % image.size()] = static_cast<std::uint8_t>(random());
        }
        SoundSample sample;
        const std::int32_t result = DecodeWave(image, 11025, sample);
        if (result == 0) {
            EXPECT_GE(sample.frames, 1u);
            EXPECT_EQ(sample.left.size(), sample.frames);
        }
    }
}

TEST(WavLoader, StereoIsSplitIntoLeftAndRight) {
    SoundEngine engine;
    WaveImageSpec spec;
    spec.channels = 2;
    std::vector<std::int16_t> interleaved;
    for (int i = 0; i < 200; ++i) interleaved.push_back(static_cast<std::int16_t>(i % 2 == 0 ? i : -i));
    spec.data = Pcm16(interleaved);
    ASSERT_EQ(spec.data.size(), 400u);
    ASSERT_EQ(engine.LoadSound(L"stereo", BuildWaveImage(spec)), 0);
    const SoundSample& sample = *engine.slots[0];
    EXPECT_EQ(sample.frames, 100u);
    EXPECT_EQ(sample.stereo, 1);
    ASSERT_EQ(sample.right.size(), 100u);
    for (int f = 0; f < 100; ++f) {
        EXPECT_EQ(sample.left[f], 2 * f);
        EXPECT_EQ(sample.right[f], -(2 * f + 1));
    }
}

TEST(WavLoader, EightBitSoundsAreWidenedAroundSilence) {
    SoundEngine engine;
    WaveImageSpec spec;
    spec.bits = 8;
    spec.data = {128, 255, 0, 129};
    ASSERT_EQ(engine.LoadSound(L"bytes", BuildWaveImage(spec)), 0);
    const SoundSample& mono = *engine.slots[0];
    EXPECT_EQ(mono.bits, 8);
    EXPECT_EQ(mono.left, (std::vector<std::int16_t>{0, 127 * 256, -32768, 256}));

    spec.channels = 2;
    ASSERT_EQ(engine.LoadSound(L"bytes", BuildWaveImage(spec)), 1);
    const SoundSample& stereo = *engine.slots[1];
    EXPECT_EQ(stereo.frames, 2u);
    EXPECT_EQ(stereo.left, (std::vector<std::int16_t>{0, -32768}));
    EXPECT_EQ(stereo.right, (std::vector<std::int16_t>{127 * 256, 256}));
}

TEST(WavLoader, MoreThanTwoChannelsKeepTheFirst) {
    SoundEngine engine;
    WaveImageSpec spec;
    spec.channels = 4;
    spec.data = Pcm16({10, 11, 12, 13, 20, 21, 22, 23});
    ASSERT_EQ(engine.LoadSound(L"quad", BuildWaveImage(spec)), 0);
    EXPECT_EQ(engine.slots[0]->stereo, 0);
    EXPECT_EQ(engine.slots[0]->left, (std::vector<std::int16_t>{10, 20}));
}

TEST(WavLoader, FasterSoundsAreConvertedDownToTheOutputRate) {
    SoundEngine engine;
    engine.sampleRate = 11025;
    ASSERT_EQ(engine.LoadSound(L"fast", MonoWave16(Ramp(1001), 22050)), 0);
    EXPECT_EQ(engine.slots[0]->frames, 11025u * 1001 / 22050 + 1);
    EXPECT_EQ(engine.slots[0]->rate, 22050u);

    ASSERT_EQ(engine.LoadSound(L"faster", MonoWave16(Ramp(999), 44100)), 1);
    EXPECT_EQ(engine.slots[1]->frames, 11025u * 999 / 44100 + 1);

    // At or below the output rate a sound is kept as it is (and plays faster than recorded).
    const auto slow = Ramp(300);
    ASSERT_EQ(engine.LoadSound(L"slow", MonoWave16(slow, 8000)), 2);
    EXPECT_EQ(engine.slots[2]->left, slow);
}

TEST(WavLoader, RateConversionKeepsThePassBandAndStopsAliases) {
    SoundEngine engine;
    engine.sampleRate = 11025;
    ASSERT_EQ(engine.LoadSound(L"low", MonoWave16(Sine(1000, 22050, 4410, 20000), 22050)), 0);
    EXPECT_NEAR(PeakOfMiddle(engine.slots[0]->left), 20000, 400);
    // 8 kHz would fold down to 3025 Hz at the new rate; the low-pass must take it out.
    ASSERT_EQ(engine.LoadSound(L"high", MonoWave16(Sine(8000, 22050, 4410, 20000), 22050)), 1);
    EXPECT_LT(PeakOfMiddle(engine.slots[1]->left), 200);
}

TEST(WavLoader, TheTwoHundredFiftySeventhLoadFindsNoSlot) {
    SoundEngine engine;
    const auto image = MonoWave16(Ramp(4));
    for (int i = 0; i < SoundEngine::SLOT_COUNT; ++i) ASSERT_EQ(engine.LoadSound(std::to_wstring(i), image), i);
    EXPECT_EQ(engine.LoadSound(L"one too many", image), WAVE_NO_FREE_SLOT);
    for (int i = 0; i < SoundEngine::SLOT_COUNT; ++i) EXPECT_EQ(engine.slots[i]->name, std::to_wstring(i));
}

TEST(WavLoader, FilesAreReadWholeAndNamedByTheirPath) {
    SoundEngine engine;
    const std::string folder = ::testing::TempDir();
    const std::string path = folder + "sound_test_tap.wav";
    const auto image = MonoWave16(Ramp(50));
    {
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    }
    EXPECT_EQ(engine.LoadSoundFile(path), 0);
    EXPECT_EQ(Utf8FromWide(engine.slots[0]->name), path);

    const std::string empty = folder + "sound_test_empty.wav";
    { std::ofstream file(empty, std::ios::binary); }
    EXPECT_EQ(engine.LoadSoundFile(empty), -1);
    EXPECT_EQ(engine.LoadSoundFile(folder + "sound_test_missing.wav"), -1);
    std::remove(path.c_str());
    std::remove(empty.c_str());
}

TEST(SoundNames, WideNamesRoundTripThroughUtf8) {
    const std::string text = "kl\xC3\xA4nge \xE2\x99\xAA \xF0\x9F\x8E\xB5";
    EXPECT_EQ(Utf8FromWide(WideFromUtf8(text)), text);
    EXPECT_EQ(WideFromUtf8("a\xFF" "b"), L"a\xFFFD" L"b");
}
