// The tutorial as a player meets it in the running game: opened from the home menu, tapped through
// page by page, and left into the game at the level reached.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "game/game_state.h"
#include "sim/simulator.h"

namespace {

class TutorialWalkthrough : public ::testing::Test {
protected:
    void SetUp() override {
        resetGameState();
        folder = std::filesystem::temp_directory_path() / "spirehold-tutorial-walkthrough";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        sim::SimulatorOptions options;
        options.dir = folder.string();
        simulator = std::make_unique<sim::Simulator>(options);
        send("wait 100");
    }

    void TearDown() override {
        simulator.reset();
        std::filesystem::remove_all(folder);
        resetGameState();
    }

    void send(const std::string& line) {
        const std::string answer = simulator->handle(line);
        EXPECT_NE(answer.find("\"ok\":true"), std::string::npos) << line << " -> " << answer;
    }

    void tap(int x, int y) { send("tap " + std::to_string(x) + " " + std::to_string(y)); }

    // Taps the page once per step still hidden; one more tap turns the page.
    void tapThroughPage(int steps) {
        for (int tap = 0; tap <= steps; ++tap) {
            EXPECT_EQ(gameState.tutorialPageDone[static_cast<std::size_t>(pageDoneIndex)], tap == steps ? 1 : 0);
            this->tap(120, 150);
        }
        ++pageDoneIndex;
    }

    std::filesystem::path folder;
    std::unique_ptr<sim::Simulator> simulator;
    int pageDoneIndex = 0;
};

}  // namespace

TEST_F(TutorialWalkthrough, HelpThenTapsLeadThroughEveryPageIntoTheGame) {
    tap(200, 170);  // HELP
    ASSERT_EQ(gameState.screen, SCREEN_TUTORIAL_INTRO);
    const auto recordsWritten = std::filesystem::last_write_time(folder / "game.dat");

    tapThroughPage(4);
    ASSERT_EQ(gameState.screen, SCREEN_TUTORIAL_CONTROLS);
    tapThroughPage(7);
    ASSERT_EQ(gameState.screen, SCREEN_TUTORIAL_PLAYING);
    EXPECT_EQ(gameState.columnCount, 2);
    tapThroughPage(7);
    ASSERT_EQ(gameState.screen, SCREEN_TUTORIAL_STRATEGY);
    EXPECT_EQ(gameState.playerGrid[0 * GRID_SIDE + 1], 3) << "the demonstration was played to its end";
    EXPECT_EQ(gameState.viewpointLit[8], 1);
    tapThroughPage(4);

    EXPECT_EQ(gameState.screen, SCREEN_PLAY);
    EXPECT_EQ(gameState.level, gameState.maxLevel);
    EXPECT_EQ(gameState.levelSeconds, 0.0);
    EXPECT_EQ(std::filesystem::last_write_time(folder / "game.dat"), recordsWritten);
}
