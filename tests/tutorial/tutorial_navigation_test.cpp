// Taps on the tutorial pages: hurrying a page on, turning to the next page, the footer's links, and the
// way out into the game.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "game/game_state.h"
#include "game/tutorial.h"
#include "platform/platform.h"
#include "puzzle/level_table.h"
#include "sound/sound_engine.h"
#include "tutorial_fixture.h"

namespace {

constexpr int PAGE_AREA_X = 120, PAGE_AREA_Y = 150;  // a tap on the page itself, no link
constexpr int HOME_X = 30, LINKS_Y = 310;
constexpr int PAGE_1_X = 200, PAGE_2_X = 215, PAGE_3_X = 230;

constexpr std::array<std::uint32_t, 4> TUTORIAL_PAGES_IN_ORDER{
    SCREEN_TUTORIAL_INTRO, SCREEN_TUTORIAL_CONTROLS, SCREEN_TUTORIAL_PLAYING, SCREEN_TUTORIAL_STRATEGY};

void tapPageAt(std::int32_t tick) {
    gameState.tutorialTick = tick;
    tutorialNavigation(PAGE_AREA_X, PAGE_AREA_Y);
}

// The board's own cells are empty and its viewpoints dark; cells outside it are never read.
void expectEmptyBoardAllUnlit() {
    for (int column = 0; column < gameState.columnCount; ++column) {
        for (int row = 0; row < gameState.rowCount; ++row) {
            EXPECT_EQ(gameState.playerGrid[static_cast<std::size_t>(column * GRID_SIDE + row)], 0) << column << row;
        }
    }
    const int viewpoints = 2 * (gameState.columnCount + gameState.rowCount);
    for (int k = 1; k <= viewpoints; ++k) EXPECT_EQ(gameState.viewpointLit[static_cast<std::size_t>(k)], 0) << k;
}

void expectDemonstrationBoard() {
    EXPECT_EQ(gameState.screen, SCREEN_TUTORIAL_PLAYING);
    EXPECT_EQ(gameState.tutorialTick, 0);
    for (const std::int32_t step : gameState.tutorialStep) EXPECT_EQ(step, 0);
    EXPECT_EQ(gameState.columnCount, 2);
    EXPECT_EQ(gameState.rowCount, 2);
    EXPECT_EQ(gameState.towerKindCount, 3);
    EXPECT_EQ(gameState.selectedTower, NO_TOWER);
    EXPECT_EQ(gameState.boardColumnOffset, 6);
    EXPECT_EQ(gameState.boardRowOffset, 6);
    expectEmptyBoardAllUnlit();
    const std::array<std::int32_t, 8> clues{2, 1, 2, 2, 1, 1, 1, 1};
    for (std::size_t k = 0; k < clues.size(); ++k) EXPECT_EQ(gameState.viewpointClues[k + 1], clues[k]) << k + 1;
    EXPECT_EQ(gameState.levelSeconds, 0.0);
}

// A level in the middle of being played, to see what leaving the tutorial does to it.
void leaveHalfSolvedLevel(std::int32_t level, std::int32_t maxLevel) {
    gameState.level = level;
    gameState.maxLevel = maxLevel;
    gameState.playerGrid.fill(3);
    gameState.viewpointLit.fill(1);
    gameState.levelSeconds = 42.0;
}

// The board fields that setupLevel gives `level`.
struct LevelShape {
    std::int32_t columns, rows, kinds, columnOffset, rowOffset;
};
LevelShape shapeOfLevel(std::int32_t level) {
    const GameState saved = gameState;
    setupLevel(static_cast<std::uint32_t>(level));
    const LevelShape shape{gameState.columnCount, gameState.rowCount, gameState.towerKindCount,
                           gameState.boardColumnOffset, gameState.boardRowOffset};
    gameState = saved;
    return shape;
}

void expectFreshPuzzleOfLevel(std::int32_t level) {
    const LevelShape shape = shapeOfLevel(level);
    EXPECT_EQ(gameState.level, level);
    EXPECT_EQ(gameState.columnCount, shape.columns);
    EXPECT_EQ(gameState.rowCount, shape.rows);
    EXPECT_EQ(gameState.towerKindCount, shape.kinds);
    EXPECT_EQ(gameState.boardColumnOffset, shape.columnOffset);
    EXPECT_EQ(gameState.boardRowOffset, shape.rowOffset);
    expectEmptyBoardAllUnlit();
    EXPECT_EQ(gameState.levelSeconds, 0.0);
}

}  // namespace

