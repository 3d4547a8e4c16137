// Board, tower panel, shading and record keyboard drawn pixel for pixel against their geometry, with
// made-up images whose every pixel tells where it was taken from.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/game_state.h"
#include "puzzle/board_drawing.h"
#include "puzzle/level_table.h"

namespace {

constexpr int W = 240, H = 320;
constexpr std::uint16_t BACKGROUND = 0xFFFF;
constexpr std::uint16_t BLACK = 0x0000, GREY = 0xB5B6;

// Every image pixel is non-zero (so none is transparent) and unique within its image.
std::vector<std::uint16_t> makeImage(int width, int height, std::uint16_t first) {
    std::vector<std::uint16_t> image(static_cast<std::size_t>(width * height));
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint16_t>(first + i);
    return image;
}

class Drawing : public ::testing::Test {
protected:
    std::vector<std::uint16_t> frame = std::vector<std::uint16_t>(W * H, BACKGROUND);
    std::vector<std::uint16_t> expected = std::vector<std::uint16_t>(W * H, BACKGROUND);
    std::vector<std::uint16_t> font = makeImage(638, 26, 1);
    std::vector<std::uint16_t> tiles = makeImage(156, 26, 20001);
    std::vector<std::uint16_t> buttons = makeImage(240, 94, 30001);
    std::vector<std::uint16_t> dialog = makeImage(170, 187, 1);
    std::vector<std::uint16_t> keyHighlight = makeImage(16, 18, 60001);
    std::vector<std::uint16_t> okHighlight = makeImage(33, 25, 61001);

    void SetUp() override {
        resetGameState();
        gameState.BackBuffer = frame.data();
        gameState.fontImage = font.data();
        gameState.towerTilesImage = tiles.data();
        gameState.towerButtonsImage = buttons.data();
        gameState.recordDialogImage = dialog.data();
        gameState.keyHighlightImage = keyHighlight.data();
        gameState.okHighlightImage = okHighlight.data();
    }
    void TearDown() override { resetGameState(); }

    std::uint16_t at(int x, int y) const { return frame[y * W + x]; }

    // ---- the expected picture, painted from the geometry -------------------------------------
    void put(int x, int y, std::uint16_t colour) {
        ASSERT_TRUE(x >= 0 && x < W && y >= 0 && y < H) << x << "," << y;
        expected[y * W + x] = colour;
    }
    void outline(int x0, int y0, int x1, int y1, std::uint16_t colour) {
        for (int x = x0; x <= x1; ++x) put(x, y0, colour), put(x, y1, colour);
        for (int y = y0; y <= y1; ++y) put(x0, y, colour), put(x1, y, colour);
    }
    void paste(const std::vector<std::uint16_t>& image, int stride, int sx, int sy, int dx, int dy, int rows,
               int columns) {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) put(dx + c, dy + r, image[(sy + r) * stride + sx + c]);
    }
    void glyph(char character, int style, int x, int y) {
        paste(font, 638, 11 * (character - '!'), style == 0 ? 0 : 13, x, y, 13, 11);
    }

    // Paints what a columns x rows board at the given offsets must look like.
    void paintBoard(int columns, int rows, int columnOffset, int rowOffset) {
        const int x0 = 29 * columnOffset - 26, y0 = 29 * rowOffset - 26;
        const int x1 = x0 + 29 * columns, y1 = y0 + 29 * rows;
        for (int i = 0; i <= columns; ++i)
            for (int y = y0; y <= y1; ++y) put(x0 + 29 * i, y, BLACK);
        for (int j = 0; j <= rows; ++j)
            for (int x = x0; x <= x1; ++x) put(x, y0 + 29 * j, BLACK);
        outline(x0 - 1, y0 - 1, x1 + 1, y1 + 1, GREY);
        for (int i = 0; i < columns; ++i) {
            for (int j = 0; j < rows; ++j) {
                const int cx = x0 + 29 * i, cy = y0 + 29 * j;
                outline(cx + 1, cy + 1, cx + 28, cy + 28, GREY);
                const int kind = gameState.playerGrid[i * 6 + j];
                if (kind >= 1 && kind <= gameState.towerKindCount) paste(tiles, 156, 26 * (kind - 1), 0, cx + 2, cy + 2, 26, 26);
            }
        }
        int k = 1;
        auto number = [&](int x, int y) {
            glyph(static_cast<char>('0' + gameState.viewpointClues[k]), gameState.viewpointLit[k], x, y);
            ++k;
        };
        for (int i = 0; i < columns; ++i) number(x0 + 9 + 29 * i, y0 - 20);
        for (int j = 0; j < rows; ++j) number(x1 + 8, y0 + 9 + 29 * j);
        for (int i = 0; i < columns; ++i) number(x0 + 9 + 29 * i, y1 + 7);
        for (int j = 0; j < rows; ++j) number(x0 - 18, y0 + 9 + 29 * j);
    }

