// What the tutorial pages draw frame by frame, when their steps appear, and what the playing page's
// animation does to the demonstration board.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "game/game_state.h"
#include "game/tutorial.h"
#include "gfx/text.h"
#include "tutorial_fixture.h"

namespace {

constexpr std::uint16_t PAGE_BACKGROUND = 0x0809;
constexpr std::uint16_t BLACK = 0x0000;
constexpr std::uint16_t WHITE = 0xFFFF;
constexpr std::uint16_t BOARD_GREY = 0xB5B6;
constexpr int CONTENT_TOP = 36;  // below the header bar drawn at y 2
constexpr int FOOTER_TOP = 300;

constexpr std::array<std::uint32_t, 3> PAGES_OF_TEXT{SCREEN_TUTORIAL_INTRO, SCREEN_TUTORIAL_CONTROLS,
                                                     SCREEN_TUTORIAL_STRATEGY};

// playerGrid index of a cell of the 2 x 2 board.
constexpr std::size_t cellIndex(int column, int row) { return static_cast<std::size_t>(column * GRID_SIDE + row); }

int stepsOn() {
    int count = 0;
    for (const std::int32_t step : gameState.tutorialStep) count += step != 0 ? 1 : 0;
    return count;
}

void tapThePage() { tutorialNavigation(120, 150); }

// The footer as it should stand: the black bar, "HOME>>>" and the page's indicator.
std::vector<std::uint16_t> expectedFooter(std::uint32_t screen) {
    std::vector<std::uint16_t> expected(FRAME_PIXELS, BLACK);
    std::uint16_t* const saved = gameState.BackBuffer;
    gameState.BackBuffer = expected.data();
    drawText("HOME>>>", 4, 303, 0);
    switch (screen) {
        case SCREEN_TUTORIAL_INTRO: drawText("1*2*3", 194, 303, 0); break;
        case SCREEN_TUTORIAL_CONTROLS:
            drawText("1", 194, 303, 1);
            drawText("*2*3", 202, 303, 0);
            break;
        case SCREEN_TUTORIAL_PLAYING:
            drawText("1*2", 194, 303, 1);
            drawText("*3", 218, 303, 0);
            break;
        default: drawText("1*2*3", 194, 303, 1); break;
    }
    gameState.BackBuffer = saved;
    return expected;
}

}  // namespace

TEST_F(TutorialTest, FirstFrameOfATextPageIsOnlyItsFrame) {
    for (const std::uint32_t screen : PAGES_OF_TEXT) {
        SCOPED_TRACE(screen);
        openPage(screen);
        drawTutorialPage();
        EXPECT_EQ(gameState.tutorialTick, 1);
        EXPECT_EQ(stepsOn(), 0);
        EXPECT_TRUE(areaIs(0, 0, 239, 1, PAGE_BACKGROUND));
        EXPECT_TRUE(areaIs(0, CONTENT_TOP, 239, FOOTER_TOP - 1, PAGE_BACKGROUND));
        EXPECT_FALSE(areaIs(0, 2, 239, 34, PAGE_BACKGROUND)) << "header bar";
        const std::vector<std::uint16_t> footer = expectedFooter(screen);
        for (int y = FOOTER_TOP; y < FRAME_HEIGHT; ++y) {
            for (int x = 0; x < FRAME_WIDTH; ++x) {
                ASSERT_EQ(pixel(x, y), footer[static_cast<std::size_t>(y * FRAME_WIDTH + x)]) << x << "," << y;
            }
        }
    }
}

TEST_F(TutorialTest, TheFirstTextAppearsOnTheTenthFrame) {
    for (const std::uint32_t screen : PAGES_OF_TEXT) {
        SCOPED_TRACE(screen);
        openPage(screen);
        renderUntilTick(9);
        EXPECT_EQ(stepsOn(), 0);
        EXPECT_TRUE(areaIs(0, CONTENT_TOP, 239, FOOTER_TOP - 1, PAGE_BACKGROUND));
        drawTutorialPage();
        EXPECT_EQ(gameState.tutorialStep[0], 1);
        EXPECT_EQ(stepsOn(), 1);
        EXPECT_FALSE(areaIs(4, 40, 120, 52, PAGE_BACKGROUND)) << "the page's title";
    }
}