TEST_F(TutorialTest, ATapShowsOneFurtherStepAndNeverSkipsOne) {
    struct Hurry {
        std::uint32_t screen;
        std::int32_t tickBefore, tickAfter;
    };
    const Hurry hurries[] = {
        {SCREEN_TUTORIAL_INTRO, 0, 9},        {SCREEN_TUTORIAL_INTRO, 50, 79},
        {SCREEN_TUTORIAL_INTRO, 100, 159},    {SCREEN_TUTORIAL_INTRO, 10, 79},
        {SCREEN_TUTORIAL_INTRO, 239, 239},    {SCREEN_TUTORIAL_CONTROLS, 400, 479},
        {SCREEN_TUTORIAL_PLAYING, 365, 409},  {SCREEN_TUTORIAL_PLAYING, 869, 869},
        {SCREEN_TUTORIAL_PLAYING, 160, 359},  {SCREEN_TUTORIAL_STRATEGY, 80, 159},
    };
    for (const Hurry& hurry : hurries) {
        gameState.screen = hurry.screen;
        tapPageAt(hurry.tickBefore);
        EXPECT_EQ(gameState.tutorialTick, hurry.tickAfter) << hurry.screen << " at " << hurry.tickBefore;
        EXPECT_EQ(gameState.screen, hurry.screen);
    }
}

TEST_F(TutorialTest, ATapOnACompletedPageTurnsToTheNextPage) {
    gameState.screen = SCREEN_TUTORIAL_INTRO;
    gameState.tutorialPageDone[0] = 1;
    gameState.tutorialStep.fill(1);
    tapPageAt(240);
    EXPECT_EQ(gameState.screen, SCREEN_TUTORIAL_CONTROLS);
    EXPECT_EQ(gameState.tutorialTick, 0);
    for (const std::int32_t step : gameState.tutorialStep) EXPECT_EQ(step, 0);
    EXPECT_EQ(gameState.tutorialPageDone[0], 1);
}

TEST_F(TutorialTest, APageNotYetMarkedDoneIgnoresTapsPastItsLastStep) {
    gameState.screen = SCREEN_TUTORIAL_STRATEGY;
    tapPageAt(500);
    EXPECT_EQ(gameState.screen, SCREEN_TUTORIAL_STRATEGY);
    EXPECT_EQ(gameState.tutorialTick, 500);
}

TEST_F(TutorialTest, TheBottomBarBetweenTheLinksHurriesThePage) {
    gameState.screen = SCREEN_TUTORIAL_INTRO;
    for (const int x : {66, 120, 192}) {
        gameState.tutorialTick = 20;
        tutorialNavigation(x, LINKS_Y);
        EXPECT_EQ(gameState.screen, SCREEN_TUTORIAL_INTRO) << x;
        EXPECT_EQ(gameState.tutorialTick, 79) << x;
    }
}

TEST_F(TutorialTest, CompletedPagesFollowOneAnotherIntoTheGame) {
    leaveHalfSolvedLevel(2, 4);
    gameState.cellPicked = 1;
    gameState.screen = SCREEN_TUTORIAL_INTRO;
    gameState.tutorialPageDone.fill(1);
    tapPageAt(300);
    EXPECT_EQ(gameState.screen, SCREEN_TUTORIAL_CONTROLS);
    tapPageAt(480);
    expectDemonstrationBoard();
    tapPageAt(900);
    EXPECT_EQ(gameState.screen, SCREEN_TUTORIAL_STRATEGY);
    EXPECT_EQ(gameState.tutorialTick, 0);
    tapPageAt(240);
    EXPECT_EQ(gameState.screen, SCREEN_PLAY);
    EXPECT_EQ(gameState.cellPicked, 0);
    expectFreshPuzzleOfLevel(4);
}

TEST_F(TutorialTest, PageLinksWorkFromEveryPage) {
    struct Link {
        int x;
        std::uint32_t page;
    };
    for (const Link link : {Link{PAGE_1_X, SCREEN_TUTORIAL_CONTROLS}, Link{PAGE_3_X, SCREEN_TUTORIAL_STRATEGY},
                            Link{193, SCREEN_TUTORIAL_CONTROLS}, Link{240, SCREEN_TUTORIAL_STRATEGY}}) {
        for (const std::uint32_t from : TUTORIAL_PAGES_IN_ORDER) {
            gameState.screen = from;
            gameState.tutorialTick = 123;
            gameState.tutorialStep.fill(1);
            gameState.tutorialPageDone.fill(1);
            tutorialNavigation(link.x, LINKS_Y);
            EXPECT_EQ(gameState.screen, link.page) << from << " " << link.x;
            EXPECT_EQ(gameState.tutorialTick, 0);
            for (const std::int32_t step : gameState.tutorialStep) EXPECT_EQ(step, 0);
            for (const std::int32_t done : gameState.tutorialPageDone) EXPECT_EQ(done, 1);
        }
    }
}