    void expectFrameAsPainted() {
        int wrong = 0;
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                if (frame[y * W + x] == expected[y * W + x]) continue;
                if (++wrong <= 5)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << frame[y * W + x] << ", expected "
                                  << expected[y * W + x];
            }
        }
        EXPECT_EQ(wrong, 0);
    }

    void drawCurrentBoard() {
        drawBoard(gameState.columnCount, gameState.rowCount, gameState.boardRowOffset, gameState.boardColumnOffset);
    }
};

TEST_F(Drawing, OneByOneBoardStandsWhereItsGeometrySays) {
    gameState.columnCount = gameState.rowCount = 1;
    gameState.boardColumnOffset = gameState.boardRowOffset = 4;
    gameState.towerKindCount = 2;
    gameState.viewpointClues = {0, 1, 2, 1, 2};
    drawCurrentBoard();
    EXPECT_EQ(at(90, 90), BLACK);
    EXPECT_EQ(at(119, 119), BLACK);
    EXPECT_EQ(at(89, 89), GREY);
    EXPECT_EQ(at(120, 120), GREY);
    EXPECT_EQ(at(91, 91), GREY);
    EXPECT_EQ(at(118, 118), GREY);
    EXPECT_EQ(at(92, 92), BACKGROUND);  // empty cell
    // The glyph cell's first pixel carries the font's column and row.
    EXPECT_EQ(at(99, 70), font[11 * ('1' - '!')]);
    EXPECT_EQ(at(127, 99), font[11 * ('2' - '!')]);
    EXPECT_EQ(at(99, 126), font[11 * ('1' - '!')]);
    EXPECT_EQ(at(72, 99), font[11 * ('2' - '!')]);
    EXPECT_EQ(gameState.boardLeft, 90);
    EXPECT_EQ(gameState.boardTop, 90);
    EXPECT_EQ(gameState.boardRight, 119);
    EXPECT_EQ(gameState.boardBottom, 119);
    paintBoard(1, 1, 4, 4);
    expectFrameAsPainted();
}

TEST_F(Drawing, EveryLevelsBoardMatchesItsGeometry) {
    for (std::uint32_t level = 1; level <= 56; ++level) {
        SCOPED_TRACE(level);
        std::fill(frame.begin(), frame.end(), BACKGROUND);
        std::fill(expected.begin(), expected.end(), BACKGROUND);
        setupLevel(level);
        for (int i = 0; i < 36; ++i) gameState.playerGrid[i] = static_cast<std::int32_t>((i + level) % 7);
        for (int k = 1; k < VIEWPOINT_SLOTS; ++k) {
            gameState.viewpointClues[k] = static_cast<std::int32_t>((k * level) % 7);
            gameState.viewpointLit[k] = (k + level) % 2;
        }
        drawCurrentBoard();
        paintBoard(gameState.columnCount, gameState.rowCount, gameState.boardColumnOffset, gameState.boardRowOffset);
        expectFrameAsPainted();
        EXPECT_EQ(gameState.boardRight - gameState.boardLeft, 29 * gameState.columnCount);
        EXPECT_EQ(gameState.boardBottom - gameState.boardTop, 29 * gameState.rowCount);
    }
}

TEST_F(Drawing, ArgumentsAreRowOffsetBeforeColumnOffset) {
    gameState.columnCount = 2;
    gameState.rowCount = 2;
    drawBoard(2, 2, 6, 3);  // rows offset 6, columns offset 3
    EXPECT_EQ(gameState.boardLeft, 61);
    EXPECT_EQ(gameState.boardTop, 148);
}

TEST_F(Drawing, LitClueZeroShowsAGreenZero) {
    gameState.columnCount = gameState.rowCount = 1;
    gameState.towerKindCount = 5;
    gameState.viewpointClues = {0, 0, 0, 0, 0};
    gameState.viewpointLit = {0, 1, 0, 0, 0};
    drawBoard(1, 1, 4, 4);
    EXPECT_EQ(at(99, 70), font[13 * 638 + 11 * ('0' - '!')]);
    EXPECT_EQ(at(127, 99), font[11 * ('0' - '!')]);
}

