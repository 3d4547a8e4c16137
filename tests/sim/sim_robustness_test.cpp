// Lines of any shape never crash the simulator or read outside what they name.
#include <gtest/gtest.h>

#include <random>

#include "sim/simulator.h"
#include "sim/sim_test_support.h"

namespace {

using sim_test::field;

TEST(SimRobustness, GarbledLinesAnswerOneLineEachAndTheGameRunsOn) {
    sim::Simulator simulator{sim::SimulatorOptions{}};
    const std::vector<std::string> words{"wait", "down", "up", "move", "tap", "key", "keyup", "focus", "close",
                                         "state", "frame", "resource", "audio", "IMAGE", "WAVE", "MOD",
                                         "0", "1", "-1", "239", "319", "320", "65535", "99999999999999999999",
                                         "1e3", "0x10", "", "\t", "#", "\xff\xfe", "/nonexistent/x.png", "\"", "\\"};
    std::mt19937 random(1234);
    for (int line = 0; line < 2000; ++line) {
        std::string text;
        const int count = static_cast<int>(random() % 5);
        for (int i = 0; i < count; ++i) {
            const std::string& word = words[random() % words.size()];
            // Nothing that takes time or ends the game; no vocabulary word names an existing resource, and no
            // frame is presented before a wait, so no line writes a file.
            if (word == "close" || word == "wait" || word == "tap" || word == "audio") continue;
            text += word + (random() % 3 == 0 ? "  " : " ");
        }
        const std::string answer = simulator.handle(text);
        if (answer.empty()) continue;
        EXPECT_EQ(answer.find('\n'), std::string::npos);
        EXPECT_NE(field(answer, "ok"), "") << text;
        EXPECT_EQ(field(answer, "running"), "true") << text;
    }
}

TEST(SimRobustness, UnusualDisplaysRunWithoutReadingOutsideTheFrame) {
    for (const char* display : {"1,1,0,0,16", "1024,1024,2,2048,16", "240,320,3,-7,16", "320,240,-480,2,16"}) {
        sim::SimulatorOptions options;
        std::string error;
        ASSERT_TRUE(sim::parseDisplayOption(display, options.display, error)) << display;
        sim::Simulator simulator(options);
        EXPECT_EQ(field(simulator.handle("wait 100"), "ok"), "true") << display;
        EXPECT_EQ(field(simulator.handle("display " + sim_test::scratchPath("odd.raw")), "ok"), "true") << display;
    }
}

// Hosts such as the soak and the fuzzer start game after game in one process; each must find the sound
// engine as a fresh program would, or the engine's 256 slots run out after a few dozen games.
TEST(SimRobustness, EveryNewGameInTheProcessLoadsItsSoundsIntoTheFirstSlots) {
    for (int game = 0; game < 70; ++game) {
        sim::Simulator simulator{sim::SimulatorOptions{}};
        simulator.handle("wait 20");
        const std::string sound = field(simulator.handle("state"), "sound");
        ASSERT_EQ(field(sound, "slots"), R"(["remove","remove","claps","buttons"])") << "game " << game;
        ASSERT_EQ(field(sound, "voices"), "0") << "game " << game;
    }
}

}  // namespace
