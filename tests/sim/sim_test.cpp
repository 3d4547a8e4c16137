// The simulator's line protocol as others rely on it: every command's answer, bad lines that answer why
// and change nothing, and the files it writes. What a command does to the game is for the trails, lines
// of any shape for the protocol's fuzzer.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "gfx/frame.h"
#include "platform/platform.h"
#include "sim/simulator.h"
#include "support/scratch_folder.h"

namespace {

// The raw text of a field of a one-line answer ("" when absent): an array without arrays in it, a string,
// or what stands up to the next comma or brace; enough for the flat answers looked at here.
std::string field(const std::string& json, const std::string& key) {
    std::smatch match;
    const std::regex pattern("\"" + key + R"(":(\[[^\]]*\]|"[^"]*"|[^,}]*))");
    return std::regex_search(json, match, pattern) ? match[1].str() : "";
}

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class SimProtocol : public ::testing::Test {
protected:
    std::string send(const std::string& line) { return simulator.handle(line); }
    const ScratchFolder scratch;
    sim::Simulator simulator{sim::SimulatorOptions{}};
};

TEST_F(SimProtocol, EveryCommandAnswersOkWithTheClockAndItsOwnFields) {
    for (const char* silent : {"", "# wait 1000"}) EXPECT_EQ(send(silent), "") << '"' << silent << '"';
    for (const auto& [line, t, extra, value] :
         std::vector<std::tuple<std::string, const char*, const char*, const char*>>{
             {"state", "0", "timers", R"([{"id":1,"ms":16,"callback":false}])"}, {"wait 100", "100", "frames", "7"},
             {"down 1 2", "100", "ok", "true"}, {"up 1 2", "100", "ok", "true"}, {"move 239 319", "100", "ok", "true"},
             {"tap 5 6", "200", "frames", "13"}, {"key 65535", "200", "ok", "true"}, {"keyup 0", "200", "ok", "true"},
             {"focus 0", "200", "ok", "true"}, {"focus 1", "200", "ok", "true"}, {"state", "200", "messageBox", "null"},
             {"frame " + scratch.file("f.png"), "200", "path", ""}, {"display " + scratch.file("d.raw"), "200", "bytes", "153600"},
             {"resource IMAGE 107 " + scratch.file("r.bin"), "200", "bytes", ""},
             {"audio " + scratch.file("a.wav") + " 1000", "1200", "samples", "11025"}, {"close", "1200", "exitCode", "0"},
             {"quit", "1200", "running", "false"}}) {
        const std::string answer = send(line);
        EXPECT_EQ(field(answer, "ok"), "true") << line << " -> " << answer;
        EXPECT_EQ(field(answer, "t"), t) << line;
        EXPECT_NE(field(answer, "running"), "") << line;
        if (*value != '\0') EXPECT_EQ(field(answer, extra), value) << line;
        else EXPECT_NE(field(answer, extra), "") << line;
    }
    EXPECT_TRUE(simulator.quitRequested());
}

TEST_F(SimProtocol, BadLinesAnswerWhyAndChangeNothing) {
    send("wait 100");
    const std::string before = send("state");
    for (const std::string line : {"jump", "WAIT 5", "wait", "wait 1 2", "wait -1", "wait 604800001", "wait 1.5",
                                   "wait 0x10", "wait +5", "down 240 0", "down 0 320", "up -1 0", "tap 1",
                                   "move a b", "key 65536", "keyup -1", "focus 2", "close now", "state all",
                                   "frame", "frame /tmp/x.bmp", "resource SOUND 115 /tmp/x", "resource WAVE 999 /tmp/x",
                                   "resource IMAGE 70000 /tmp/x", "audio /tmp/x.wav", "audio /tmp/x.wav 600001",
                                   "display /nonexistent-folder/x.raw", "quit now"}) {
        const std::string answer = send(line);
        EXPECT_EQ(field(answer, "ok"), "false") << line;
        EXPECT_NE(field(answer, "error"), "") << line;
        EXPECT_EQ(field(answer, "t"), "100") << line;
    }
    EXPECT_EQ(send("state"), before);
    EXPECT_FALSE(simulator.quitRequested());
}

