// The game's own module against an independent player (openmpt123): it must load there cleanly, last
// as long, and rise and fall the same way. Skipped where openmpt123 is not installed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>

#include "sound/module_player.h"
#include "sound/sound_file.h"
#include "sound/sound_sample.h"
#include "support/scratch_folder.h"

namespace {

const std::string GAME_MODULE = std::string(SPIREHOLD_SOURCE_DIR) + "/assets/music/120_spirehold.mod";
// 50 ticks a second divide this rate exactly, so both players' ticks line up frame for frame.
constexpr std::uint32_t RATE = 22050;
constexpr std::uint32_t TICK_FRAMES = RATE / 50;
constexpr std::size_t WINDOW_FRAMES = RATE / 10;
constexpr std::int64_t MOST_TICKS = 50 * 600;

// Loudness of each tenth of a second of 16-bit stereo, left and right summed.
std::vector<double> loudness(const std::vector<std::int16_t>& left, const std::vector<std::int16_t>& right) {
    std::vector<double> windows(left.size() / WINDOW_FRAMES);
    for (std::size_t i = 0; i < windows.size() * WINDOW_FRAMES; ++i) windows[i / WINDOW_FRAMES] += std::pow(left[i] + right[i], 2.0);
    for (double& w : windows) w = std::sqrt(w / WINDOW_FRAMES);
    return windows;
}

// The player's own render, tick by tick, and the song's length in ticks up to the end of its last row.
std::vector<double> renderWithPlayer(std::int64_t& songTicks) {
    ModulePlayer player;
    player.Configure(2, RATE, 16, 50);  // one tick per buffer
    const std::vector<std::uint8_t> image = ReadSoundFile(GAME_MODULE);
    if (!player.LoadModule(image.data(), static_cast<std::int32_t>(image.size())) || !player.StartMusic(false)) return {};
    std::vector<std::uint8_t> bytes(TICK_FRAMES * 4);
    platform::AudioBufferHeader header{.data = bytes.data(), .length = static_cast<std::uint32_t>(bytes.size())};
    std::vector<std::int16_t> left, right;
    for (songTicks = 0; player.IsMusicPlaying() && songTicks < MOST_TICKS; ++songTicks) {
        player.RenderMusic(&header);
        for (std::size_t i = 0; i < bytes.size(); i += 4) {
            left.push_back(static_cast<std::int16_t>(bytes[i] | bytes[i + 1] << 8));
            right.push_back(static_cast<std::int16_t>(bytes[i + 2] | bytes[i + 3] << 8));
        }
    }
    // The call that started the last row reported the end; that row still has its ticks.
    songTicks += player.Status().speed - 1;
    return loudness(left, right);
}

double correlation(const std::vector<double>& a, const std::vector<double>& b, std::size_t n) {
    double ma = 0, mb = 0, ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < n; ++i) ma += a[i] / n, mb += b[i] / n;
    for (std::size_t i = 0; i < n; ++i) ab += (a[i] - ma) * (b[i] - mb), aa += (a[i] - ma) * (a[i] - ma), bb += (b[i] - mb) * (b[i] - mb);
    return ab / std::sqrt(aa * bb);
}

}  // namespace

TEST(GameModule, MatchesTheReferencePlayerInFormLengthAndLoudness) {
    if (std::system("command -v openmpt123 >/dev/null 2>&1") != 0) GTEST_SKIP() << "openmpt123 is not installed";
    const ScratchFolder scratch;
    const std::string copy = scratch.file("reference.mod");
    const std::vector<std::uint8_t> image = ReadSoundFile(GAME_MODULE);
    std::ofstream(copy, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    ASSERT_EQ(std::system(("openmpt123 --info '" + copy + "' >'" + copy + ".txt' 2>&1").c_str()), 0);
    const std::vector<std::uint8_t> infoBytes = ReadSoundFile(copy + ".txt");
    const std::string info(infoBytes.begin(), infoBytes.end());
    for (const char* fact : {"ProTracker MOD (8CHN)", "Channels...: 8", "Orders.....: 19", "Patterns...: 14"})
        EXPECT_NE(info.find(fact), std::string::npos) << info;
    for (const char* complaint : {"arning", "rror", "ARNING", "RROR"}) EXPECT_EQ(info.find(complaint), std::string::npos) << info;

    const std::string command = "openmpt123 --quiet --render --force --output-type wav --samplerate " + std::to_string(RATE) +
                                " --channels 2 --no-float --filter 2 --ramping 0 '" + copy + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    SoundSample reference;
    ASSERT_EQ(DecodeWave(ReadSoundFile(copy + ".wav"), 0, reference), 0);
    std::int64_t songTicks = 0;
    const std::vector<double> own = renderWithPlayer(songTicks);
    // The rendered file runs on to a whole output block; the reported duration is the song's own.
    int minutes = 0;
    double seconds = 0.0;
    const std::size_t at = info.find("Duration...: ");
    ASSERT_EQ(std::sscanf(info.c_str() + at + 13, "%d:%lf", &minutes, &seconds), 2) << info;
    EXPECT_NEAR(static_cast<double>(songTicks), (minutes * 60.0 + seconds) * 50.0, 1.0);

    const std::vector<double> theirs = loudness(reference.left, reference.right);
    const std::size_t windows = std::min(own.size(), theirs.size());
    ASSERT_GT(windows, 600u);  // a song of well over a minute
    EXPECT_GE(correlation(own, theirs, windows), 0.9);
    std::remove(copy.c_str());
    std::remove((copy + ".wav").c_str());
    std::remove((copy + ".txt").c_str());
}
