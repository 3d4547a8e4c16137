// The simulator's line protocol: the shape of every answer, bad lines that change nothing, and the
// files it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "game/game_state.h"
#include "sim/simulator.h"
#include "sim/sim_test_support.h"

namespace {

using sim_test::field;

class SimProtocol : public ::testing::Test {
protected:
    std::string send(const std::string& line) { return simulator.handle(line); }
    std::string state() { return field(send("state"), "state"); }

    sim::Simulator simulator{sim::SimulatorOptions{}};
};

TEST_F(SimProtocol, TheFirstAnswerFindsTheProgramAtItsLoopWithTheClockAtZero) {
    const std::string answer = send("state");
    EXPECT_EQ(field(answer, "ok"), "true");
    EXPECT_EQ(field(answer, "t"), "0");
    EXPECT_EQ(field(answer, "running"), "true");
    EXPECT_EQ(field(answer, "exitCode"), "");
    EXPECT_EQ(field(answer, "timers"), R"([{"id":1,"ms":16,"callback":false}])");
    EXPECT_EQ(field(answer, "messageBox"), "null");
    EXPECT_EQ(field(field(answer, "state"), "initPending"), "1");
}

TEST_F(SimProtocol, BlankLinesAndCommentsGetNoAnswer) {
    EXPECT_EQ(send(""), "");
    EXPECT_EQ(send("   \t"), "");
    EXPECT_EQ(send("# wait 1000"), "");
    EXPECT_EQ(field(send("state"), "t"), "0");
}

TEST_F(SimProtocol, EveryCommandAnswersOkWithTheClockAndTheRunningFlag) {
    const std::string frame = sim_test::scratchPath("shape.png");
    for (const std::string& line : std::vector<std::string>{"wait 20", "down 1 2", "up 1 2", "move 3 4", "tap 5 6", "key 65535", "keyup 0",
                                   "focus 0", "focus 1", "state", "frame " + frame, "display " + frame + ".raw",
                                   "resource IMAGE 103 " + frame + ".res", "audio " + frame + ".wav 10"}) {
        const std::string answer = send(line);
        EXPECT_EQ(field(answer, "ok"), "true") << line << " -> " << answer;
        EXPECT_NE(field(answer, "t"), "") << line;
        EXPECT_EQ(field(answer, "running"), "true") << line;
    }
}

TEST_F(SimProtocol, WaitMovesTheClockAndCountsFrames) {
    const std::string answer = send("wait 100");
    EXPECT_EQ(field(answer, "t"), "100");
    // Ticks at 16..96 and the present of the game's start-up.
    EXPECT_EQ(field(answer, "frames"), "7");
}

TEST_F(SimProtocol, TapIsDownWaitUpWait) {
    send("wait 100");
    const std::string answer = send("tap 200 170");
    EXPECT_EQ(field(answer, "t"), "200");
    EXPECT_NE(field(answer, "frames"), "");
}

TEST_F(SimProtocol, BadLinesAnswerWhyAndChangeNothing) {
    send("wait 100");
    const std::string before = state();
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
        EXPECT_EQ(field(answer, "running"), "true") << line;
    }
    EXPECT_EQ(state(), before);
    EXPECT_FALSE(simulator.quitRequested());
}

TEST_F(SimProtocol, StateHoldsEveryFieldOfTheGameStateWithArraysWhole) {
    send("wait 100");
    const std::string game = state();
    for (const char* name :
         {"displayProperties", "active", "BackBuffer", "backBufferSize", "initPending", "soundOn", "screen", "level",
          "maxLevel", "tutorialSeen", "recordNames", "recordTimes", "playPressed", "helpPressed", "quitPressed",
          "homePressed", "prevPressed", "solvePressed", "resetPressed", "soundPressed", "nextPressed", "cellPicked",
          "pickedCellLeft", "nameEntry", "keyHeld", "heldKey", "heldKeyX", "heldKeyY", "levelSeconds",
          "showRecordName", "statusText", "tutorialTick", "tutorialStep", "tutorialPageDone", "pointerX", "pointerY",
          "columnCount", "rowCount", "towerKindCount", "boardColumnOffset", "boardRowOffset", "selectedTower",
          "playerGrid", "solutionGrid", "viewpointClues", "viewpointLit", "boardLeft", "boardTop", "boardRight",
          "boardBottom", "hitCellLeft", "hitCellTop", "hitColumn", "hitRow", "penColour", "playBackgroundImage",
          "fontImage", "towerButtonsImage", "towerTilesImage", "homeBackgroundImage", "titleImage",
          "menuButtonsImage", "panelHighlightsImage", "recordDialogImage", "okHighlightImage", "keyHighlightImage",
          "tutorialPartsImage", "firstRemoveSample", "secondRemoveSample", "clapsSample", "buttonsSample"}) {
        EXPECT_NE(field(game, name), "") << name;
    }
    const auto countElements = [](const std::string& array) {
        return array.size() <= 2 ? 0 : 1 + std::count(array.begin(), array.end(), ',');
    };
    EXPECT_EQ(countElements(field(game, "playerGrid")), 36);
    EXPECT_EQ(countElements(field(game, "solutionGrid")), 36);
    EXPECT_EQ(countElements(field(game, "viewpointClues")), 25);
    EXPECT_EQ(countElements(field(game, "viewpointLit")), 25);
    EXPECT_EQ(countElements(field(game, "tutorialStep")), 7);
    EXPECT_EQ(countElements(field(game, "tutorialPageDone")), 4);
    EXPECT_EQ(field(game, "displayProperties"),
              R"({"width":240,"height":320,"xPitch":2,"yPitch":480,"bitsPerPixel":16,"format":160})");
    EXPECT_EQ(field(game, "BackBuffer"), "true");
}

