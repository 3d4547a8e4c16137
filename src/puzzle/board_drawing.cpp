// Drawing of the board with its towers and viewpoint numbers, the tower panel and the result screens'
// shading.
#include "puzzle/board_drawing.h"

#include <algorithm>
#include <cstdio>

#include "gfx/images.h"
#include "gfx/text.h"
#include "puzzle/board_lines.h"

namespace {

constexpr std::uint16_t GRID_COLOUR = 0x0000;
constexpr std::uint16_t FRAME_COLOUR = 0xB5B6;
constexpr std::uint16_t SHADE_COLOUR = 0x0000;

constexpr int CELL = SCREEN_CELL;
constexpr int GRID_LINE_SHIFT = CELL - SCREEN_GRID_ORIGIN;  // left grid line = CELL x column offset - shift
constexpr int CELL_FRAME_INSET = 1;    // grey frame just inside each cell
constexpr int CELL_FRAME_FAR = 28;
constexpr int TILE_INSET = 2;
constexpr int TILE_SIZE = 26;
constexpr int TILE_KINDS = 6;

// Viewpoint numbers, relative to the grid lines.
constexpr int NUMBER_ALONG = 9;        // from a cell's left (or top) grid line
constexpr int TOP_NUMBER_ABOVE = 20;
constexpr int RIGHT_NUMBER_GAP = 8;
constexpr int BOTTOM_NUMBER_GAP = 7;
constexpr int LEFT_NUMBER_BEFORE = 18;

// The chosen look sits in the sheet right under the plain one.
constexpr int BUTTON_CHOSEN_ROW = TOWER_BUTTON_HEIGHT;

struct BoardLines {
    int left, top, right, bottom;
};

BoardLines boardLines(int columns, int rows, int rowOffset, int columnOffset) {
    const int left = CELL * columnOffset - GRID_LINE_SHIFT;
    const int top = CELL * rowOffset - GRID_LINE_SHIFT;
    return {left, top, left + CELL * columns, top + CELL * rows};
}

// The callers' boards all fit; anything else (an unset level, a stale size) is not drawn at all rather
// than drawn in part.
bool boardFitsFrame(int columns, int rows, const BoardLines& lines) {
    return boardSizeValid(columns, rows) && lines.left - LEFT_NUMBER_BEFORE >= 0 && lines.top - TOP_NUMBER_ABOVE >= 0 &&
           lines.right + RIGHT_NUMBER_GAP + GLYPH_WIDTH <= FRAME_WIDTH &&
           lines.bottom + BOTTOM_NUMBER_GAP + GLYPH_HEIGHT <= FRAME_HEIGHT;
}

void drawGrid(Frame& frame, int columns, int rows, const BoardLines& b) {
    frame.penColour = GRID_COLOUR;
    drawRect(frame, b.left, b.top, b.right, b.bottom);
    for (int i = 1; i < columns; ++i) drawLine(frame, b.left + CELL * i, b.top, b.left + CELL * i, b.bottom);
    for (int j = 1; j < rows; ++j) drawLine(frame, b.left, b.top + CELL * j, b.right, b.top + CELL * j);
}

void drawFrames(Frame& frame, int columns, int rows, const BoardLines& b) {
    frame.penColour = FRAME_COLOUR;
    drawRect(frame, b.left - 1, b.top - 1, b.right + 1, b.bottom + 1);
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < columns; ++i) {
            const int x = b.left + CELL * i;
            const int y = b.top + CELL * j;
            drawRect(frame, x + CELL_FRAME_INSET, y + CELL_FRAME_INSET, x + CELL_FRAME_FAR, y + CELL_FRAME_FAR);
        }
    }
}

void drawTowers(Frame& frame, const Board& board, const BoardLines& b) {
    const int drawnKinds = std::min(board.towerKindCount, TILE_KINDS);
    for (int j = 0; j < board.rowCount; ++j) {
        for (int i = 0; i < board.columnCount; ++i) {
            const std::int32_t kind = board.playerGrid[cellIndex(i, j)];
            if (kind < 1 || kind > drawnKinds) continue;
            drawImagePart(frame, IMAGE_TOWER_TILES, TILE_SIZE * (kind - 1), 0, b.left + CELL * i + TILE_INSET,
                          b.top + CELL * j + TILE_INSET, TILE_SIZE, TILE_SIZE);
        }
    }
}

