// The game's thread and the audio thread working on one engine at the same time (run under
// ThreadSanitizer to see that every shared field is guarded).
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/headless/headless.h"
#include "sound/sound_engine.h"
#include "sound/wave_images.h"

TEST(SoundEngineThreads, ControlsRunSafelyWhileTheAudioThreadRefills) {
    headless::reset();
    {
        SoundEngine engine;
        ASSERT_EQ(engine.OpenOutput(2, 11025, 16, 0), OUTPUT_OPENED);
        const std::int32_t slot = engine.LoadSound(L"tick", MonoWave16(std::vector<std::int16_t>(300, 2000)));
        ASSERT_EQ(slot, 0);

        std::atomic<bool> audioDone{false};
        std::thread audio([&audioDone] {
            for (int i = 0; i < 100; ++i) headless::advance(100);
            audioDone = true;
        });
        int round = 0;
        do {
            if (engine.CountVoices() < 20) engine.PlaySound(slot, round % 3);
            engine.PauseMusic(round % 2 == 0);
            engine.SetEffectsVolume(static_cast<std::uint8_t>(round));
            engine.SetMusicVolume(static_cast<std::uint8_t>(255 - round % 256));
            if (round % 50 == 0) engine.LoadSound(L"more", MonoWave16(std::vector<std::int16_t>(40, -500)));
            engine.StartMusic(true);
            engine.StopMusic();
            ++round;
            std::this_thread::yield();
        } while (!audioDone);
        audio.join();

        headless::advance(500);
        EXPECT_EQ(engine.CountVoices(), 0u);
        EXPECT_TRUE(engine.deviceOpen);
        EXPECT_GT(round, 0);
    }
    headless::reset();
}
