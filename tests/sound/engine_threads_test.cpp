// The game's thread and the audio thread working on one engine at the same time (run under
// ThreadSanitizer to see that every shared field is guarded).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <future>
#include <iterator>
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

// A module file that arrives slowly (through a pipe) is read while the audio thread holds the lock.
TEST(SoundEngineThreads, AModuleFileIsReadBeforeTheAudioLockIsTaken) {
    std::ifstream file(std::string(SPIREHOLD_SOURCE_DIR) + "/assets/music/120_spirehold.mod", std::ios::binary);
    const std::vector<char> image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::string pipe = testing::TempDir() + "slow_module_" + std::to_string(getpid()) + ".mod";
    unlink(pipe.c_str());
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    SoundEngine engine;
    auto refilling = engine.LockAudio();
    auto loaded = std::async(std::launch::async, [&engine, &pipe] { return engine.LoadModuleFile(pipe); });
    // A writer opens without waiting only once the loader has the pipe open for reading.
    int writer = -1;
    for (int tries = 0; tries < 200 && writer < 0; ++tries) {
        writer = open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer < 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_GE(writer, 0) << "the loader waited for the lock before reading";
    refilling.unlock();
    if (writer < 0) writer = open(pipe.c_str(), O_WRONLY);
    fcntl(writer, F_SETFL, 0);
    EXPECT_EQ(write(writer, image.data(), image.size()), static_cast<ssize_t>(image.size()));
    close(writer);
    EXPECT_TRUE(loaded.get());
    unlink(pipe.c_str());
}
