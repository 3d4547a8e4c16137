// The game's thread driving the engine while another thread plays the stream, as the real device's
// audio callback does: run under ThreadSanitizer (scripts/sanitize.sh) to show that the module player,
// the voices, the slots and the volumes are only ever touched under the engine's lock.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <future>
#include <thread>

#include "platform/headless/headless.h"
#include "sound/sound_engine.h"
#include "sound/sound_file.h"
#include "support/scratch_folder.h"

namespace {

constexpr int MUSIC_ID = 120, CLAPS_ID = 115, BUTTONS_ID = 123;
constexpr int REFILLS = 3000;
constexpr std::uint64_t ONE_BUFFER_MS = 100, DRAIN_MS = 10000;  // longer than any sound plays, repeats and all
constexpr std::uint32_t MOST_VOICES = 24;

}  // namespace

TEST(AudioThreadStress, MusicAndSoundCommandsRaceTheRefillsSafely) {
    headless::reset();
    {
        SoundEngine engine;
        ASSERT_EQ(engine.OpenOutput(2, 11025, 16, 1), OUTPUT_OPENED);
        const auto module = platform::findResource("MOD", MUSIC_ID);
        ASSERT_TRUE(engine.LoadModule(module.data(), static_cast<std::int32_t>(module.size())));
        const std::int32_t sounds[] = {engine.LoadSound(L"claps", platform::findResource("WAVE", CLAPS_ID)),
                                       engine.LoadSound(L"buttons", platform::findResource("WAVE", BUTTONS_ID))};
        std::atomic<bool> audioDone{false};
        std::thread audio([&audioDone] {
            for (int refill = 0; refill < REFILLS; ++refill) headless::advance(ONE_BUFFER_MS);
            audioDone = true;
        });
        for (std::uint32_t round = 0; !audioDone; ++round, std::this_thread::yield()) {
            if (engine.CountVoices() < MOST_VOICES) engine.PlaySound(sounds[round % 2], round % 3);
            switch (round % 6) {
                case 0: engine.StartMusic(round % 2 == 0); break;
                case 1: engine.PauseMusic(true); break;
                case 2: engine.PauseMusic(false); break;
                case 3: engine.SetMusicVolume(static_cast<std::uint8_t>(round)); break;
                case 4: static_cast<void>(engine.Status()); break;
                default: engine.SetEffectsVolume(static_cast<std::uint8_t>(255 - round % 256)); break;
            }
            if (round % 97 == 0) engine.StopMusic();
            if (round % 50 == 0) engine.LoadSound(L"more", platform::findResource("WAVE", BUTTONS_ID));
        }
        audio.join();
        engine.StopMusic();
        headless::advance(DRAIN_MS);
        EXPECT_EQ(engine.CountVoices(), 0u);
        EXPECT_TRUE(engine.Status().open);
    }
    headless::reset();
}

// A module file that arrives slowly (through a pipe) is read while the audio thread holds the lock.
TEST(AudioThreadStress, AModuleFileIsReadBeforeTheAudioLockIsTaken) {
    const std::vector<std::uint8_t> image = ReadSoundFile(std::string(SPIREHOLD_SOURCE_DIR) + "/assets/music/120_spirehold.mod");
    const ScratchFolder scratch;
    const std::string pipe = scratch.file("slow_module.mod");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    SoundEngine engine;
    auto refilling = engine.LockAudio();
    auto loaded = std::async(std::launch::async, [&engine, &pipe] { return engine.LoadModuleFile(pipe); });
    // A writer opens without waiting only once the loader has the pipe open for reading.
    int writer = -1;
    for (int tries = 0; tries < 200 && writer < 0; ++tries, std::this_thread::sleep_for(std::chrono::milliseconds(10)))
        writer = open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
    EXPECT_GE(writer, 0) << "the loader waited for the lock before reading";
    refilling.unlock();
    if (writer < 0) writer = open(pipe.c_str(), O_WRONLY);
    fcntl(writer, F_SETFL, 0);
    EXPECT_EQ(write(writer, image.data(), image.size()), static_cast<ssize_t>(image.size()));
    close(writer);
    EXPECT_TRUE(loaded.get());
}
