// Faults the monkey found, each kept as a test named for its cause.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "game/game_state.h"
#include "sim/simulator.h"
#include "support/scratch_folder.h"

// The stylus was handled before the first frame tick had loaded the records: HELP, seeing the tutorial
// flag still 0, saved the empty start-up state over the player's file.
TEST(MonkeyFindings, ATapBeforeTheFirstFrameLeavesTheRecordsFileAlone) {
    const ScratchFolder folder;
    std::string records = "1012";  // level 12 reached, the tutorial not yet seen, a best time on level 3
    for (int level = 1; level <= LEVEL_COUNT; ++level) records += level == 3 ? "     ANN      83" : "--------       0";
    std::ofstream(folder.file("game.dat"), std::ios::binary) << records;
    {
        sim::Simulator simulator({.dir = folder.path()});
        simulator.handle("down 238 168");  // HELP
        simulator.handle("up 238 168");
        simulator.handle("wait 100");
        EXPECT_EQ(gameState.level, 12);
        EXPECT_STREQ(gameState.recordNames[3].data(), "     ANN");
    }
    std::ifstream file(folder.file("game.dat"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()), records);
}
