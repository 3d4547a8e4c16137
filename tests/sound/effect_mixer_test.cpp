// The effect mixer on its own: voices summed into a buffer the way the refill hands it over.
#include <gtest/gtest.h>

#include <cstring>

#include "sound/sound_engine.h"
#include "sound/wave_images.h"

namespace {

constexpr std::uint32_t GAME_RATE = 11025;
constexpr int STEREO_FRAMES = 1102;  // whole frames in a 4410-byte buffer

class EffectMixerTest : public ::testing::Test {
protected:
    void Configure(std::uint32_t channels, std::uint32_t bits, std::uint8_t echo = 0, std::uint32_t rate = GAME_RATE) {
        engine.mixer->Configure(channels, rate, bits, SoundEngine::BUFFERS_PER_SECOND, echo);
        const std::uint32_t length = (bits / 8 * channels * rate) / SoundEngine::BUFFERS_PER_SECOND;
        buffer = std::make_unique<StreamBuffer>(length, &engine);
    }

    std::int32_t Load(const std::vector<std::int16_t>& values) {
        return engine.LoadSound(L"test", MonoWave16(values));
    }

    std::int32_t LoadStereo(const std::vector<std::int16_t>& interleaved) {
        WaveImageSpec spec;
        spec.channels = 2;
        spec.data = Pcm16(interleaved);
        return engine.LoadSound(L"stereo", BuildWaveImage(spec));
    }

    // Mixes one buffer and returns its 16-bit values.
    std::vector<std::int16_t> Mix16() {
        engine.mixer->MixEffects(buffer->Header());
        std::vector<std::int16_t> values(buffer->Length() / 2);
        std::memcpy(values.data(), buffer->Data(), values.size() * 2);
        return values;
    }

    std::vector<std::uint8_t> Mix8() {
        engine.mixer->MixEffects(buffer->Header());
        return {buffer->Data(), buffer->Data() + buffer->Length()};
    }

    // As if the music had rendered `value` into every 16-bit value of the buffer.
    void MusicWrote16(std::int16_t value) {
        engine.music.playing = 1;
        engine.music.paused = 0;
        for (std::uint32_t i = 0; i < buffer->Length() / 2; ++i) std::memcpy(buffer->Data() + 2 * i, &value, 2);
    }

    void ClearVoices() {
        while (engine.voices) engine.voices = std::move(engine.voices->next);
    }

    SoundEngine engine;
    std::unique_ptr<StreamBuffer> buffer;
};

std::vector<std::int16_t> Constant(int count, std::int16_t value) { return std::vector<std::int16_t>(count, value); }

}  // namespace

TEST_F(EffectMixerTest, BufferSizesFollowTheOutputFormat) {
    Configure(2, 16);
    EXPECT_EQ(engine.mixer->valuesPerBuffer, 2205);
    EXPECT_EQ(engine.mixer->echoDelay, 253u);
    EXPECT_EQ(buffer->Length(), 4410u);
    Configure(1, 8);
    EXPECT_EQ(engine.mixer->valuesPerBuffer, 1102);
}

TEST_F(EffectMixerTest, SilenceWithoutMusicOrVoices) {
    Configure(2, 16);
    std::memset(buffer->Data(), 0x5A, buffer->Length());  // last time round's music
    for (std::int16_t value : Mix16()) ASSERT_EQ(value, 0);
}

TEST_F(EffectMixerTest, OneVoiceOverSilenceIsScaledBy255Over256) {
    Configure(2, 16);
    const std::pair<std::int16_t, std::int16_t> cases[] = {{256, 255}, {-256, -255}, {1000, 996}, {-1000, -996}};
    for (const auto& [stored, expected] : cases) {
        ClearVoices();
        ASSERT_TRUE(engine.PlaySound(Load(Constant(3000, stored)), 0));
        const auto values = Mix16();
        for (int i = 0; i < 2 * STEREO_FRAMES; ++i) ASSERT_EQ(values[i], expected) << "S " << stored;
        EXPECT_EQ(values[2 * STEREO_FRAMES], 0);  // the half frame the device never plays
    }
}

