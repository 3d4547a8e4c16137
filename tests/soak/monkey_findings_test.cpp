// Faults the monkey found, each kept as a test named for its cause.
#include <gtest/gtest.h>

#include <string>

#include "game/game_state.h"
#include "records/records_layout.h"
#include "records/temporary_folder.h"
#include "sim/simulator.h"

namespace {

constexpr char HELP_BUTTON_TAP_X[] = "238";
constexpr char HELP_BUTTON_TAP_Y[] = "168";

// A records file of a player who has got somewhere: level 12 reached, a best time on level 3.
std::vector<std::uint8_t> playedRecords() {
    GameState state;
    state.soundOn = 1;
    state.tutorialSeen = 0;
    state.maxLevel = 12;
    for (int level = 1; level <= LEVEL_COUNT; ++level) {
        state.recordNames[static_cast<std::size_t>(level)] = {'-', '-', '-', '-', '-', '-', '-', '-', '\0'};
        state.recordTimes[static_cast<std::size_t>(level)] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', '0', '\0'};
    }
    state.recordNames[3] = {' ', ' ', ' ', ' ', ' ', 'A', 'N', 'N', '\0'};
    state.recordTimes[3] = {' ', ' ', ' ', ' ', ' ', ' ', '8', '3', '\0'};
    const records::RecordsImage image = records::formatRecords(state);
    return {image.begin(), image.end()};
}

}  // namespace

// The stylus was handled before the first frame tick had loaded the records: HELP, seeing the tutorial
// flag still 0, saved the empty start-up state over the player's file.
TEST(MonkeyFindings, ATapBeforeTheFirstFrameLeavesTheRecordsFileAlone) {
    TemporaryFolder folder;
    const std::vector<std::uint8_t> before = playedRecords();
    writeBytes(folder.file("game.dat"), before);
    sim::SimulatorOptions options;
    options.dir = folder.path();
    {
        sim::Simulator simulator(options);
        simulator.handle(std::string("down ") + HELP_BUTTON_TAP_X + " " + HELP_BUTTON_TAP_Y);
        simulator.handle(std::string("up ") + HELP_BUTTON_TAP_X + " " + HELP_BUTTON_TAP_Y);
        simulator.handle("wait 100");
        EXPECT_EQ(gameState.maxLevel, 12);
        EXPECT_EQ(gameState.level, 12);
        EXPECT_EQ(std::string(gameState.recordNames[3].data()), "     ANN");
    }
    EXPECT_EQ(readBytes(folder.file("game.dat")), before);
}