TEST_F(TutorialTest, TextPagesKeepEveryStepOnceShown) {
    openPage(SCREEN_TUTORIAL_CONTROLS);
    renderUntilTick(479);
    EXPECT_EQ(stepsOn(), 6);
    EXPECT_EQ(gameState.tutorialPageDone[1], 0);
    EXPECT_TRUE(areaIs(74, 186, 239, 205, PAGE_BACKGROUND)) << "nothing of the last step yet";
    EXPECT_TRUE(areaIs(0, 260, 239, 279, PAGE_BACKGROUND));
    drawTutorialPage();
    EXPECT_EQ(stepsOn(), 7);
    EXPECT_EQ(gameState.tutorialPageDone[1], 1);
    EXPECT_FALSE(areaIs(74, 186, 239, 205, PAGE_BACKGROUND));
    EXPECT_FALSE(areaIs(0, 260, 239, 279, PAGE_BACKGROUND));
    renderUntilTick(1000);
    EXPECT_EQ(stepsOn(), 7);
    for (const std::size_t page : {0u, 2u, 3u}) EXPECT_EQ(gameState.tutorialPageDone[page], 0);
}

TEST_F(TutorialTest, TheControlsPageShowsThePlayScreensPanel) {
    ASSERT_NE(gameState.playBackgroundImage, nullptr);
    openPage(SCREEN_TUTORIAL_CONTROLS);
    renderUntilTick(10);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < FRAME_WIDTH; ++x) {
            const std::uint16_t source = gameState.playBackgroundImage[(300 + y) * FRAME_WIDTH + x];
            const std::uint16_t expected = source == 0 ? PAGE_BACKGROUND : source;
            ASSERT_EQ(pixel(x, 280 + y), expected) << x << "," << y;
        }
    }
}

TEST_F(TutorialTest, FirstFrameOfThePlayingPageShowsBoardPanelStatusAndTitle) {
    openPage(SCREEN_TUTORIAL_PLAYING);
    drawTutorialPage();
    EXPECT_EQ(gameState.tutorialTick, 1);
    EXPECT_EQ(stepsOn(), 0);
    EXPECT_FALSE(areaIs(4, 40, 130, 52, PAGE_BACKGROUND)) << "title";
    EXPECT_TRUE(areaIs(0, 55, 239, 110, PAGE_BACKGROUND)) << "no step text yet";
    EXPECT_FALSE(areaIs(148, 148, 206, 206, PAGE_BACKGROUND)) << "board";
    EXPECT_FALSE(areaIs(0, 241, 239, 269, PAGE_BACKGROUND)) << "tower buttons";
    EXPECT_EQ(gameState.boardLeft, 148);
    EXPECT_EQ(gameState.boardBottom, 206);
    const std::vector<std::uint16_t> footer = expectedFooter(SCREEN_TUTORIAL_PLAYING);
    for (int x = 0; x < FRAME_WIDTH; ++x) ASSERT_EQ(pixel(x, 310), footer[310 * FRAME_WIDTH + x]) << x;
    renderUntilTick(9);
    EXPECT_TRUE(areaIs(0, 55, 239, 110, PAGE_BACKGROUND));
    drawTutorialPage();
    EXPECT_EQ(gameState.tutorialStep[0], 1);
    EXPECT_FALSE(areaIs(0, 65, 239, 107, PAGE_BACKGROUND));
}

TEST_F(TutorialTest, ThePlayingPageShowsOneStepAtATime) {
    openPage(SCREEN_TUTORIAL_PLAYING);
    const std::array<std::int32_t, 7> thresholds{10, 160, 360, 410, 520, 670, 870};
    for (std::size_t step = 0; step < thresholds.size(); ++step) {
        renderUntilTick(thresholds[step]);
        EXPECT_EQ(stepsOn(), 1) << step;
        EXPECT_EQ(gameState.tutorialStep[step], 1) << step;
    }
    EXPECT_EQ(gameState.tutorialPageDone[2], 1);
    renderUntilTick(2000);
    EXPECT_EQ(gameState.tutorialStep[6], 1);
}

TEST_F(TutorialTest, ThePointerChoosesTheThirdTowerThenGlidesToItsCell) {
    openPage(SCREEN_TUTORIAL_PLAYING);
    renderUntilTick(210);
    EXPECT_EQ(gameState.pointerX, 98);
    EXPECT_EQ(gameState.pointerY, 247);
    EXPECT_EQ(gameState.selectedTower, NO_TOWER);
    drawTutorialPage();
    EXPECT_EQ(gameState.selectedTower, 2);
    renderUntilTick(387);
    EXPECT_EQ(gameState.pointerY, 191);
    renderUntilTick(392);
    EXPECT_EQ(gameState.pointerX, 164);
    EXPECT_EQ(gameState.pointerY, 191);
    EXPECT_EQ(gameState.playerGrid[cellIndex(0, 1)], 0);
    drawTutorialPage();
    EXPECT_EQ(gameState.playerGrid[cellIndex(0, 1)], 3);
    EXPECT_EQ(gameState.pointerX, 164);
}