TEST_F(EffectMixerTest, VoicesShareTheLoudnessOfOne) {
    Configure(2, 16);
    const std::int32_t slot = Load(Constant(3000, 1000));
    engine.PlaySound(slot, 0);
    engine.PlaySound(slot, 0);
    const auto values = Mix16();
    for (int i = 0; i < 2 * STEREO_FRAMES; ++i) ASSERT_EQ(values[i], (2 * 1000 * 255) / 512);
}

TEST_F(EffectMixerTest, RepeatsPlayTheSampleBackToBackThenTheVoiceIsRemoved) {
    Configure(1, 16);
    std::vector<std::int16_t> ramp;
    for (int i = 0; i < 300; ++i) ramp.push_back(static_cast<std::int16_t>(256 * (i % 120 + 1)));
    ASSERT_TRUE(engine.PlaySound(Load(ramp), 1));
    const auto values = Mix16();
    for (int i = 0; i < 600; ++i) ASSERT_EQ(values[i], 255 * (i % 300 % 120 + 1)) << i;
    for (int i = 600; i < 1102; ++i) ASSERT_EQ(values[i], 0) << i;
    EXPECT_EQ(engine.CountVoices(), 0u);
}

TEST_F(EffectMixerTest, AVoiceEndingExactlyAtTheBufferEndIsRemoved) {
    Configure(1, 16);
    engine.PlaySound(Load(Constant(1102, 512)), 0);
    const auto values = Mix16();
    EXPECT_EQ(values[1101], 510);
    EXPECT_EQ(engine.CountVoices(), 0u);
}

TEST_F(EffectMixerTest, TheSumSaturatesAtTheSixteenBitLimits) {
    Configure(2, 16);
    engine.PlaySound(Load(Constant(3000, 32767)), 0);
    MusicWrote16(30000);
    const auto values = Mix16();
    for (int i = 0; i < 2 * STEREO_FRAMES; ++i) ASSERT_EQ(values[i], 32767);

    ClearVoices();
    engine.PlaySound(Load(Constant(3000, -32768)), 0);
    MusicWrote16(-30000);
    EXPECT_EQ(Mix16()[0], -32768);
}

TEST_F(EffectMixerTest, PlayingMusicIsKeptAndPausedMusicCleared) {
    Configure(2, 16);
    engine.PlaySound(Load(Constant(3000, 256)), 0);
    MusicWrote16(100);
    EXPECT_EQ(Mix16()[0], 355);
    MusicWrote16(100);
    engine.music.paused = 1;
    EXPECT_EQ(Mix16()[0], 255);
}

TEST_F(EffectMixerTest, TheEffectsVolumeScalesEveryVoice) {
    Configure(2, 16);
    engine.PlaySound(Load(Constant(3000, 1000)), 0);
    engine.SetEffectsVolume(128);
    EXPECT_EQ(Mix16()[0], 500);
    engine.SetEffectsVolume(0);
    EXPECT_EQ(Mix16()[0], 0);
}

TEST_F(EffectMixerTest, StereoSamplesOnStereoAndMonoOutput) {
    Configure(2, 16);
    std::vector<std::int16_t> interleaved;
    for (int f = 0; f < 2000; ++f) {
        interleaved.push_back(1000);
        interleaved.push_back(-2000);
    }
    const std::int32_t slot = LoadStereo(interleaved);
    engine.PlaySound(slot, 0);
    auto values = Mix16();
    EXPECT_EQ(values[0], 996);
    EXPECT_EQ(values[1], -1992);

    Configure(1, 16);
    ClearVoices();
    engine.PlaySound(slot, 0);
    values = Mix16();
    // ((L + R) x e) >> 2, then / 256: (-1000 x 255) >> 2 = -63750, / 256 = -249 (toward zero).
    EXPECT_EQ(values[0], -249);
    EXPECT_EQ(values[1101], -249);
}