void drawViewpointNumber(Frame& frame, const Board& board, int viewpoint, int x, int y) {
    const int clue = board.viewpointClues[viewpoint];
    char text[12];
    // A clue is a single digit on every board; formatting it by hand spares two dozen printf calls a
    // frame and gives the same text as "%1d".
    if (clue >= 0 && clue <= 9) {
        text[0] = static_cast<char>('0' + clue);
        text[1] = '\0';
    } else {
        std::snprintf(text, sizeof text, "%1d", clue);
    }
    drawText(frame, text, x, y, board.viewpointLit[viewpoint] != 0 ? TEXT_GREEN : TEXT_WHITE);
}

void drawViewpointNumbers(Frame& frame, const Board& board, const BoardLines& b) {
    const int columns = board.columnCount, rows = board.rowCount;
    for (int i = 0; i < columns; ++i)
        drawViewpointNumber(frame, board, topViewpoint(i), b.left + NUMBER_ALONG + CELL * i, b.top - TOP_NUMBER_ABOVE);
    for (int j = 0; j < rows; ++j)
        drawViewpointNumber(frame, board, rightViewpoint(columns, j), b.right + RIGHT_NUMBER_GAP, b.top + NUMBER_ALONG + CELL * j);
    for (int i = 0; i < columns; ++i)
        drawViewpointNumber(frame, board, bottomViewpoint(columns, rows, i), b.left + NUMBER_ALONG + CELL * i,
                            b.bottom + BOTTOM_NUMBER_GAP);
    for (int j = 0; j < rows; ++j)
        drawViewpointNumber(frame, board, leftViewpoint(columns, rows, j), b.left - LEFT_NUMBER_BEFORE,
                            b.top + NUMBER_ALONG + CELL * j);
}

}  // namespace

void drawBoard(Frame& frame, Board& board) {
    const int columns = board.columnCount, rows = board.rowCount;
    const BoardLines lines = boardLines(columns, rows, board.boardRowOffset, board.boardColumnOffset);
    board.boardLeft = lines.left;
    board.boardTop = lines.top;
    board.boardRight = lines.right;
    board.boardBottom = lines.bottom;
    if (!boardFitsFrame(columns, rows, lines)) return;
    drawGrid(frame, columns, rows, lines);
    drawFrames(frame, columns, rows, lines);
    drawTowers(frame, board, lines);
    drawViewpointNumbers(frame, board, lines);
}

void drawTowerPanel(Frame& frame, const Board& board) {
    const int buttons = std::min(board.towerKindCount, TOWER_BUTTON_COUNT);
    for (int i = 0; i < buttons; ++i) {
        const int sourceY = i == board.selectedTower ? BUTTON_CHOSEN_ROW : 0;
        const int x = TOWER_BUTTON_WIDTH * i;
        drawImagePart(frame, IMAGE_TOWER_BUTTONS, x, sourceY, x, TOWER_PANEL_TOP, TOWER_BUTTON_HEIGHT, TOWER_BUTTON_WIDTH);
    }
}

// Single pixels, column by column, so the picture below shows through at half density.
// The same pixels as one-pixel rectangles at every even x + y, written straight into the frame: the
// result screens shade every frame, and 38400 rectangle calls cost more than the rest of the frame.
void shadeScreen(Frame& frame) {
    frame.penColour = SHADE_COLOUR;
    std::uint16_t* const pixels = frame.BackBuffer;
    if (pixels == nullptr) return;
    for (int y = 0; y < FRAME_HEIGHT; ++y) {
        std::uint16_t* const row = pixels + y * FRAME_WIDTH;
        for (int x = y % 2; x < FRAME_WIDTH; x += 2) row[x] = SHADE_COLOUR;
    }
}
