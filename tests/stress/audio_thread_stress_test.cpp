// The game's music and sounds driven from the game's thread while another thread plays the stream, as
// the real device's audio callback does: run under ThreadSanitizer (scripts/sanitize.sh) to show that
// the module player, the voices and the volumes are only ever touched under the engine's lock.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "sound/sound_engine.h"

namespace {

constexpr int MUSIC_ID = 120;
constexpr int CLAPS_ID = 115;
constexpr int BUTTONS_ID = 123;
constexpr int REFILLS = 3000;
constexpr std::uint64_t ONE_BUFFER_MS = 100;
constexpr std::uint32_t MOST_VOICES = 24;
constexpr std::uint64_t DRAIN_MS = 10000;  // longer than the longest sound plays, repeats and all

}  // namespace

TEST(AudioThreadStress, MusicAndSoundCommandsRaceTheRefillsSafely) {
    headless::reset();
    {
        SoundEngine engine;
        ASSERT_EQ(engine.OpenOutput(2, 11025, 16, 1), OUTPUT_OPENED);
        const auto module = platform::findResource("MOD", MUSIC_ID);
        ASSERT_TRUE(engine.LoadModule(module.data(), static_cast<std::int32_t>(module.size())));
        const std::int32_t claps = engine.LoadSound(L"claps", platform::findResource("WAVE", CLAPS_ID));
        const std::int32_t buttons = engine.LoadSound(L"buttons", platform::findResource("WAVE", BUTTONS_ID));
        ASSERT_GE(claps, 0);
        ASSERT_GE(buttons, 0);

        std::atomic<bool> audioDone{false};
        std::thread audio([&audioDone] {
            for (int refill = 0; refill < REFILLS; ++refill) headless::advance(ONE_BUFFER_MS);
            audioDone = true;
        });
        std::uint32_t round = 0;
        do {
            if (engine.CountVoices() < MOST_VOICES) engine.PlaySound(round % 2 == 0 ? buttons : claps, round % 3);
            switch (round % 5) {
                case 0: engine.StartMusic(round % 2 == 0); break;
                case 1: engine.PauseMusic(true); break;
                case 2: engine.PauseMusic(false); break;
                case 3: engine.SetMusicVolume(static_cast<std::uint8_t>(round)); break;
                default: engine.SetEffectsVolume(static_cast<std::uint8_t>(255 - round % 256)); break;
            }
            if (round % 97 == 0) engine.StopMusic();
            static_cast<void>(engine.IsMusicPlaying());
            ++round;
            std::this_thread::yield();
        } while (!audioDone);
        audio.join();

        engine.StopMusic();
        headless::advance(DRAIN_MS);
        EXPECT_EQ(engine.CountVoices(), 0u);
        EXPECT_TRUE(engine.deviceOpen);
        EXPECT_GT(round, 0u);
    }
    headless::reset();
}