TEST_F(EffectMixerTest, EightBitOutputMixesAroundSilenceAndSaturates) {
    Configure(2, 8);
    std::memset(buffer->Data(), 0, buffer->Length());
    auto bytes = Mix8();
    for (std::uint8_t byte : bytes) ASSERT_EQ(byte, 128);

    engine.PlaySound(Load(Constant(3000, 10 * 256)), 0);
    bytes = Mix8();
    // Every byte of the buffer is a value at 8-bit output, so all of them carry the voice.
    EXPECT_EQ(bytes[0], 128 + (10 * 255) / 256);
    EXPECT_EQ(bytes[2203], 137);

    ClearVoices();
    engine.PlaySound(Load(Constant(3000, 32767)), 0);
    engine.music.playing = 1;
    std::memset(buffer->Data(), 250, buffer->Length());
    EXPECT_EQ(Mix8()[0], 255);
    ClearVoices();
    engine.PlaySound(Load(Constant(3000, -32768)), 0);
    std::memset(buffer->Data(), 5, buffer->Length());
    EXPECT_EQ(Mix8()[0], 0);
}

TEST_F(EffectMixerTest, EchoAddsHalfTheValue252ValuesEarlierAndKeepsItsSide) {
    Configure(2, 16, 1);
    std::vector<std::int16_t> clicks(STEREO_FRAMES * 2, 0);
    clicks[0] = 25600;                           // left of frame 0
    clicks[2 * (STEREO_FRAMES - 1) + 1] = -25600;  // right of the buffer's last frame
    ASSERT_EQ(LoadStereo(clicks), 0);
    engine.PlaySound(0, 0);
    auto values = Mix16();
    EXPECT_EQ(values[0], 25500);
    EXPECT_EQ(values[252], 25500 / 2);
    EXPECT_EQ(values[253], 0);
    EXPECT_EQ(values[2203], -25500);

    // The next buffer continues the delay line across the boundary: the right-hand click comes
    // back 252 values later, again on the right.
    values = Mix16();
    const int echoed = 2203 + 252 - 2 * STEREO_FRAMES;
    EXPECT_EQ(echoed % 2, 1);
    EXPECT_EQ(values[echoed], -25500 / 2);
    EXPECT_EQ(values[echoed - 1], 0);
    for (int i = 0; i < 2 * STEREO_FRAMES; ++i) {
        if (i != echoed) {
            ASSERT_EQ(values[i], 0) << i;
        }
    }
}

TEST_F(EffectMixerTest, EchoOfTheLeftComesBackOnTheLeftAtEveryRate) {
    for (const std::uint32_t rate : {8000u, 11025u, 22050u, 44100u}) {
        Configure(2, 16, 1, rate);
        engine.PlaySound(LoadStereo({25600, 0}), 0);
        const auto values = Mix16();
        std::vector<std::size_t> echoes;
        for (std::size_t i = 1; i < values.size(); ++i) {
            if (values[i] != 0) echoes.push_back(i);
        }
        ASSERT_EQ(echoes.size(), 1u) << rate;
        EXPECT_EQ(echoes[0] % 2, 0u) << rate;
        EXPECT_EQ(values[echoes[0]], 25500 / 2) << rate;
    }
}

TEST_F(EffectMixerTest, EchoSaturatesAndIsLeftOutOnMonoOutput) {
    Configure(2, 16, 1);
    engine.PlaySound(Load(Constant(3000, 32767)), 0);
    MusicWrote16(30000);
    auto values = Mix16();
    EXPECT_EQ(values[300], 32767);

    Configure(1, 16, 1);
    ClearVoices();
    engine.PlaySound(Load(Constant(3000, 25600)), 0);
    engine.music.playing = 0;
    values = Mix16();
    EXPECT_EQ(values[0], 25500);
    EXPECT_EQ(values[252], 25500);
}
