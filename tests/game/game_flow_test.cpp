// Whole games played through the simulator, as a player would: taps, keys and waiting, with the game
// state and the records file looked at between the moves.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "game/game_state.h"
#include "game/level_clock.h"
#include "sim/simulator.h"

namespace {

class GameFlow : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("spirehold-game-flow-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }

    void TearDown() override {
        simulator.reset();
        std::filesystem::remove_all(folder);
        resetGameState();
    }

    void start() {
        sim::SimulatorOptions options;
        options.dir = folder.string();
        simulator = std::make_unique<sim::Simulator>(options);
    }

    std::string send(const std::string& line) {
        const std::string answer = simulator->handle(line);
        EXPECT_NE(answer.find("\"ok\":true"), std::string::npos) << line << " -> " << answer;
        return answer;
    }

    void tap(int x, int y) { send("tap " + std::to_string(x) + " " + std::to_string(y)); }

    std::string recordsFile() const {
        std::ifstream file(folder / "game.dat", std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    static bool clockRuns() {
        for (const headless::TimerInfo& timer : headless::timers()) {
            if (timer.id == TIMER_CLOCK) return true;
        }
        return false;
    }

    // SOLVE, then the solution's own kind chosen and placed again in the board's first cell.
    // The answer placed cell by cell, as a player who worked it out would.
    void solveTheLevel() {
        for (int column = 0; column < gameState.columnCount; ++column) {
            for (int row = 0; row < gameState.rowCount; ++row) {
                tap(40 * (gameState.solutionGrid[column * GRID_SIDE + row] - 1) + 20, 240);
                tap(29 * (gameState.boardColumnOffset + column) - 20, 29 * (gameState.boardRowOffset + row) - 20);
            }
        }
    }

    void typeLetter(char letter) {
        const int key = letter - 'A', column = key % 9, row = key / 9;
        tap(44 + 17 * column + 8, 161 + 20 * row + (column % 2) * 3 + 8);
    }

    std::filesystem::path folder;
    std::unique_ptr<sim::Simulator> simulator;
};

TEST_F(GameFlow, FirstGameFromTheTutorialToTheSecondLevel) {
    start();
    send("wait 100");
    EXPECT_EQ(gameState.screen, SCREEN_HOME);
    EXPECT_EQ(gameState.level, 1);
    EXPECT_EQ(recordsFile().substr(0, 4), "10 1");

    tap(200, 130);  // the first PLAY offers the tutorial
    EXPECT_EQ(gameState.screen, SCREEN_TUTORIAL_INTRO);
    EXPECT_EQ(recordsFile().substr(0, 4), "11 1");
    tap(30, 310);  // its HOME link
    EXPECT_EQ(gameState.screen, SCREEN_HOME);

    tap(200, 130);
    EXPECT_EQ(gameState.screen, SCREEN_PLAY);
    EXPECT_TRUE(clockRuns());
    send("wait 4950");  // the tap left 50 ms on the clock
    EXPECT_EQ(gameState.levelSeconds, 5.0);

    solveTheLevel();
    ASSERT_EQ(gameState.screen, SCREEN_NEW_RECORD);  // nobody has a time on level 1 yet
    EXPECT_FALSE(clockRuns());
    const int seconds = static_cast<int>(gameState.levelSeconds);
    send("wait 5000");
    EXPECT_EQ(gameState.levelSeconds, seconds);

    for (const char letter : std::string("BOB")) typeLetter(letter);
    tap(190, 210);  // delete
    tap(120, 235);  // OK
    EXPECT_EQ(gameState.screen, SCREEN_PLAY);
    EXPECT_EQ(gameState.level, 2);
    EXPECT_EQ(gameState.maxLevel, 2);
    EXPECT_EQ(gameState.levelSeconds, 0.0);
    char expected[17];
    std::snprintf(expected, sizeof expected, "      BO%8i", seconds);
    const std::string file = recordsFile();
    EXPECT_EQ(file.substr(0, 4), "11 2");
    EXPECT_EQ(file.substr(4, 16), expected);
    EXPECT_NE(send("state").find("\"screen\":3"), std::string::npos);
}

TEST_F(GameFlow, HardwareKeysLeaveOnlyThePlayScreen) {
    std::ofstream(folder / "game.dat", std::ios::binary) << "11 4" << [] {
        std::string levels;
        for (int level = 1; level <= LEVEL_COUNT; ++level) levels += "--------       0";
        return levels;
    }();
    start();
    send("wait 100");
    send("key 13");
    EXPECT_EQ(gameState.screen, SCREEN_HOME);
    tap(200, 130);
    ASSERT_EQ(gameState.screen, SCREEN_PLAY);
    EXPECT_EQ(gameState.level, 4);
    send("wait 3000");
    const double seconds = gameState.levelSeconds;
    const auto grid = gameState.playerGrid;
    send("key 65");
    EXPECT_EQ(gameState.screen, SCREEN_HOME);
    EXPECT_FALSE(clockRuns());
    send("wait 3000");
    EXPECT_EQ(gameState.levelSeconds, seconds);
    tap(200, 130);  // PLAY carries the clock on
    send("wait 1000");
    EXPECT_EQ(gameState.levelSeconds, seconds + 1.0);
    EXPECT_EQ(gameState.playerGrid, grid);

    tap(160, 310);  // RESET
    EXPECT_EQ(gameState.levelSeconds, 0.0);
    tap(20, 310);
    tap(200, 200);  // QUIT
    EXPECT_EQ(gameState.screen, SCREEN_CREDITS);
    send("key 13");
    EXPECT_EQ(gameState.screen, SCREEN_CREDITS);
    const std::string answer = simulator->handle("tap 100 100");
    EXPECT_NE(answer.find("\"running\":false"), std::string::npos) << answer;
}

}  // namespace