TEST_F(SimProtocol, TextsKeepTheirSpacesAndOddBytesAreEscaped) {
    std::memcpy(gameState.recordNames[1].data(), "   ANNA", 8);
    gameState.recordTimes[2] = {'\x01', '"', '\\', '\xE9', '\0'};
    const std::string game = state();
    EXPECT_NE(field(game, "recordNames").find(R"(,"   ANNA",)"), std::string::npos);
    EXPECT_NE(field(game, "recordTimes").find(R"("\u0001\"\\\u00e9")"), std::string::npos);
}

TEST_F(SimProtocol, AFieldWithoutTerminatorIsReadNoFurtherThanItsSize) {
    gameState.statusText.fill('7');
    EXPECT_EQ(field(state(), "statusText"), "\"777777777\"");
}

TEST_F(SimProtocol, FrameIsTheBackBufferAsItStoodAtTheLastPresent) {
    EXPECT_EQ(field(send("frame " + sim_test::scratchPath("early.rgb565")), "ok"), "false");
    send("wait 100");
    const std::vector<std::uint16_t> presented(gameState.BackBuffer, gameState.BackBuffer + 76800);
    gameState.BackBuffer[0] ^= 0xFFFF;  // drawn after the present: not in the frame
    const std::string path = sim_test::scratchPath("frame.rgb565");
    const std::string answer = send("frame " + path);
    EXPECT_EQ(field(answer, "path"), "\"" + path + "\"");
    const std::vector<std::uint8_t> bytes = sim_test::readFile(path);
    ASSERT_EQ(bytes.size(), 153600u);
    for (std::size_t i = 0; i < presented.size(); ++i) {
        ASSERT_EQ(bytes[2 * i] | (bytes[2 * i + 1] << 8), presented[i]) << i;
    }
}

TEST_F(SimProtocol, FramesAlsoAsPpmAndPng) {
    send("wait 100");
    const std::string ppm = sim_test::scratchPath("frame.ppm");
    const std::string png = sim_test::scratchPath("frame.png");
    send("frame " + ppm);
    send("frame " + png);
    const std::vector<std::uint8_t> ppmBytes = sim_test::readFile(ppm);
    const std::string header = "P6\n240 320\n255\n";
    ASSERT_EQ(ppmBytes.size(), header.size() + 240 * 320 * 3);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), ppmBytes.begin()));
    const std::uint16_t first = gameState.BackBuffer[0];
    EXPECT_EQ(ppmBytes[header.size()], ((first >> 11) << 3) | ((first >> 11) >> 2));
    const std::vector<std::uint8_t> pngBytes = sim_test::readFile(png);
    ASSERT_GT(pngBytes.size(), 8u);
    EXPECT_EQ(pngBytes[1], 'P');
    EXPECT_EQ(pngBytes[2], 'N');
    EXPECT_EQ(pngBytes[3], 'G');
}

TEST_F(SimProtocol, ResourceIsWrittenAsTheGameGetsIt) {
    const std::string path = sim_test::scratchPath("resource.bin");
    const std::string answer = send("resource IMAGE 107 " + path);
    const auto expected = platform::findResource("IMAGE", 107);
    EXPECT_EQ(field(answer, "bytes"), std::to_string(expected.size()));
    const std::vector<std::uint8_t> bytes = sim_test::readFile(path);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), expected.begin(), expected.end()));
}

TEST_F(SimProtocol, AudioIsWhatTheOutputPlayedAsPcmWav) {
    send("wait 100");
    const std::string path = sim_test::scratchPath("audio.wav");
    const std::string answer = send("audio " + path + " 1000");
    EXPECT_EQ(field(answer, "t"), "1100");
    EXPECT_EQ(field(answer, "samples"), "11025");
    const std::vector<std::uint8_t> wav = sim_test::readFile(path);
    ASSERT_EQ(wav.size(), 44u + 11025 * 4);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(wav[22], 2);                 // channels
    EXPECT_EQ(wav[24] | (wav[25] << 8), 11025);
    EXPECT_EQ(wav[34], 16);                // bits
}

