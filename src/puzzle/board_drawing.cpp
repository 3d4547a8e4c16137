// Drawing of the board with its towers and viewpoint numbers, the tower panel and the result screens'
// shading.
#include "puzzle/board_drawing.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "gfx/images.h"
#include "gfx/pixel_blocks.h"
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

// The black grid lines, a grey frame just inside every cell and a grey frame round the whole grid,
// written row by row straight into the frame (the board fits it: boardFitsFrame). A pixel row of the
// grid is one of three kinds: a grid line; the top or bottom edge of a row of cells' frames, grey from
// side to side but for the grid's columns; or between them, the frames' left and right edges beside
// each grid column. The same pixels as the lines and rectangles they stand for, without a pass down
// each column, and with the grey pen left set as those left it.
void drawGridAndFrames(Frame& frame, const BoardLines& b) {
    frame.penColour = FRAME_COLOUR;
    std::uint16_t* const pixels = frame.BackBuffer;
    if (pixels == nullptr) return;
    const auto fillRow = [pixels](int y, int left, int right, std::uint16_t colour) {
        std::fill(pixels + y * FRAME_WIDTH + left, pixels + y * FRAME_WIDTH + right + 1, colour);
    };
    fillRow(b.top - 1, b.left - 1, b.right + 1, FRAME_COLOUR);
    for (int y = b.top; y <= b.bottom; ++y) {
        std::uint16_t* const row = pixels + y * FRAME_WIDTH;
        row[b.left - 1] = FRAME_COLOUR;
        row[b.right + 1] = FRAME_COLOUR;
        const int rowInCell = (y - b.top) % CELL;
        if (rowInCell == 0) {
            fillRow(y, b.left, b.right, GRID_COLOUR);
            continue;
        }
        if (rowInCell == CELL_FRAME_INSET || rowInCell == CELL_FRAME_FAR) fillRow(y, b.left + 1, b.right - 1, FRAME_COLOUR);
        for (int x = b.left; x < b.right; x += CELL) {
            row[x] = GRID_COLOUR;
            row[x + CELL_FRAME_INSET] = FRAME_COLOUR;
            row[x + CELL_FRAME_FAR] = FRAME_COLOUR;
        }
        row[b.right] = GRID_COLOUR;
    }
    fillRow(b.bottom + 1, b.left - 1, b.right + 1, FRAME_COLOUR);
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
    drawGridAndFrames(frame, lines);
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

// ---- The result screens' shading ----------------------------------------------------------------
// Every pixel whose x + y is even turns black, so the picture below shows through the others at half
// density. The result screens shade every frame, so rows go eight pixels at a time, each row with the
// mask of its parity.

constexpr PixelBlock SHADE_EVEN_X{0xFFFF, 0, 0xFFFF, 0, 0xFFFF, 0, 0xFFFF, 0};
constexpr PixelBlock SHADE_ODD_X{0, 0xFFFF, 0, 0xFFFF, 0, 0xFFFF, 0, 0xFFFF};
constexpr PixelBlock SHADE{SHADE_COLOUR, SHADE_COLOUR, SHADE_COLOUR, SHADE_COLOUR,
                           SHADE_COLOUR, SHADE_COLOUR, SHADE_COLOUR, SHADE_COLOUR};
static_assert(FRAME_WIDTH % PIXEL_BLOCK == 0 && PIXEL_BLOCK % 2 == 0, "rows are whole blocks of pixel pairs");

namespace {

PixelBlock shadedInRow(int y) { return y % 2 == 0 ? SHADE_EVEN_X : SHADE_ODD_X; }

}  // namespace

void shadeRows(Frame& frame, int first, int end) {
    frame.penColour = SHADE_COLOUR;
    std::uint16_t* const pixels = frame.BackBuffer;
    if (pixels == nullptr) return;
    for (int y = std::max(first, 0); y < std::min(end, FRAME_HEIGHT); ++y) {
        std::uint16_t* const row = pixels + y * FRAME_WIDTH;
        const PixelBlock shaded = shadedInRow(y);
        for (int x = 0; x < FRAME_WIDTH; x += PIXEL_BLOCK) storeBlock(row + x, selectBits(shaded, SHADE, loadBlock(row + x)));
    }
}

namespace {

// The program's whole-screen picture without the key, darkened: made the first time it is drawn
// (pictures are the program's resources, which never change), so that a result screen copies it as
// plainly as the play screen copies its background, rather than darkening the frame pixel by pixel.
// A picture with the key shows the frame through it, so it has no darkened copy; nor has any picture
// other than the program's own.
struct ShadedPicture {
    int image = -1;
    const std::uint16_t* source = nullptr;
    bool made = false;
    std::array<std::uint16_t, FRAME_PIXELS> pixels{};
};

// The darkened copy of `picture` when it is the program's own picture `image`, or null.
const std::uint16_t* shadedPicture(ImageId image, const std::uint16_t* picture) {
    static ShadedPicture shaded;
    if (shaded.image != image) {
        shaded.image = image;
        shaded.source = loadImage(IMAGE_RESOURCES[static_cast<std::size_t>(image)].id);
        shaded.made = shaded.source != nullptr && imageWidth(image) == FRAME_WIDTH && imageHeight(image) == FRAME_HEIGHT &&
                      std::find(shaded.source, shaded.source + FRAME_PIXELS, TRANSPARENT_KEY) == shaded.source + FRAME_PIXELS;
        for (int y = 0; y < FRAME_HEIGHT && shaded.made; ++y) {
            const PixelBlock shadedHere = shadedInRow(y);
            for (int x = 0; x < FRAME_WIDTH; x += PIXEL_BLOCK) {
                const std::ptrdiff_t at = y * FRAME_WIDTH + x;
                storeBlock(shaded.pixels.data() + at, selectBits(shadedHere, SHADE, loadBlock(shaded.source + at)));
            }
        }
    }
    return shaded.made && picture == shaded.source ? shaded.pixels.data() : nullptr;
}

}  // namespace

void drawShadedBackground(Frame& frame, ImageId image, int shadedRows) {
    const std::uint16_t* const picture = frame.images[image];
    const int shadedEnd = std::clamp(shadedRows, 0, FRAME_HEIGHT);
    const std::uint16_t* const shaded = picture != nullptr ? shadedPicture(image, picture) : nullptr;
    if (frame.BackBuffer == nullptr || shaded == nullptr) {
        drawImage(frame, image, 0, 0);
        shadeRows(frame, 0, shadedEnd);
        return;
    }
    const std::size_t shadedPixels = static_cast<std::size_t>(shadedEnd) * FRAME_WIDTH;
    std::memcpy(frame.BackBuffer, shaded, shadedPixels * sizeof *shaded);
    std::memcpy(frame.BackBuffer + shadedPixels, picture + shadedPixels, (FRAME_PIXELS - shadedPixels) * sizeof *picture);
    frame.penColour = SHADE_COLOUR;
}
