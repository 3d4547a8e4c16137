// What the trails cannot carry of the tutorial: the HOME link after any way through the pages, and the
// demonstration on a board that is not its own.
#include <gtest/gtest.h>

#include <vector>

#include "game/game_state.h"
#include "game/level_clock.h"
#include "game/tutorial.h"
#include "gfx/frame.h"
#include "gfx/images.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"

namespace {

constexpr int LINKS_Y = 310, HOME_X = 30;
constexpr int PAGE_LINK_X[] = {200, 215, 230};

class Tutorial : public ::testing::Test {
protected:
    void SetUp() override {
        headless::reset();
        resetGameState();
        screenFrame.BackBuffer = frame.data();
        for (ImageId image : {IMAGE_FONT, IMAGE_TOWER_TILES, IMAGE_TUTORIAL_PARTS})
            screenFrame.images[image] = loadImage(IMAGE_RESOURCES[image].id);
        ASSERT_TRUE(platform::createWindow("test", platform::defaultWindowProcedure));
    }
    void TearDown() override {
        stopClockTimers();
        platform::destroyWindow();
        resetGameState();
    }
    static void renderUntilTick(std::int32_t tick) {
        while (gameState.tutorialTick < tick) drawTutorialPage();
    }

    std::vector<std::uint16_t> frame = std::vector<std::uint16_t>(FRAME_PIXELS, 0);
};

// The demonstration starts the level clock; the clock once ran on into the home menu.
TEST_F(Tutorial, TheHomeLinkAlwaysStopsTheClockAndOffersTheLevelReached) {
    for (const int via : {-1, 0, 1, 2}) {
        gameState.level = 3;
        gameState.maxLevel = 9;
        gameState.screen = SCREEN_TUTORIAL_INTRO;
        tutorialNavigation(PAGE_LINK_X[1], LINKS_Y);
        if (via >= 0) tutorialNavigation(PAGE_LINK_X[via], LINKS_Y);
        tutorialNavigation(HOME_X, LINKS_Y);
        EXPECT_EQ(gameState.screen, SCREEN_HOME) << via;
        EXPECT_EQ(gameState.level, 9) << via;
        EXPECT_EQ(gameState.levelSeconds, 0.0) << via;
        for (const headless::TimerInfo& timer : headless::timers()) EXPECT_NE(timer.id, TIMER_CLOCK) << via;
    }
}

TEST_F(Tutorial, TheAnimationNeverWritesOutsideAnotherBoard) {
    // A 6 x 6 board one screen cell in, on which only the last probe falls inside.
    gameState.screen = SCREEN_TUTORIAL_PLAYING;
    gameState.board.columnCount = gameState.board.rowCount = 6;
    gameState.board.towerKindCount = 3;
    gameState.board.boardColumnOffset = gameState.board.boardRowOffset = 1;
    gameState.board.solutionGrid.fill(7);
    renderUntilTick(900);
    for (std::size_t cell = 0; cell + 1 < gameState.board.playerGrid.size(); ++cell) EXPECT_EQ(gameState.board.playerGrid[cell], 0);
    EXPECT_EQ(gameState.board.playerGrid.back(), 2);
    for (const std::int32_t cell : gameState.board.solutionGrid) EXPECT_EQ(cell, 7);
}

}  // namespace
