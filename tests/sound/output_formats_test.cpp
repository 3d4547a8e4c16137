// The game's module, two of its sounds and a stereo sound mixed through the engine in every output
// format it offers (rate x channels x bits x echo), compared with recorded hashes
// (tests/sound/formats.golden). The trails carry the game's own format; this carries the others:
// conversion down to 8000 Hz, 8-bit and mono narrowing, echo, pause, the effects and music volumes,
// and at 44100 Hz the whole song to its end.
// The recorded values were checked by the exact per-sample tests of each path that stood before them
// (voices summed and scaled, stereo sounds on mono output, saturation, 8-bit narrowing, the echo).
#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "sound/golden.h"
#include "sound/sound_engine.h"
#include "sound/wave_image.h"

namespace {

constexpr int MUSIC_ID = 120, CLAPS_ID = 115, BUTTONS_ID = 123;
constexpr std::uint64_t STEP_MS = 100, PAUSE_AT_MS = 1000, PAUSE_MS = 300, AFTER_END_MS = 300;
constexpr std::uint64_t SHORT_MS = 3000, WHOLE_SONG_MS = 180000;

PlayedSound renderMix(std::uint8_t channels, std::uint32_t rate, std::uint8_t bits, std::uint8_t echo, std::uint64_t ms) {
    headless::reset();
    SoundEngine engine;
    PlayedSound played;
    const auto advance = [&played](std::uint64_t step) {
        headless::advance(step);
        played.samples.insert(played.samples.end(), headless::audioPlayed().begin(), headless::audioPlayed().end());
        headless::clearAudioPlayed();
    };
    EXPECT_EQ(engine.OpenOutput(channels, rate, bits, echo), OUTPUT_OPENED);
    const headless::AudioFormat output = headless::audioFormat();
    played.format = {output.channels, output.rate, output.bits};
    engine.SetMusicVolume(200);
    engine.SetEffectsVolume(160);
    const auto module = platform::findResource("MOD", MUSIC_ID);
    EXPECT_TRUE(engine.LoadModule(module.data(), static_cast<std::int32_t>(module.size())));
    const std::int32_t claps = engine.LoadSound(L"claps", platform::findResource("WAVE", CLAPS_ID));
    const std::int32_t buttons = engine.LoadSound(L"buttons", platform::findResource("WAVE", BUTTONS_ID));
    // A stereo sound, unlike the game's own, with a different shape on either side.
    std::vector<std::int16_t> sides;
    for (int i = 0; i < 3000; ++i) sides.insert(sides.end(), {static_cast<std::int16_t>(i % 50 * 300), static_cast<std::int16_t>(-i % 70 * 200)});
    const std::int32_t wide = engine.LoadSound(L"wide", wave_image::build(wave_image::pcm16(sides), 2));
    engine.StartMusic(false);
    engine.PlaySound(claps, 0);
    engine.PlaySound(buttons, 2);
    advance(PAUSE_AT_MS);
    engine.PauseMusic(true);
    advance(PAUSE_MS);
    engine.PauseMusic(false);
    engine.PlaySound(buttons, 0);
    engine.PlaySound(wide, 1);
    for (std::uint64_t t = PAUSE_AT_MS + PAUSE_MS; t < ms && engine.IsMusicPlaying(); t += STEP_MS) advance(STEP_MS);
    advance(AFTER_END_MS);
    return played;
}

}  // namespace

TEST(OutputFormats, EveryFormatPlaysAsRecorded) {
    GoldenFile golden("sound/formats.golden");
    for (const std::uint32_t rate : {8000u, 11025u, 22050u, 44100u})
        for (const std::uint8_t channels : {1, 2})
            for (const std::uint8_t bits : {8, 16})
                for (const std::uint8_t echo : {0, 1}) {
                    const std::uint64_t ms = rate == 44100 && channels == 2 && bits == 16 && echo == 0 ? WHOLE_SONG_MS : SHORT_MS;
                    golden.expect(std::to_string(rate) + " Hz " + std::to_string(channels) + " ch " + std::to_string(bits) +
                                      " bit echo " + std::to_string(echo) + ", " + std::to_string(ms / 1000) + " s",
                                  renderMix(channels, rate, bits, echo, ms));
                }
    headless::reset();
}
