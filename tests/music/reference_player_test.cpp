// The game's own module against an independent player (openmpt123): it must load there cleanly, last
// as long, and rise and fall the same way. Skipped where openmpt123 is not installed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "sound/module_player.h"

namespace {

const std::string GAME_MODULE = std::string(SPIREHOLD_SOURCE_DIR) + "/assets/music/120_spirehold.mod";
// 50 ticks a second divide this rate exactly, so both players' ticks line up frame for frame.
constexpr std::uint32_t RATE = 22050;
constexpr std::uint32_t TICK_FRAMES = RATE / 50;
constexpr std::size_t WINDOW_FRAMES = RATE / 10;

bool haveOpenmpt() { return std::system("command -v openmpt123 >/dev/null 2>&1") == 0; }

std::string runAndCapture(const std::string& command) {
    std::string output;
    if (std::FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
        char chunk[512];
        std::size_t got = 0;
        while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, got);
        pclose(pipe);
    }
    return output;
}

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Mono frames (left + right) of a 16-bit stereo RIFF/WAVE file; empty when it is not one.
std::vector<double> readStereoWav(const std::string& path) {
    const std::vector<std::uint8_t> bytes = readFile(path);
    std::vector<double> frames;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::uint32_t size = bytes[at + 4] | bytes[at + 5] << 8 | bytes[at + 6] << 16 | bytes[at + 7] << 24;
        if (std::string(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at) + 4) == "data") {
            for (std::size_t i = at + 8; i + 4 <= at + 8 + size && i + 4 <= bytes.size(); i += 4) {
                const auto left = static_cast<std::int16_t>(bytes[i] | bytes[i + 1] << 8);
                const auto right = static_cast<std::int16_t>(bytes[i + 2] | bytes[i + 3] << 8);
                frames.push_back(static_cast<double>(left) + right);
            }
            break;
        }
        at += 8 + size + (size & 1);
    }
    return frames;
}

struct OwnRender {
    std::vector<double> frames;
    std::int64_t songTicks = 0;  // up to the end of the last row
};

OwnRender renderWithPlayer() {
    ModulePlayer player;
    player.Configure(2, RATE, 16, 50);  // one tick per buffer
    OwnRender render;
    if (!player.LoadModuleFile(GAME_MODULE) || !player.StartMusic(false)) return render;
    std::vector<std::uint8_t> bytes(TICK_FRAMES * 4);
    platform::AudioBufferHeader header;
    header.data = bytes.data();
    header.length = static_cast<std::uint32_t>(bytes.size());
    std::int64_t ticks = 0;
    while (player.IsMusicPlaying() && ticks < 50 * 600) {
        player.RenderMusic(&header);
        ++ticks;
        for (std::size_t i = 0; i < bytes.size(); i += 4)
            render.frames.push_back(static_cast<double>(static_cast<std::int16_t>(bytes[i] | bytes[i + 1] << 8)) +
                                    static_cast<std::int16_t>(bytes[i + 2] | bytes[i + 3] << 8));
    }
    // The call that started the last row reported the end; that row still has its ticks.
    render.songTicks = ticks - 1 + player.Speed();
    return render;
}

std::vector<double> loudness(const std::vector<double>& frames, std::size_t windows) {
    std::vector<double> out;
    for (std::size_t w = 0; w < windows; ++w) {
        double sum = 0.0;
        for (std::size_t i = w * WINDOW_FRAMES; i < (w + 1) * WINDOW_FRAMES && i < frames.size(); ++i)
            sum += frames[i] * frames[i];
        out.push_back(std::sqrt(sum / WINDOW_FRAMES));
    }
    return out;
}

// The song length openmpt123 reports, in seconds; negative when it reports none.
double reportedDuration(const std::string& info) {
    const std::size_t at = info.find("Duration...: ");
    int minutes = 0;
    double seconds = 0.0;
    if (at == std::string::npos || std::sscanf(info.c_str() + at + 13, "%d:%lf", &minutes, &seconds) != 2) return -1.0;
    return minutes * 60.0 + seconds;
}

double correlation(const std::vector<double>& a, const std::vector<double>& b) {
    const double n = static_cast<double>(a.size());
    double ma = 0, mb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ma += a[i] / n;
        mb += b[i] / n;
    }
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ab += (a[i] - ma) * (b[i] - mb);
        aa += (a[i] - ma) * (a[i] - ma);
        bb += (b[i] - mb) * (b[i] - mb);
    }
    return ab / std::sqrt(aa * bb);
}

}  // namespace

TEST(GameModule, LoadsInTheReferencePlayerWithoutComplaint) {
    if (!haveOpenmpt()) GTEST_SKIP() << "openmpt123 is not installed";
    const std::string info = runAndCapture("openmpt123 --info '" + GAME_MODULE + "'");
    EXPECT_NE(info.find("ProTracker MOD (8CHN)"), std::string::npos) << info;
    EXPECT_NE(info.find("Channels...: 8"), std::string::npos) << info;
    EXPECT_NE(info.find("Orders.....: 19"), std::string::npos) << info;
    EXPECT_NE(info.find("Patterns...: 14"), std::string::npos) << info;
    std::string lower = info;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(lower.find("warning"), std::string::npos) << info;
    EXPECT_EQ(lower.find("error"), std::string::npos) << info;
}

TEST(GameModule, MatchesTheReferencePlayerInLengthAndLoudness) {
    if (!haveOpenmpt()) GTEST_SKIP() << "openmpt123 is not installed";
    // Its own name, as other builds on the machine may run this test at the same time.
    const std::string copy = testing::TempDir() + "spirehold_reference_" + std::to_string(getpid()) + ".mod";
    {
        const std::vector<std::uint8_t> image = readFile(GAME_MODULE);
        ASSERT_FALSE(image.empty());
        std::ofstream(copy, std::ios::binary).write(reinterpret_cast<const char*>(image.data()),
                                                    static_cast<std::streamsize>(image.size()));
    }
    const std::string command = "openmpt123 --quiet --render --force --output-type wav --samplerate " +
                                std::to_string(RATE) + " --channels 2 --no-float --filter 2 --ramping 0 '" + copy + "'";
    ASSERT_EQ(std::system((command + " >/dev/null 2>&1").c_str()), 0) << command;
    const std::vector<double> reference = readStereoWav(copy + ".wav");
    ASSERT_FALSE(reference.empty());

    const OwnRender own = renderWithPlayer();
    ASSERT_FALSE(own.frames.empty());
    // The rendered file runs on to a whole output block; the reported duration is the song's own.
    const double referenceTicks = reportedDuration(runAndCapture("openmpt123 --info '" + copy + "'")) * 50.0;
    EXPECT_NEAR(static_cast<double>(own.songTicks), referenceTicks, 1.0);

    const std::size_t windows = std::min(own.frames.size(), reference.size()) / WINDOW_FRAMES;
    ASSERT_GT(windows, 600u);  // a song of well over a minute
    const double r = correlation(loudness(own.frames, windows), loudness(reference, windows));
    EXPECT_GE(r, 0.9);
    RecordProperty("loudness_correlation", std::to_string(r));
    std::remove(copy.c_str());
    std::remove((copy + ".wav").c_str());
}
