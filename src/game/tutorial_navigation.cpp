// Taps on the tutorial pages: the footer's links, hurrying a page on step by step, turning to the next
// page once a page is complete, and setting up the playing page's demonstration board.
#include <array>
#include <cstdint>

#include "game/controls.h"
#include "game/game_state.h"
#include "game/level_clock.h"
#include "game/level_commands.h"
#include "game/sound_cues.h"
#include "game/tutorial.h"
#include "game/tutorial_schedule.h"
#include "puzzle/puzzle_generator.h"

namespace {

using namespace tutorial;

// The demonstration board: 2 x 2 cells of three kinds, grid lines from 148 to 206 both ways.
constexpr int DEMO_TOWER_KINDS = 3;
constexpr int DEMO_BOARD_OFFSET = 6;
constexpr int DEMO_BOARD_SIDE = 2;
// Top 2, 1; right 2, 2; bottom 1, 1; left 1, 1: the arrangement the animation builds, column 0 holding
// 2 above 3 and column 1 holding 1 above 1. The generated hidden arrangement is not used.
constexpr std::array<std::int32_t, 8> DEMO_CLUES{2, 1, 2, 2, 1, 1, 1, 1};

void turnToPage(std::uint32_t screen) {
    gameState.tutorialTick = 0;
    gameState.tutorialStep.fill(0);
    if (screen == SCREEN_TUTORIAL_PLAYING) {
        prepareTutorialBoard();
    } else {
        gameState.screen = screen;
    }
}

// The playing page's clock runs on after a page link; the home menu never has a clock running.
void goHome() {
    stopClockTimers();
    gameState.level = gameState.maxLevel;
    startLevel();
    gameState.screen = SCREEN_HOME;
    playButtonsSample();
}

// The tutorial is over: the game resumes at the level reached, on a fresh puzzle. Silent, and the
// records file is not written.
void startPlaying() {
    gameState.cellPicked = 0;
    gameState.level = gameState.maxLevel;
    startLevel();
    startClockTimers();
    gameState.screen = SCREEN_PLAY;
}

void leavePage(int page) {
    switch (page) {
        case PAGE_INTRO: turnToPage(SCREEN_TUTORIAL_CONTROLS); break;
        case PAGE_CONTROLS: turnToPage(SCREEN_TUTORIAL_PLAYING); break;
        case PAGE_PLAYING: turnToPage(SCREEN_TUTORIAL_STRATEGY); break;
        case PAGE_STRATEGY: startPlaying(); break;
        default: break;
    }
}

// One below the next threshold, so the very next frame reveals that step: a tap shows one further step
// and never skips one. Once all is shown, a completed page is left.
void hurryPage(int page) {
    const std::int32_t threshold = nextThreshold(page, gameState.tutorialTick);
    if (threshold >= 0) {
        gameState.tutorialTick = threshold - 1;
    } else if (gameState.tutorialPageDone[static_cast<std::size_t>(page)] != 0) {
        leavePage(page);
    }
}

}  // namespace

void tutorialNavigation(int x, int y) {
    const int page = pageOfScreen(gameState.screen);
    if (page == NOT_A_PAGE) return;
    if (pointInRect(x, y, tutorialLinkRects[LINK_HOME])) {
        goHome();
    } else if (pointInRect(x, y, tutorialLinkRects[LINK_PAGE_1])) {
        turnToPage(SCREEN_TUTORIAL_CONTROLS);
    } else if (pointInRect(x, y, tutorialLinkRects[LINK_PAGE_2])) {
        turnToPage(SCREEN_TUTORIAL_PLAYING);
    } else if (pointInRect(x, y, tutorialLinkRects[LINK_PAGE_3])) {
        turnToPage(SCREEN_TUTORIAL_STRATEGY);
    } else {
        hurryPage(page);
    }
}

void prepareTutorialBoard() {
    Board& board = gameState.board;
    board.towerKindCount = DEMO_TOWER_KINDS;
    board.selectedTower = NO_TOWER;
    board.boardColumnOffset = DEMO_BOARD_OFFSET;
    board.boardRowOffset = DEMO_BOARD_OFFSET;
    board.rowCount = DEMO_BOARD_SIDE;
    board.columnCount = DEMO_BOARD_SIDE;
    gameState.solutionShown = 0;
    gameState.levelSeconds = 0.0;
    generatePuzzle(board, DEMO_BOARD_SIDE, DEMO_BOARD_SIDE);
    for (std::size_t clue = 0; clue < DEMO_CLUES.size(); ++clue) board.viewpointClues[clue + 1] = DEMO_CLUES[clue];
    startClockTimers();
    gameState.screen = SCREEN_TUTORIAL_PLAYING;
}