TEST_F(Drawing, BoardsThatDoNotFitTheFrameAreNotDrawn) {
    drawBoard(0, 0, 0, 0);  // an unset level
    drawBoard(6, 6, 2, 3);  // its right-hand numbers would leave the frame
    drawBoard(7, 1, 2, 2);
    drawBoard(1, 1, 1, 4);  // its top numbers would leave the frame
    drawBoard(1, 1, 4, 1);  // its left-hand numbers would leave the frame
    expectFrameAsPainted();
}

TEST_F(Drawing, TowerPanelShowsTheLevelsKindsAndTheChosenOne) {
    gameState.towerKindCount = 3;
    gameState.selectedTower = 1;
    drawTowerPanel();
    paste(buttons, 240, 0, 0, 0, 222, 47, 40);
    paste(buttons, 240, 40, 47, 40, 222, 47, 40);
    paste(buttons, 240, 80, 0, 80, 222, 47, 40);
    expectFrameAsPainted();
}

TEST_F(Drawing, TowerPanelWithNothingChosenAndAllSixKinds) {
    gameState.towerKindCount = 6;
    gameState.selectedTower = 6;
    drawTowerPanel();
    paste(buttons, 240, 0, 0, 0, 222, 47, 240);
    expectFrameAsPainted();
}

TEST_F(Drawing, ShadingBlackensEveryPixelWithEvenCoordinateSum) {
    gameState.penColour = 0x1234;
    shadeScreen();
    EXPECT_EQ(gameState.penColour, 0x0000);
    EXPECT_EQ(at(0, 0), BLACK);
    EXPECT_EQ(at(1, 1), BLACK);
    EXPECT_EQ(at(1, 0), BACKGROUND);
    EXPECT_EQ(at(0, 1), BACKGROUND);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if ((x + y) % 2 == 0) put(x, y, BLACK);
    expectFrameAsPainted();
}

TEST_F(Drawing, RecordKeyboardLabelsTheLetterKeys) {
    drawRecordKeyboard();
    paste(dialog, 170, 0, 0, 35, 66, 187, 170);
    for (int n = 0; n < 26; ++n) {
        const int column = n % 9, row = n / 9;
        glyph(static_cast<char>('A' + n), 0, 46 + 17 * column, 163 + 20 * row + (column % 2 == 1 ? 3 : 0));
    }
    expectFrameAsPainted();
    EXPECT_EQ(at(46, 183), font[11 * ('J' - '!')]);
    EXPECT_EQ(at(63, 186), font[11 * ('K' - '!')]);
}

TEST_F(Drawing, TheDeleteKeyKeepsTheDialogsOwnSign) {
    drawRecordKeyboard();
    for (int y = 203; y < 203 + 13; ++y)
        for (int x = 182; x < 182 + 11; ++x) EXPECT_EQ(at(x, y), dialog[(y - 66) * 170 + x - 35]) << x << "," << y;
}

TEST_F(Drawing, HeldKeysAreHighlightedBelowTheirLabels) {
    gameState.keyHeld = 1;
    gameState.heldKey = 11;
    gameState.heldKeyX = 80;
    gameState.heldKeyY = 183;
    drawRecordKeyboard();
    paste(dialog, 170, 0, 0, 35, 66, 187, 170);
    paste(keyHighlight, 16, 0, 0, 80, 183, 18, 16);
    for (int n = 0; n < 26; ++n) {
        const int column = n % 9, row = n / 9;
        glyph(static_cast<char>('A' + n), 0, 46 + 17 * column, 163 + 20 * row + (column % 2 == 1 ? 3 : 0));
    }
    expectFrameAsPainted();
}

TEST_F(Drawing, HeldOkKeyUsesItsOwnHighlightOneRowHigher) {
    gameState.keyHeld = 1;
    gameState.heldKey = 28;
    gameState.heldKeyX = 104;
    gameState.heldKeyY = 223;
    drawRecordKeyboard();
    EXPECT_EQ(at(104, 222), okHighlight[0]);
    EXPECT_EQ(at(136, 246), okHighlight[24 * 33 + 32]);
}

TEST_F(Drawing, MissingImagesDrawOnlyTheLines) {
    gameState.fontImage = nullptr;
    gameState.towerTilesImage = nullptr;
    gameState.towerButtonsImage = nullptr;
    gameState.recordDialogImage = nullptr;
    setupLevel(3);
    gameState.playerGrid.fill(1);
    drawCurrentBoard();
    drawTowerPanel();
    drawRecordKeyboard();
    EXPECT_EQ(at(90, 90), BLACK);
    EXPECT_EQ(at(92, 92), BACKGROUND);
    EXPECT_EQ(at(10, 230), BACKGROUND);
}

}  // namespace