TEST_F(TutorialTest, PageTwoLinkRestartsTheDemonstrationFromAnyPage) {
    for (const std::uint32_t from : TUTORIAL_PAGES_IN_ORDER) {
        gameState.screen = from;
        gameState.tutorialTick = 700;
        gameState.tutorialStep.fill(1);
        gameState.playerGrid.fill(2);
        gameState.viewpointLit.fill(1);
        gameState.viewpointClues.fill(4);
        gameState.levelSeconds = 12.0;
        tutorialNavigation(PAGE_2_X, LINKS_Y);
        SCOPED_TRACE(from);
        expectDemonstrationBoard();
    }
}

TEST_F(TutorialTest, HomeLinkRegeneratesTheReachedLevel) {
    for (const std::uint32_t from : TUTORIAL_PAGES_IN_ORDER) {
        leaveHalfSolvedLevel(3, 9);
        gameState.screen = from;
        tutorialNavigation(HOME_X, LINKS_Y);
        SCOPED_TRACE(from);
        EXPECT_EQ(gameState.screen, SCREEN_HOME);
        expectFreshPuzzleOfLevel(9);
    }
}

TEST_F(TutorialTest, ThePlayingPagesHomeLinkStopsTheClock) {
    gameState.maxLevel = 1;
    gameState.screen = SCREEN_TUTORIAL_INTRO;
    tutorialNavigation(PAGE_2_X, LINKS_Y);
    EXPECT_TRUE(clockTimersRun());
    tutorialNavigation(HOME_X, LINKS_Y);
    EXPECT_EQ(clockTimersRunning(), 0);
}

TEST_F(TutorialTest, TheClockLeftRunningByAPageLinkStopsAtTheHomeMenu) {
    gameState.maxLevel = 1;
    openPage(SCREEN_TUTORIAL_PLAYING);
    tutorialNavigation(PAGE_3_X, LINKS_Y);
    EXPECT_TRUE(clockTimersRun());
    tutorialNavigation(PAGE_1_X, LINKS_Y);
    EXPECT_TRUE(clockTimersRun());
    tutorialNavigation(HOME_X, LINKS_Y);
    EXPECT_EQ(gameState.screen, SCREEN_HOME);
    EXPECT_EQ(clockTimersRunning(), 0);
}

TEST_F(TutorialTest, TheEndOfTheTutorialStartsTheClock) {
    gameState.maxLevel = 12;
    gameState.screen = SCREEN_TUTORIAL_STRATEGY;
    gameState.tutorialPageDone[3] = 1;
    EXPECT_EQ(clockTimersRunning(), 0);
    tapPageAt(240);
    EXPECT_EQ(gameState.screen, SCREEN_PLAY);
    EXPECT_TRUE(clockTimersRun());
}

TEST_F(TutorialTest, TapsOnOtherScreensAreNotTheTutorials) {
    const std::array<std::uint32_t, 6> otherScreens{SCREEN_HOME, SCREEN_PLAY, SCREEN_LEVEL_COMPLETE, 2, 7, 12};
    for (const std::uint32_t screen : otherScreens) {
        gameState.screen = screen;
        gameState.tutorialTick = 5;
        tutorialNavigation(PAGE_2_X, LINKS_Y);
        tutorialNavigation(PAGE_AREA_X, PAGE_AREA_Y);
        EXPECT_EQ(gameState.screen, screen);
        EXPECT_EQ(gameState.tutorialTick, 5);
    }
}

TEST_F(TutorialTest, OnlyTheHomeLinkMakesASound) {
    gameState.buttonsSample = soundEngine.LoadSound(L"buttons", platform::findResource("WAVE", 123));
    ASSERT_GE(gameState.buttonsSample, 0);
    gameState.soundOn = 1;
    gameState.maxLevel = 1;
    const std::uint32_t voicesBefore = soundEngine.CountVoices();
    gameState.screen = SCREEN_TUTORIAL_INTRO;
    tapPageAt(0);
    tutorialNavigation(PAGE_1_X, LINKS_Y);
    tutorialNavigation(PAGE_2_X, LINKS_Y);
    tutorialNavigation(PAGE_3_X, LINKS_Y);
    gameState.tutorialPageDone.fill(1);
    tapPageAt(240);
    EXPECT_EQ(gameState.screen, SCREEN_PLAY);
    EXPECT_EQ(soundEngine.CountVoices(), voicesBefore) << "links, hurrying and the way into the game are silent";
    gameState.screen = SCREEN_TUTORIAL_CONTROLS;
    tutorialNavigation(HOME_X, LINKS_Y);
    EXPECT_EQ(soundEngine.CountVoices(), voicesBefore + 1);
}
