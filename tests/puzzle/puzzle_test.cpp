// The board's rules at their edges, and the guards of level setup, generation and drawing for sizes and
// levels the game never asks for. Every level's own board, generated, drawn and solved, is the trails'
// (the generator draws from the seed alone, so a fault in it shows on every recorded board).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "gfx/frame.h"
#include "gfx/images.h"
#include "platform/headless/headless.h"
#include "puzzle/board_drawing.h"
#include "puzzle/board_rules.h"
#include "puzzle/level_table.h"
#include "puzzle/puzzle_generator.h"

namespace {

constexpr std::uint16_t UNTOUCHED = 0x1234;

struct Puzzle : ::testing::Test {
    Board board;
    void SetUp() override { headless::reset(); }
    void TearDown() override { headless::reset(); }
};

// How a move lights the viewpoints is the trails' (boards filled, emptied and solved by hand). A move off
// the board judges no line, so the lights stay as they were; on a board the grids cannot hold, it judges
// nothing and solves nothing.
TEST_F(Puzzle, AMoveOffTheBoardOrOnOneTheGridsCannotHoldJudgesNothing) {
    board.columnCount = board.rowCount = 2;  // solved: four 1s, every clue 1, every viewpoint lit
    for (const int cell : {cellIndex(0, 0), cellIndex(0, 1), cellIndex(1, 0), cellIndex(1, 1)}) board.playerGrid[cell] = 1;
    board.viewpointClues.fill(1);
    board.viewpointLit.fill(1);
    EXPECT_EQ(evaluateMove(board, 2, 2), 1u);
    for (int k = 1; k <= 8; ++k) EXPECT_EQ(board.viewpointLit[k], 1) << "viewpoint " << k << " judged by a move off the board";
    board.viewpointLit[8] = 0;
    EXPECT_EQ(evaluateMove(board, 2, 2), 0u) << "solved with the last viewpoint dark";
    for (const auto& [columns, rows] : {std::pair{0, 0}, {7, 2}, {2, 7}, {-1, 3}}) {  // sizes the grids cannot hold
        board.columnCount = columns, board.rowCount = rows;
        EXPECT_EQ(evaluateMove(board, 0, 0), 0u);
    }
}

TEST_F(Puzzle, HitTestMapsScreenCellsTruncatingTowardZeroAndIsInsideStrictlyBetweenTheOuterLines) {
    board.boardLeft = board.boardTop = 32;  // the 6 x 6 board
    board.boardRight = board.boardBottom = 206;
    struct Case { int x, y; std::uint32_t inside; std::int32_t column, row, left, top; };
    const Case cases[] = {
        {163, 191, 1, 6, 7, 149, 178}, {1, -20, 0, 1, 1, 4, 4},     {-40, 4, 0, 0, 1, -25, 4},
        {32, 61, 0, 1, 2, 4, 33},       {33, 62, 1, 2, 3, 33, 62},   {206, 100, 0, 7, 4, 178, 91},
        {205, 100, 1, 7, 4, 178, 91},   {100, 32, 0, 4, 1, 91, 4},   {100, 33, 1, 4, 2, 91, 33},
        {100, 206, 0, 4, 7, 91, 178},   {100, 205, 1, 4, 7, 91, 178}, {230, 300, 0, 8, 11, 207, 294}};
    for (const Case& c : cases) {
        std::int32_t left = 0, top = 0, column = 0, row = 0;
        EXPECT_EQ(hitTestBoard(board, c.x, c.y, left, top, column, row), c.inside) << c.x << "," << c.y;
        EXPECT_EQ(std::vector({column, row, left, top}), std::vector({c.column, c.row, c.left, c.top})) << c.x << "," << c.y;
    }
    std::int32_t left = 0, top = 0, column = 0, row = 0;
    EXPECT_EQ(hitTestBoard(board, INT32_MIN, INT32_MAX, left, top, column, row), 0u);
    EXPECT_EQ(column, (INT32_MIN - 4ll) / 29 + 1);
    EXPECT_EQ(row, (INT32_MAX - 4ll) / 29 + 1);
}

TEST_F(Puzzle, LevelsAndSizesOutsideTheTableChangeNothingAndDrawNothing) {
    setupLevel(board, 5);
    board.selectedTower = 3;
    const Board before = board;
    for (std::uint32_t level : {0u, 57u, 0xFFFFFFFFu}) setupLevel(board, level);
    EXPECT_EQ(std::vector({board.towerKindCount, board.columnCount, board.rowCount, board.boardColumnOffset,
                           board.boardRowOffset, board.selectedTower}),
              std::vector({before.towerKindCount, before.columnCount, before.rowCount, before.boardColumnOffset,
                           before.boardRowOffset, before.selectedTower}));
    board.solutionGrid.fill(8);
    for (const auto& [columns, rows] : {std::pair{0, 0}, {7, 2}, {2, -1}}) generatePuzzle(board, columns, rows);
    board.towerKindCount = 0;
    generatePuzzle(board, 2, 2);
    for (std::int32_t cell : board.solutionGrid) ASSERT_EQ(cell, 8);
    std::vector<std::uint16_t> memory(FRAME_PIXELS, UNTOUCHED);
    Frame frame;
    frame.BackBuffer = memory.data();
    // columns, rows, row offset, column offset
    for (const auto& [columns, rows, rowOffset, columnOffset] : {std::array{0, 0, 0, 0},  // an unset level
                                                                  {7, 1, 2, 2},
                                                                  {6, 6, 2, 3},  // its right-hand numbers would leave the frame
                                                                  {1, 1, 1, 4},  // and its top ones
                                                                  {1, 1, 4, 1},  // and its left-hand ones
                                                                  {1, 1, 11, 4}}) {  // and its bottom ones
        board.columnCount = columns, board.rowCount = rows;
        board.boardRowOffset = rowOffset, board.boardColumnOffset = columnOffset;
        drawBoard(frame, board);
    }
    EXPECT_EQ(std::count(memory.begin(), memory.end(), UNTOUCHED), FRAME_PIXELS);
}

// The result screens copy the play background from a darkened copy made the first time: it must be the
// picture drawn and shaded above the row given and the picture as it is below; so must any other
// picture given in its place, and one with the key is drawn keyed over the frame and shaded there.
// shadeRows shades the rest.
TEST_F(Puzzle, TheShadedBackgroundIsThePictureDrawnAndShadedAboveTheRowGiven) {
    std::vector<std::uint16_t> memory(FRAME_PIXELS, UNTOUCHED);
    Frame frame;
    frame.BackBuffer = memory.data();
    constexpr int SHADED_ROWS = 101;
    loadImages(frame);
    const std::uint16_t* const background = frame.images[IMAGE_PLAY_BACKGROUND];
    ASSERT_NE(background, nullptr);
    // The program's own picture, twice; two others without the key; one with it in every other pixel.
    for (const int first : {-1, 1, -1, 2, 0}) {
        std::vector<std::uint16_t> picture(background, background + FRAME_PIXELS);
        for (std::size_t i = 0; i < picture.size() && first >= 0; ++i)
            picture[i] = static_cast<std::uint16_t>(first == 0 && i % 2 != 0 ? 0 : i % 60000 + 1 + first);
        const auto expected = [&](int shadedRows) {
            std::vector<std::uint16_t> pixels(FRAME_PIXELS, UNTOUCHED);
            for (int i = 0; i < FRAME_PIXELS; ++i) {
                if (picture[i] != 0) pixels[i] = picture[i];
                if (i / FRAME_WIDTH < shadedRows && (i % FRAME_WIDTH + i / FRAME_WIDTH) % 2 == 0) pixels[i] = 0;
            }
            return pixels;
        };
        frame.images[IMAGE_PLAY_BACKGROUND] = first < 0 ? background : picture.data();
        std::fill(memory.begin(), memory.end(), UNTOUCHED);
        drawShadedBackground(frame, IMAGE_PLAY_BACKGROUND, SHADED_ROWS);
        EXPECT_EQ(memory, expected(SHADED_ROWS)) << "picture " << first;
        shadeRows(frame, SHADED_ROWS, FRAME_HEIGHT);
        EXPECT_EQ(memory, expected(FRAME_HEIGHT)) << "picture " << first;
    }
}

}  // namespace
