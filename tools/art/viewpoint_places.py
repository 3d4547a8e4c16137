"""Where the game writes the bottom and side viewpoint numbers, worked out from the boards of the level table,
so that the play background can keep the field behind them calm."""
from font import BODY_LEFT, BODY_TOP, GLYPHS

GRID_FIRST = 3
GRID_STEP = 29

# The level table's boards, each placement once: (columns, rows, column offset, row offset). A board's left
# grid line lies on the background's grid line number `column offset - 1`, its top on line `row offset - 1`.
# tests/art checks the picture against the game's own drawing of every level, so a changed table shows there.
BOARDS = ((1, 2, 4, 4), (2, 2, 4, 4), (2, 3, 4, 3), (2, 3, 4, 4), (2, 4, 4, 3), (2, 5, 4, 2), (3, 2, 3, 4),
          (3, 2, 4, 4), (3, 3, 4, 4), (3, 4, 3, 3), (3, 5, 3, 2), (4, 2, 3, 4), (4, 3, 3, 4), (4, 4, 3, 3),
          (4, 5, 3, 2), (5, 2, 2, 4), (5, 3, 2, 3), (5, 4, 2, 3), (5, 5, 2, 2), (5, 6, 2, 2), (6, 5, 2, 2),
          (6, 6, 2, 2))

# Where the board drawing puts a number's glyph cell, from the board's grid lines.
NUMBER_ALONG = 9           # from the left (or top) line of the number's column (or row)
BOTTOM_NUMBER_GAP = 7      # below the bottom line
LEFT_NUMBER_BEFORE = 18    # before the left line
RIGHT_NUMBER_GAP = 8       # after the right line

# A glyph's ink: its body and the outline round it, within the glyph cell.
BODY_WIDTH = max(len(row) for glyph in GLYPHS.values() for row in glyph)
BODY_HEIGHT = 9
INK_LEFT, INK_TOP = BODY_LEFT - 1, BODY_TOP - 1
INK_RIGHT, INK_BOTTOM = BODY_LEFT + BODY_WIDTH, BODY_TOP + BODY_HEIGHT


def grid_line(number):
    return GRID_FIRST + GRID_STEP * number


def number_cells(columns, rows, column_offset, row_offset):
    """The glyph cells' top-left corners of one board's bottom, left and right numbers."""
    left, top = grid_line(column_offset - 1), grid_line(row_offset - 1)
    right, bottom = left + GRID_STEP * columns, top + GRID_STEP * rows
    cells = [(left + NUMBER_ALONG + GRID_STEP * i, bottom + BOTTOM_NUMBER_GAP) for i in range(columns)]
    for j in range(rows):
        y = top + NUMBER_ALONG + GRID_STEP * j
        cells += [(left - LEFT_NUMBER_BEFORE, y), (right + RIGHT_NUMBER_GAP, y)]
    return cells


def calm_bands(clearance):
    """The bands (left, top, right, bottom, inclusive) where bottom and side numbers stand: for each row of the
    background's grid that holds any, the rows of their ink, across the columns that any number's ink reaches,
    widened by `clearance` on every side."""
    inks = [(x + INK_LEFT, y + INK_TOP, x + INK_RIGHT, y + INK_BOTTOM) for board in BOARDS for x, y in number_cells(*board)]
    left, right = min(ink[0] for ink in inks), max(ink[2] for ink in inks)
    rows = {}
    for ink in inks:
        row = (ink[1] - GRID_FIRST) // GRID_STEP
        top, bottom = rows.get(row, (ink[1], ink[3]))
        rows[row] = (min(top, ink[1]), max(bottom, ink[3]))
    return [(left - clearance, top - clearance, right + clearance, bottom + clearance) for top, bottom in rows.values()]