TEST_F(SimProtocol, CloseEndsTheLoopWithExitCodeZero) {
    send("wait 100");
    const std::string answer = send("close");
    EXPECT_EQ(field(answer, "running"), "false");
    EXPECT_EQ(field(answer, "exitCode"), "0");
    EXPECT_EQ(field(send("wait 100"), "running"), "false");
}

TEST_F(SimProtocol, QuitAnswersAndAsksToEnd) {
    EXPECT_EQ(field(send("quit"), "ok"), "true");
    EXPECT_TRUE(simulator.quitRequested());
}

TEST(SimStartup, ARunningCopyEndsTheProgramBeforeTheFirstAnswer) {
    sim::SimulatorOptions options;
    options.runningCopy = true;
    sim::Simulator simulator(options);
    const std::string answer = simulator.handle("state");
    EXPECT_EQ(field(answer, "running"), "false");
    EXPECT_EQ(field(answer, "exitCode"), "0");
    EXPECT_EQ(field(answer, "messageBox"), "null");
}

TEST(SimStartup, ADisplayOfAnotherDepthShowsTheMessageBox) {
    sim::SimulatorOptions options;
    std::string error;
    ASSERT_TRUE(sim::parseDisplayOption("240,320,3,720,24", options.display, error));
    sim::Simulator simulator(options);
    const std::string answer = simulator.handle("state");
    EXPECT_EQ(field(answer, "running"), "false");
    EXPECT_EQ(field(answer, "exitCode"), "0");
    EXPECT_EQ(field(answer, "messageBox"), R"({"text":"Full 16-bit color display is required!","caption":"Problem:"})");
}

TEST(SimStartup, DisplayMemoryIsWrittenInItsOwnLayout) {
    sim::SimulatorOptions options;
    std::string error;
    ASSERT_TRUE(sim::parseDisplayOption("240,320,-2,-480,16", options.display, error));
    sim::Simulator simulator(options);
    simulator.handle("wait 100");
    const std::string path = sim_test::scratchPath("display.raw");
    EXPECT_EQ(field(simulator.handle("display " + path), "bytes"), "153600");
    const std::vector<std::uint8_t> bytes = sim_test::readFile(path);
    ASSERT_EQ(bytes.size(), 153600u);
    // Both pitches negative: the frame's first pixel is the memory's last word.
    EXPECT_EQ(bytes[153598] | (bytes[153599] << 8), gameState.BackBuffer[0]);
    EXPECT_EQ(bytes[0] | (bytes[1] << 8), gameState.BackBuffer[76799]);
}

TEST(SimDeterminism, TheSameSeedAndCommandsGiveTheSameRun) {
    std::vector<std::string> states;
    std::vector<std::vector<std::uint8_t>> frames;
    for (int run = 0; run < 2; ++run) {
        sim::SimulatorOptions options;
        options.seed = 77;
        sim::Simulator simulator(options);
        const std::string frame = sim_test::scratchPath("determinism" + std::to_string(run) + ".rgb565");
        simulator.handle("wait 100");
        simulator.handle("tap 180 135");
        simulator.handle("wait 500");
        simulator.handle("frame " + frame);
        frames.push_back(sim_test::readFile(frame));
        // The sound engine lives as long as the process, so its slot numbers go on counting here.
        std::string game = field(simulator.handle("state"), "state");
        game.erase(game.find("\"firstRemoveSample\""));
        states.push_back(game);
    }
    EXPECT_EQ(states[0], states[1]);
    EXPECT_TRUE(frames[0] == frames[1]);
}

TEST(SimOptions, TheCommandLineIsReadWholeOrRefused) {
    sim::SimulatorOptions options;
    std::string error;
    ASSERT_TRUE(sim::parseSimulatorOptions({"--dir", "/tmp/d", "--seed", "4294967295", "--display",
                                            "320,240,-480,2,16", "--running"},
                                           options, error));
    EXPECT_EQ(options.dir, "/tmp/d");
    EXPECT_EQ(options.seed, 4294967295u);
    EXPECT_EQ(options.display.width, 320);
    EXPECT_EQ(options.display.xPitch, -480);
    EXPECT_TRUE(options.runningCopy);
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--seed"}, {"--seed", "-1"}, {"--seed", "4294967296"},
                                               {"--display", "240,320,2,480"}, {"--display", "240,320,2,480,16,0"},
                                               {"--display", "0,320,2,480,16"}, {"--display", "240,320,2,99999,16"},
                                               {"--frobnicate"}}) {
        sim::SimulatorOptions ignored;
        EXPECT_FALSE(sim::parseSimulatorOptions(bad, ignored, error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
