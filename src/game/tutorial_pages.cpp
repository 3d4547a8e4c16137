// The four tutorial pages as frames: the page's frame, then the steps its schedule has revealed. Three
// pages add text block by block; the playing page shows one step at a time, in which a pointer picks a
// tower and places it on the live 2 x 2 demonstration board until its viewpoints light up.
#include <array>
#include <cstdint>
#include <span>

#include "game/controls.h"
#include "game/game_state.h"
#include "game/level_clock.h"
#include "game/screen_texts.h"
#include "game/tutorial.h"
#include "game/tutorial_schedule.h"
#include "gfx/frame.h"
#include "gfx/images.h"
#include "gfx/text.h"
#include "puzzle/board_drawing.h"
#include "puzzle/board_rules.h"

namespace {

using namespace tutorial;

constexpr std::uint16_t PAGE_BACKGROUND_COLOUR = 0x0809;
constexpr std::uint16_t FOOTER_COLOUR = 0x0000;
constexpr std::uint16_t GROUND_HIGHLIGHT_COLOUR = 0xFFFF;
// On the playing page the blue covers the play background down to the tower buttons.
constexpr int PLAYING_PAGE_FILL_BOTTOM = 240;
// Once a page's last step is revealed, it asks for the tap that turns it.
constexpr const char* CONTINUE_TEXT = "TAP THE SCREEN TO CONTINUE";
constexpr int CONTINUE_X = 14;
constexpr std::array<int, TUTORIAL_PAGES> CONTINUE_Y{283, 263, 110, 283};

// ---- Pictures ---------------------------------------------------------------------------------------

struct Picture {
    ImageId image;
    int srcX, srcY, width, height;
};

constexpr Picture HEADER_BAR{IMAGE_TUTORIAL_PARTS, 0, 0, 240, 33};
constexpr Picture POINTER{IMAGE_TUTORIAL_PARTS, 0, 55, 20, 32};
constexpr Picture TAP_RING{IMAGE_TUTORIAL_PARTS, 20, 55, 30, 30};
constexpr Picture TALL_BUILDING{IMAGE_TUTORIAL_PARTS, 50, 55, 39, 35};
constexpr Picture MIDDLE_BUILDING{IMAGE_TUTORIAL_PARTS, 90, 58, 38, 32};
constexpr Picture LOW_BUILDING{IMAGE_TUTORIAL_PARTS, 128, 64, 38, 26};
// The play screen's control strip, as the controls page explains it.
constexpr Picture CONTROL_PANEL{IMAGE_PLAY_BACKGROUND, 0, 300, 240, 20};

// The control strip's icons lie side by side in one row of the parts sheet, in panel order.
constexpr int ICON_ROW_Y = 33, ICON_HEIGHT = 22;
constexpr std::array<int, PANEL_BUTTON_COUNT> ICON_WIDTHS{60, 55, 25, 24, 20, 55};

constexpr Picture panelIcon(int button) {
    int x = 0;
    for (int left = 0; left < button; ++left) x += ICON_WIDTHS[static_cast<std::size_t>(left)];
    return {IMAGE_TUTORIAL_PARTS, x, ICON_ROW_Y, ICON_WIDTHS[static_cast<std::size_t>(button)], ICON_HEIGHT};
}

void drawPicture(const Picture& picture, int x, int y) {
    drawImagePart(screenFrame, picture.image, picture.srcX, picture.srcY, x, y, picture.height, picture.width);
}

// ---- The frame every page shares ----------------------------------------------------------------------

constexpr int HEADER_X = 0, HEADER_Y = 2;
constexpr int FOOTER_TOP = 300;
constexpr int FOOTER_TEXT_Y = 303;
constexpr int HOME_LINK_X = 4;

struct IndicatorPart {
    const char* text;
    int x, style;
};

// "1*2*3" in the footer, the pages up to the current one in green. The intro page has no number.
constexpr std::array<std::array<IndicatorPart, 2>, TUTORIAL_PAGES> PAGE_INDICATORS{{
    {{{"1*2*3", 194, TEXT_WHITE}, {nullptr, 0, 0}}},
    {{{"1", 194, TEXT_GREEN}, {"*2*3", 202, TEXT_WHITE}}},
    {{{"1*2", 194, TEXT_GREEN}, {"*3", 218, TEXT_WHITE}}},
    {{{"1*2*3", 194, TEXT_GREEN}, {nullptr, 0, 0}}},
}};

void drawHeaderAndFooter(int page) {
    drawPicture(HEADER_BAR, HEADER_X, HEADER_Y);
    screenFrame.penColour = FOOTER_COLOUR;
    fillRect(screenFrame, 0, FOOTER_TOP, FRAME_WIDTH - 1, FRAME_HEIGHT - 1);
    drawText(screenFrame, "HOME>>>", HOME_LINK_X, FOOTER_TEXT_Y, TEXT_WHITE);
    for (const IndicatorPart& part : PAGE_INDICATORS[static_cast<std::size_t>(page)]) {
        if (part.text != nullptr) drawText(screenFrame, part.text, part.x, FOOTER_TEXT_Y, part.style);
    }
}

// ---- Pages whose steps add up -------------------------------------------------------------------------

struct StepPicture {
    int step;
    Picture picture;
    int x, y;
};

constexpr StepPicture CONTROLS_PICTURES[] = {
    {0, CONTROL_PANEL, 0, 280},
    {1, panelIcon(PANEL_HOME), 14, 109},
    {2, panelIcon(PANEL_PREV), 18, 124},
    {3, panelIcon(PANEL_SOLVE), 50, 139},
    {4, panelIcon(PANEL_RESET), 50, 154},
    {5, panelIcon(PANEL_SOUND), 52, 169},
    {6, panelIcon(PANEL_NEXT), 18, 184},
};

// A revealed step stays on; the last one completes the page.
void advanceCumulativeSchedule(int page) {
    gameState.tutorialTick += 1;
    const int step = stepRevealedAt(page, gameState.tutorialTick);
    if (step < 0) return;
    gameState.tutorialStep[static_cast<std::size_t>(step)] = 1;
    if (step == lastStep(page)) gameState.tutorialPageDone[static_cast<std::size_t>(page)] = 1;
}

void drawRevealedSteps(std::span<const StepPicture> pictures) {
    for (int step = 0; step < TUTORIAL_STEPS; ++step) {
        if (gameState.tutorialStep[static_cast<std::size_t>(step)] == 0) continue;
        drawScreenTexts(gameState.screen, step);
        for (const StepPicture& placed : pictures) {
            if (placed.step == step) drawPicture(placed.picture, placed.x, placed.y);
        }
    }
}

void drawContinue(int page) {
    drawText(screenFrame, CONTINUE_TEXT, CONTINUE_X, CONTINUE_Y[static_cast<std::size_t>(page)], TEXT_GREEN);
}

void drawCumulativePage(int page, std::span<const StepPicture> pictures = {}) {
    screenFrame.penColour = PAGE_BACKGROUND_COLOUR;
    fillRect(screenFrame, 0, 0, FRAME_WIDTH - 1, FRAME_HEIGHT - 1);
    drawHeaderAndFooter(page);
    advanceCumulativeSchedule(page);
    drawRevealedSteps(pictures);
    if (gameState.tutorialStep[static_cast<std::size_t>(lastStep(page))] != 0) drawContinue(page);
}

// ---- The playing page's demonstration board -------------------------------------------------------------

struct Point {
    int x, y;
};

// One probe point inside each of the 2 x 2 board's cells.
constexpr Point TOP_LEFT_CELL{163, 162};
constexpr Point BOTTOM_LEFT_CELL{163, 191};
constexpr Point TOP_RIGHT_CELL{191, 162};
constexpr Point BOTTOM_RIGHT_CELL{191, 191};

// The tower kind under the point becomes `kind`. The hit test is the player's own, so the cell is the one
// a tap there would pick. A point off the board (only possible on a board other than the demonstration
// board) writes nothing, so the grid is never written outside the board's cells.
BoardCell placeKindAt(Point point, int kind) {
    Board& board = gameState.board;
    hitTestBoard(board, point.x, point.y, board.hitCellLeft, board.hitCellTop, board.hitColumn, board.hitRow);
    const BoardCell cell = hitBoardCell(board);
    if (cell.onBoard) board.playerGrid[static_cast<std::size_t>(cellIndex(cell.column, cell.row))] = kind;
    return cell;
}

void placeAndJudge(Point point, int kind) {
    const BoardCell cell = placeKindAt(point, kind);
    if (cell.onBoard) evaluateMove(gameState.board, cell.column, cell.row);
}

// ---- The playing page's steps -------------------------------------------------------------------------

constexpr int STEP_TEXT_X = 4;
constexpr std::array<int, 3> STEP_TEXT_Y{65, 80, 95};
using StepLines = std::array<const char*, 3>;

constexpr StepLines GOAL_LINES{"THE GOAL OF THE GAME IS TO", "PLACE THE TOWERS ON THE BOARD",
                               "AND MATCH ALL THE VIEWPOINTS"};
constexpr StepLines CHOOSING_LINES{"TO DO THIS, TAP ON A TOWER...", "THEN TAP ON A TILE WHERE YOU",
                                   "WANT IT PLACED"};
constexpr StepLines VIEWPOINT_LINES{"THE VIEWPOINTS INDICATE THE", "NUMBER OF TOWERS WHICH SHOULD",
                                    "BE VISIBLE ON THAT SIDE"};
constexpr StepLines LIGHT_UP_LINES{"THE VIEWPOINTS LIGHT UP WHEN", "A COLUMN OR ROW IS FILLED",
                                   "WITH THE CORRECT TOWERS"};
constexpr StepLines COMPLETED_LINES{"WHEN ALL THE VIEWPOINTS ARE", "CORRECT, THE LEVEL IS",
                                    "AUTOMATICALLY COMPLETED"};
constexpr const char* IMAGINE_TEXT = "IMAGINE THE TOWERS IN 3D...";
constexpr const char* PLAYING_TITLE = "PLAYING THE GAME";
constexpr Point PLAYING_TITLE_AT{4, 40};

void drawStepLines(const StepLines& lines) {
    for (std::size_t line = 0; line < lines.size(); ++line) {
        drawText(screenFrame, lines[line], STEP_TEXT_X, STEP_TEXT_Y[line], TEXT_WHITE);
    }
}

// The third tower button, which the pointer taps to choose kind 3.
constexpr int DEMONSTRATED_TOWER = 2;
constexpr Point POINTER_ON_TOWER_BUTTON{98, 247};
constexpr Point RING_ON_TOWER_BUTTON{84, 233};
constexpr int TOWER_TAP_FIRST_TICK = 211;
constexpr int TOWER_TAP_LAST_TICK = 259;
// The pointer glides to the bottom-left cell, POINTER_SPEED pixels a frame on each axis.
constexpr Point POINTER_ON_CELL{163, 191};
constexpr Point RING_ON_CELL{149, 177};
constexpr int POINTER_SPEED = 2;

void drawPointer() { drawPicture(POINTER, gameState.pointerX, gameState.pointerY); }

// A flat diamond, drawn round its four corners, and the two lines across it that quarter it: the ground
// the buildings stand on.
constexpr std::array<Point, 4> GROUND_CORNERS{{{21, 184}, {65, 201}, {108, 182}, {66, 164}}};
struct Line {
    Point from, to;
};
constexpr std::array<Line, 2> GROUND_CROSS_LINES{{{{45, 174}, {87, 192}}, {{43, 192}, {86, 173}}}};

void drawGroundLine(Line line) { drawLine(screenFrame, line.from.x, line.from.y, line.to.x, line.to.y); }

void drawGround() {
    for (std::size_t corner = 0; corner < GROUND_CORNERS.size(); ++corner) {
        drawGroundLine({GROUND_CORNERS[corner], GROUND_CORNERS[(corner + 1) % GROUND_CORNERS.size()]});
    }
    for (const Line& line : GROUND_CROSS_LINES) drawGroundLine(line);
}

constexpr Point TALL_BUILDING_AT{23, 155};
constexpr Point MIDDLE_BUILDING_AT{47, 149};
constexpr Point LOW_BUILDING_AT{67, 164};
constexpr Point SECOND_LOW_BUILDING_AT{45, 173};

// The buildings stand back to front, so each later one covers the ones behind it.
void drawMiddleAndTallBuildings() {
    drawPicture(MIDDLE_BUILDING, MIDDLE_BUILDING_AT.x, MIDDLE_BUILDING_AT.y);
    drawPicture(TALL_BUILDING, TALL_BUILDING_AT.x, TALL_BUILDING_AT.y);
}

void drawThreeBuildings() {
    drawMiddleAndTallBuildings();
    drawPicture(LOW_BUILDING, LOW_BUILDING_AT.x, LOW_BUILDING_AT.y);
}

void drawFourBuildings() {
    drawThreeBuildings();
    drawPicture(LOW_BUILDING, SECOND_LOW_BUILDING_AT.x, SECOND_LOW_BUILDING_AT.y);
}

// Ticks of step 4 at which the 3D picture grows by one building, and the board with it.
constexpr int TALL_BUILDING_FIRST_TICK = 521;
constexpr int MIDDLE_BUILDING_FIRST_TICK = 570;
constexpr int LOW_BUILDING_FIRST_TICK = 620;
constexpr int IMAGINING_LAST_TICK = 669;

constexpr int KIND_LOW = 1;
constexpr int KIND_BUILDING = 2;

void showGoal() { drawStepLines(GOAL_LINES); }

void showChoosingTower() {
    gameState.pointerX = POINTER_ON_TOWER_BUTTON.x;
    gameState.pointerY = POINTER_ON_TOWER_BUTTON.y;
    drawStepLines(CHOOSING_LINES);
    const int tick = gameState.tutorialTick;
    if (tick >= TOWER_TAP_FIRST_TICK && tick <= TOWER_TAP_LAST_TICK) {
        drawPicture(TAP_RING, RING_ON_TOWER_BUTTON.x, RING_ON_TOWER_BUTTON.y);
        gameState.board.selectedTower = DEMONSTRATED_TOWER;
    }
    drawPointer();
}

void showMovingToTile() {
    gameState.board.selectedTower = DEMONSTRATED_TOWER;
    drawStepLines(CHOOSING_LINES);
    if (gameState.pointerX >= POINTER_ON_CELL.x && gameState.pointerY <= POINTER_ON_CELL.y) {
        drawPicture(TAP_RING, RING_ON_CELL.x, RING_ON_CELL.y);
        placeKindAt(BOTTOM_LEFT_CELL, gameState.board.selectedTower + 1);
    }
    drawPointer();
    if (gameState.pointerX < POINTER_ON_CELL.x) gameState.pointerX += POINTER_SPEED;
    if (gameState.pointerY > POINTER_ON_CELL.y) gameState.pointerY -= POINTER_SPEED;
}

void showViewpoints() {
    drawStepLines(VIEWPOINT_LINES);
    placeKindAt(BOTTOM_LEFT_CELL, gameState.board.selectedTower + 1);
}

void showImagining() {
    screenFrame.penColour = GROUND_HIGHLIGHT_COLOUR;
    drawGround();
    const int tick = gameState.tutorialTick;
    if (tick < TALL_BUILDING_FIRST_TICK || tick > IMAGINING_LAST_TICK) return;
    drawText(screenFrame, IMAGINE_TEXT, STEP_TEXT_X, STEP_TEXT_Y[0], TEXT_WHITE);
    if (tick < MIDDLE_BUILDING_FIRST_TICK) {
        drawPicture(TALL_BUILDING, TALL_BUILDING_AT.x, TALL_BUILDING_AT.y);
    } else if (tick < LOW_BUILDING_FIRST_TICK) {
        drawMiddleAndTallBuildings();
        placeAndJudge(TOP_LEFT_CELL, KIND_BUILDING);
    } else {
        drawThreeBuildings();
        placeAndJudge(TOP_RIGHT_CELL, KIND_LOW);
    }
}

// The board's own drawing leaves its light grey pen set, which the ground is drawn in from here on.
void showLightingUp() {
    drawGround();
    drawStepLines(LIGHT_UP_LINES);
    drawFourBuildings();
    placeAndJudge(BOTTOM_LEFT_CELL, DEMONSTRATED_TOWER + 1);
    placeAndJudge(TOP_LEFT_CELL, KIND_BUILDING);
    placeAndJudge(TOP_RIGHT_CELL, KIND_LOW);
    placeAndJudge(BOTTOM_RIGHT_CELL, KIND_LOW);
    stopClockTimers();
}

void showCompleted() {
    drawGround();
    drawStepLines(COMPLETED_LINES);
    drawContinue(PAGE_PLAYING);
    drawFourBuildings();
    gameState.tutorialPageDone[PAGE_PLAYING] = 1;
}

constexpr std::array<void (*)(), TUTORIAL_STEPS> PLAYING_STEPS{
    showGoal, showChoosingTower, showMovingToTile, showViewpoints, showImagining, showLightingUp, showCompleted};

// Each threshold switches the previous step off: one step at a time.
void advancePlayingSchedule() {
    gameState.tutorialTick += 1;
    const int step = stepRevealedAt(PAGE_PLAYING, gameState.tutorialTick);
    if (step < 0) return;
    gameState.tutorialStep.fill(0);
    gameState.tutorialStep[static_cast<std::size_t>(step)] = 1;
}

void drawActivePlayingStep() {
    for (std::size_t step = 0; step < PLAYING_STEPS.size(); ++step) {
        if (gameState.tutorialStep[step] != 0) {
            PLAYING_STEPS[step]();
            return;
        }
    }
}

// The blue covers the play background's rows above the tower buttons whole: only those below show.
void drawPlayingPage() {
    constexpr int SHOWN_BACKGROUND_TOP = PLAYING_PAGE_FILL_BOTTOM + 1;
    drawImagePart(screenFrame, IMAGE_PLAY_BACKGROUND, 0, SHOWN_BACKGROUND_TOP, 0, SHOWN_BACKGROUND_TOP,
                  FRAME_HEIGHT - SHOWN_BACKGROUND_TOP, FRAME_WIDTH);
    screenFrame.penColour = PAGE_BACKGROUND_COLOUR;
    fillRect(screenFrame, 0, 0, FRAME_WIDTH - 1, PLAYING_PAGE_FILL_BOTTOM);
    drawHeaderAndFooter(PAGE_PLAYING);
    drawTowerPanel(screenFrame, gameState.board);
    drawStatusLine();
    drawBoard(screenFrame, gameState.board);
    advancePlayingSchedule();
    drawText(screenFrame, PLAYING_TITLE, PLAYING_TITLE_AT.x, PLAYING_TITLE_AT.y, TEXT_GREEN);
    drawActivePlayingStep();
}

}  // namespace

void drawTutorialPage() {
    switch (pageOfScreen(gameState.screen)) {
        case PAGE_INTRO: drawCumulativePage(PAGE_INTRO); break;
        case PAGE_CONTROLS: drawCumulativePage(PAGE_CONTROLS, CONTROLS_PICTURES); break;
        case PAGE_PLAYING: drawPlayingPage(); break;
        case PAGE_STRATEGY: drawCumulativePage(PAGE_STRATEGY); break;
        default: break;
    }
}
