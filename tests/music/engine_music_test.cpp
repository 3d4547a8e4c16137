// The game's module through the whole sound engine on the headless device, and the offline renderer
// built on the same path.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "sound/sound_engine.h"
#include "test_module.h"

namespace {

const std::string GAME_MODULE = std::string(SPIREHOLD_SOURCE_DIR) + "/assets/music/120_spirehold.mod";
const std::string MODRENDER = std::string(SPIREHOLD_BINARY_DIR) + "/spirehold-modrender";
constexpr std::uint32_t BUFFER_BYTES = 4410;
constexpr std::uint32_t BUFFER_FRAMES = 1102;
constexpr std::uint32_t FRAME_BYTES = 4;
constexpr int SECONDS_HEARD = 3;

std::string runAndCapture(const std::string& command) {
    std::string output;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[512];
        std::size_t got = 0;
        while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, got);
        pclose(pipe);
    }
    return output;
}

long long jsonNumber(const std::string& json, const std::string& key) {
    const std::size_t at = json.find("\"" + key + "\":");
    return at == std::string::npos ? -1 : std::atoll(json.c_str() + at + key.size() + 3);
}

}  // namespace

TEST(EngineMusic, WhatTheDevicePlaysIsThePlayersOwnRender) {
    headless::reset();
    ASSERT_EQ(soundEngine.OpenOutput(2, 11025, 16, 0), OUTPUT_OPENED);
    ASSERT_TRUE(soundEngine.LoadModuleFile(GAME_MODULE));
    ASSERT_TRUE(soundEngine.StartMusic(false));
    headless::advance(SECONDS_HEARD * 1000);
    soundEngine.StopMusic();
    const std::vector<std::uint8_t> played = headless::audioPlayed();

    ModulePlayer player;
    player.Configure(2, 11025, 16, 10);
    ASSERT_TRUE(player.LoadModuleFile(GAME_MODULE));
    player.StartMusic(false);
    // Two silent buffers start the stream; each buffer plays its 1102 whole frames.
    std::vector<std::uint8_t> expected(2 * BUFFER_FRAMES * FRAME_BYTES, 0);
    while (expected.size() < played.size()) {
        const music_test::RenderedBuffer b = music_test::renderBuffer(player, BUFFER_BYTES);
        expected.insert(expected.end(), b.bytes.begin(), b.bytes.begin() + BUFFER_FRAMES * FRAME_BYTES);
    }
    expected.resize(played.size());
    ASSERT_GT(played.size(), (SECONDS_HEARD - 1) * 11025u * FRAME_BYTES);
    EXPECT_TRUE(played == expected);
    EXPECT_GT(std::count_if(played.begin(), played.end(), [](std::uint8_t b) { return b != 0; }), 10000);
}

TEST(Modrender, RendersAFixedLengthAndFindsTheSongsEnd) {
    if (!std::ifstream(MODRENDER).good()) GTEST_SKIP() << "spirehold-modrender is not built";
    const std::string out = testing::TempDir() + "spirehold_modrender.wav";
    const std::string shortRun = runAndCapture("'" + MODRENDER + "' --seconds 3 '" + GAME_MODULE + "' '" + out + "'");
    EXPECT_EQ(jsonNumber(shortRun, "frames"), 3 * 11025) << shortRun;
    EXPECT_NE(shortRun.find("\"ended\":false"), std::string::npos) << shortRun;
    std::ifstream wav(out, std::ios::binary);
    std::vector<char> header(44);
    wav.read(header.data(), 44);
    EXPECT_EQ(std::string(header.data(), 4), "RIFF");
    EXPECT_EQ(std::string(header.data() + 36, 4), "data");

    const std::string fullRun = runAndCapture("'" + MODRENDER + "' '" + GAME_MODULE + "' '" + out + "'");
    ASSERT_NE(fullRun.find("\"ended\":true"), std::string::npos) << fullRun;
    // The song's last row starts after 1199 rows of 7 ticks of 220 frames; the buffer that holds that
    // start is the first silent one.
    const long long lastRowStart = 1199LL * 7 * 220;
    const long long endFrame = jsonNumber(fullRun, "endFrame");
    EXPECT_LE(endFrame, lastRowStart);
    EXPECT_GT(endFrame, lastRowStart - BUFFER_FRAMES);
    EXPECT_EQ(jsonNumber(fullRun, "frames"), endFrame);
}

TEST(EngineMusic, TheGameModuleIsBuiltInAsResource120) {
    const std::span<const std::uint8_t> image = platform::findResource("MOD", 120);
    ASSERT_FALSE(image.empty());
    ModulePlayer player;
    ASSERT_TRUE(player.LoadModule(image.data(), static_cast<std::int32_t>(image.size())));
    EXPECT_EQ(player.ChannelCount(), 8);
    EXPECT_EQ(player.SongLength(), 19);
    EXPECT_EQ(player.PatternCount(), 14);
    EXPECT_LT(image.size(), 110u * 1024);
}
