// The board's rules at their edges, the generator's statistics over many seeds, and the guards of level
// setup, generation and drawing for sizes and levels the game never asks for. Every level's own board,
// drawn and solved, is the trails'.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

#include "gfx/frame.h"
#include "gfx/images.h"
#include "platform/headless/headless.h"
#include "puzzle/board_drawing.h"
#include "puzzle/board_lines.h"
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

TEST(CountVisible, TallerTowersHideLowerOnesAndParksAreNeitherSeenNorHide) {
    const std::pair<std::vector<std::int32_t>, int> cases[] = {
        {{1, 2, 3, 4}, 4}, {{4, 3, 2, 1}, 1}, {{2, 1, 3, 1, 4}, 3}, {{}, 0},        {{3, 3, 3}, 1},
        {{1, 5, 2}, 2},    {{2, 5, 1}, 1},    {{5, 5}, 0},          {{5, 1}, 1},    {{6, 5, 4}, 1},
        {{4, 5, 6}, 2},    {{1, 2, 3, 4, 6}, 5}, {{6, 6}, 1},       {{0, 1, 0, 2}, 2}};
    for (const auto& [line, seen] : cases) EXPECT_EQ(countVisible(line), seen) << ::testing::PrintToString(line);
}

// Boards as text: the cells row by row ('.' empty), then per viewpoint (top, right, bottom, left, each
// left to right or top to bottom) its clue, its light before the move and after it.
TEST_F(Puzzle, AMoveLightsTheFullLinesOfItsRowAndColumnThatMeetTheirCluesAndOnlyThose) {
    struct Case { int columns, rows; const char *cells, *clues, *litBefore; int column, row; const char* litAfter; int solved; };
    const Case cases[] = {
        {1, 2, "1.", "211111", "000000", 0, 0, "010010", 0},  // the column is not full yet
        {1, 2, "12", "211111", "010010", 0, 1, "111111", 1},
        {1, 2, "21", "211111", "010010", 0, 1, "011011", 0},  // full but counting otherwise
        {3, 1, "555", "00000000", "00000000", 1, 0, "01010101", 0},
        {3, 1, "654", "10121011", "10101010", 1, 0, "11111111", 1},
        {3, 1, "222", "11111111", "00000000", 0, 0, "10011001", 0},
        {2, 2, "1.11", "11111111", "11111111", 1, 0, "10011001", 0},  // an emptied cell unlights its lines
        {2, 2, "1111", "11111111", "11110111", 1, 0, "11110111", 0},  // a dark viewpoint elsewhere counts
        {2, 2, "1111", "11111111", "11111111", 2, 2, "11111111", 1},  // no line of the board to judge
        {2, 2, "1111", "11111111", "11111110", 2, 2, "11111110", 0}};  // the last viewpoint dark
    for (const Case& c : cases) {
        board.columnCount = c.columns, board.rowCount = c.rows;
        for (int i = 0; i < c.columns * c.rows; ++i)
            board.playerGrid[cellIndex(i % c.columns, i / c.columns)] = c.cells[i] == '.' ? 0 : c.cells[i] - '0';
        for (int k = 1; k <= 2 * (c.columns + c.rows); ++k) {
            board.viewpointClues[k] = c.clues[k - 1] - '0';
            board.viewpointLit[k] = c.litBefore[k - 1] - '0';
        }
        EXPECT_EQ(evaluateMove(board, c.column, c.row), static_cast<std::uint32_t>(c.solved)) << c.cells;
        std::string lit;
        for (int k = 1; k <= 2 * (c.columns + c.rows); ++k) lit += static_cast<char>('0' + board.viewpointLit[k]);
        EXPECT_EQ(lit, c.litAfter) << c.cells;
    }
    for (const auto& [columns, rows] : {std::pair{0, 0}, {7, 2}, {2, 7}, {-1, 3}}) {  // sizes the grids cannot hold
        board.columnCount = columns, board.rowCount = rows;
        board.viewpointLit.fill(1);
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

TEST_F(Puzzle, OverManySeedsEveryKindAppearsAndEveryClueCountsItsHiddenLine) {
    std::set<std::int32_t> kindsSeen[7];
    for (std::uint32_t seed = 1; seed <= 120; ++seed) {
        headless::configure(seed, headless::STANDARD_DISPLAY, "", false);
        for (std::uint32_t level = 1; level <= LEVEL_COUNT; ++level) {
            setupLevel(board, level);
            const int w = board.columnCount, h = board.rowCount, n = board.towerKindCount;
            generatePuzzle(board, w, h);
            std::vector<std::vector<std::int32_t>> lines(static_cast<std::size_t>(2 * (w + h) + 1));
            for (int x = 0; x < w; ++x) {  // each viewpoint's hidden line in its viewing order
                for (int y = 0; y < h; ++y) {
                    const std::int32_t kind = board.solutionGrid[cellIndex(x, y)];
                    ASSERT_TRUE(kind >= 1 && kind <= n) << "level " << level;
                    kindsSeen[n].insert(kind);
                    lines[1 + x].push_back(kind);
                    lines[w + 1 + y].insert(lines[w + 1 + y].begin(), kind);
                    lines[w + h + 1 + x].insert(lines[w + h + 1 + x].begin(), kind);
                    lines[2 * w + h + 1 + y].push_back(kind);
                }
            }
            for (int k = 1; k <= 2 * (w + h); ++k)
                ASSERT_EQ(board.viewpointClues[k], countVisible(lines[k])) << "level " << level << " viewpoint " << k;
        }
    }
    for (int n = 2; n <= 6; ++n) EXPECT_EQ(kindsSeen[n].size(), static_cast<std::size_t>(n)) << n;
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