TEST_F(SimProtocol, FilesHoldTheLastPresentedFrameTheResourceAndThePlayedSound) {
    EXPECT_EQ(field(send("frame " + scratch.file("early.rgb565")), "ok"), "false");  // nothing presented yet
    send("wait 100");
    const std::vector<std::uint16_t> presented(screenFrame.BackBuffer, screenFrame.BackBuffer + 76800);
    screenFrame.BackBuffer[0] ^= 0xFFFF;  // drawn after the present: not in the frame
    for (const char* name : {"f.rgb565", "f.ppm", "f.png"}) send("frame " + scratch.file(name));
    const std::vector<std::uint8_t> raw = readFile(scratch.file("f.rgb565")), ppm = readFile(scratch.file("f.ppm"));
    ASSERT_EQ(raw.size(), 153600u);
    for (std::size_t i = 0; i < presented.size(); ++i) ASSERT_EQ(raw[2 * i] | (raw[2 * i + 1] << 8), presented[i]) << i;
    const std::string header = "P6\n240 320\n255\n";
    ASSERT_EQ(ppm.size(), header.size() + 240 * 320 * 3);
    EXPECT_EQ(std::string(ppm.begin(), ppm.begin() + 15), header);
    EXPECT_EQ(ppm[header.size()], ((presented[0] >> 11) << 3) | (presented[0] >> 13));
    const std::vector<std::uint8_t> png = readFile(scratch.file("f.png"));
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    send("resource IMAGE 107 " + scratch.file("r.bin"));
    const auto resource = platform::findResource("IMAGE", 107);
    EXPECT_EQ(readFile(scratch.file("r.bin")), std::vector<std::uint8_t>(resource.begin(), resource.end()));
    send("audio " + scratch.file("a.wav") + " 1000");
    const std::vector<std::uint8_t> wav = readFile(scratch.file("a.wav"));
    ASSERT_EQ(wav.size(), 44u + 11025 * 4);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4) + std::string(wav.begin() + 8, wav.begin() + 16), "RIFFWAVEfmt ");
    EXPECT_EQ(wav[22] + (wav[24] | (wav[25] << 8)) + wav[34], 2 + 11025 + 16);  // channels, rate, bits
}

TEST(SimDisplay, DisplayMemoryIsWrittenInItsOwnLayoutAndOddLayoutsReadNothingOutside) {
    const ScratchFolder scratch;
    for (const char* display : {"1,1,0,0,16", "1024,1024,2,2048,16", "240,320,-2,-480,16", "240,320,3,-7,16"}) {
        sim::SimulatorOptions options;
        std::string error;
        ASSERT_TRUE(sim::parseDisplayOption(display, options.display, error)) << display;
        sim::Simulator simulator(options);
        simulator.handle("wait 100");
        EXPECT_EQ(field(simulator.handle("display " + scratch.file("d.raw")), "ok"), "true") << display;
        if (std::string(display) != "240,320,-2,-480,16") continue;
        const std::vector<std::uint8_t> mirrored = readFile(scratch.file("d.raw"));
        ASSERT_EQ(mirrored.size(), 153600u);  // both pitches negative: the frame's first pixel is the last word
        EXPECT_EQ(mirrored[153598] | (mirrored[153599] << 8), screenFrame.BackBuffer[0]);
        EXPECT_EQ(mirrored[0] | (mirrored[1] << 8), screenFrame.BackBuffer[76799]);
    }
}

TEST(SimOptions, TheCommandLineIsReadWholeOrRefused) {
    sim::SimulatorOptions options;
    std::string error;
    ASSERT_TRUE(sim::parseSimulatorOptions(
        {"--dir", "/tmp/d", "--seed", "4294967295", "--display", "320,240,-480,2,16", "--running"}, options, error));
    EXPECT_EQ(std::tuple(options.dir, options.seed, options.display.xPitch, options.runningCopy),
              std::tuple("/tmp/d", 4294967295u, -480, true));
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--seed"}, {"--seed", "-1"}, {"--seed", "4294967296"},
                                               {"--display", "240,320,2,480"}, {"--display", "240,320,2,480,16,0"},
                                               {"--display", "0,320,2,480,16"}, {"--display", "240,320,2,99999,16"},
                                               {"--frobnicate"}}) {
        EXPECT_FALSE(sim::parseSimulatorOptions(bad, options, error)) << bad[0];
    }
}

}  // namespace