TEST_F(TutorialTest, ATapDuringTheTowerChoiceStillPlacesTheThirdKind) {
    openPage(SCREEN_TUTORIAL_PLAYING);
    renderUntilTick(180);
    tapThePage();
    drawTutorialPage();
    EXPECT_EQ(gameState.tutorialStep[2], 1);
    EXPECT_EQ(gameState.selectedTower, 2);
    tapThePage();
    drawTutorialPage();
    EXPECT_EQ(gameState.tutorialTick, 410);
    EXPECT_EQ(gameState.playerGrid[cellIndex(0, 1)], 3);
}

TEST_F(TutorialTest, TheDemonstrationBuildsTheSolvedBoard) {
    openPage(SCREEN_TUTORIAL_PLAYING);
    renderUntilTick(669);
    EXPECT_EQ(gameState.playerGrid[cellIndex(0, 0)], 2);
    EXPECT_EQ(gameState.playerGrid[cellIndex(0, 1)], 3);
    EXPECT_EQ(gameState.playerGrid[cellIndex(1, 0)], 1);
    EXPECT_EQ(gameState.playerGrid[cellIndex(1, 1)], 0);
    // Column 0 and row 0 are full and right; column 1 and row 1 wait for their last tower.
    const std::array<std::int32_t, 9> litBeforeTheLastTower{0, 1, 0, 1, 0, 1, 0, 1, 0};
    for (std::size_t k = 1; k < litBeforeTheLastTower.size(); ++k) {
        EXPECT_EQ(gameState.viewpointLit[k], litBeforeTheLastTower[k]) << k;
    }
    drawTutorialPage();
    EXPECT_EQ(gameState.playerGrid[cellIndex(1, 1)], 1);
    for (std::size_t k = 1; k <= 8; ++k) EXPECT_EQ(gameState.viewpointLit[k], 1) << k;
}

TEST_F(TutorialTest, TheLightingUpStepStopsTheClock) {
    openPage(SCREEN_TUTORIAL_PLAYING);
    EXPECT_TRUE(clockTimersRun());
    renderUntilTick(669);
    EXPECT_TRUE(clockTimersRun());
    drawTutorialPage();
    EXPECT_EQ(clockTimersRunning(), 0);
}

TEST_F(TutorialTest, TheGroundIsDrawnWhiteThenInTheBoardsGrey) {
    openPage(SCREEN_TUTORIAL_PLAYING);
    renderUntilTick(519);
    EXPECT_EQ(pixel(21, 184), PAGE_BACKGROUND);
    drawTutorialPage();
    EXPECT_EQ(pixel(21, 184), WHITE);
    EXPECT_EQ(pixel(65, 201), WHITE);
    EXPECT_TRUE(areaIs(0, 65, 239, 77, PAGE_BACKGROUND)) << "no text on the first frame of the 3D step";
    drawTutorialPage();
    EXPECT_FALSE(areaIs(0, 65, 239, 77, PAGE_BACKGROUND));
    renderUntilTick(670);
    EXPECT_EQ(pixel(21, 184), BOARD_GREY);
    EXPECT_EQ(pixel(108, 182), BOARD_GREY);
}

TEST_F(TutorialTest, TheAnimationNeverWritesOutsideAnotherBoard) {
    // Not the demonstration board: a 6 x 6 board one screen cell in, on which only the probe at
    // (163, 162) falls inside.
    gameState.screen = SCREEN_TUTORIAL_PLAYING;
    gameState.columnCount = 6;
    gameState.rowCount = 6;
    gameState.towerKindCount = 3;
    gameState.boardColumnOffset = 1;
    gameState.boardRowOffset = 1;
    gameState.playerGrid.fill(0);
    gameState.solutionGrid.fill(7);
    renderUntilTick(900);
    for (std::size_t cell = 0; cell + 1 < gameState.playerGrid.size(); ++cell) {
        EXPECT_EQ(gameState.playerGrid[cell], 0) << cell;
    }
    EXPECT_EQ(gameState.playerGrid[cellIndex(5, 5)], 2);
    for (const std::int32_t cell : gameState.solutionGrid) EXPECT_EQ(cell, 7);
}

TEST_F(TutorialTest, OtherScreensAreNotDrawnHere) {
    gameState.screen = SCREEN_PLAY;
    drawTutorialPage();
    EXPECT_EQ(gameState.tutorialTick, 0);
    EXPECT_TRUE(areaIs(0, 0, 239, 319, 0x1234));
}
