"""Lays the game's screens out from the PNGs in assets/images, roughly as the game draws them, so the art
can be looked at together before the game runs.

    python3 tools/art/preview.py OUTPUT_DIR      (then e.g. convert OUT.png -scale 300% OUT3.png)

Writes preview_play.png, preview_record.png, preview_home.png and preview_end.png. Pictures that do not
exist yet are left out."""
import os
import sys

from canvas import Canvas, rgb
from png_read import read_png

HERE = os.path.dirname(os.path.abspath(__file__))
IMAGE_DIR = os.path.join(HERE, "..", "..", "assets", "images")
GRID_BLACK = (0, 0, 0, 255)
FRAME_GREY = (0xB0, 0xB4, 0xB0, 255)
PICK_GREEN = (0, 0xFC, 0, 255)


def load(prefix):
    for name in sorted(os.listdir(IMAGE_DIR)):
        if name.startswith(prefix + "_") and name.endswith(".png"):
            return read_png(os.path.join(IMAGE_DIR, name))
    return None


def blit_part(frame, image, sx, sy, dx, dy, width, height):
    """The game's keyed copy: transparent pixels leave the frame as it is."""
    if image is None:
        return
    for i in range(height):
        for j in range(width):
            colour = image.get(sx + j, sy + i)
            if colour[3] >= 128:
                frame.set(dx + j, dy + i, colour)


def blit(frame, image, x, y):
    if image is not None:
        blit_part(frame, image, 0, 0, x, y, image.width, image.height)


def text(frame, font, string, x, y, style):
    for i, char in enumerate(string):
        glyph = ord(char) - 0x21
        if 0 <= glyph < 58:
            blit_part(frame, font, 11 * glyph, 13 * (1 if style else 0), x + 8 * i, y, 11, 13)


def status_line(frame, font, level, clock, record):
    text(frame, font, "%2i" % level, 20, 284, 0)
    text(frame, font, "%8s" % clock, 52, 284, 0)
    text(frame, font, "%8s" % record, 135, 284, 0)


def board(frame, tiles, font, columns, rows, column_offset, row_offset, grid, clues, lit):
    x0, y0 = 29 * column_offset - 26, 29 * row_offset - 26
    x1, y1 = x0 + 29 * columns, y0 + 29 * rows
    for i in range(columns + 1):
        frame.line(x0 + 29 * i, y0, x0 + 29 * i, y1, GRID_BLACK)
    for j in range(rows + 1):
        frame.line(x0, y0 + 29 * j, x1, y0 + 29 * j, GRID_BLACK)
    frame.rect(x0 - 1, y0 - 1, x1 + 1, y1 + 1, FRAME_GREY)
    for j in range(rows):
        for i in range(columns):
            frame.rect(x0 + 29 * i + 1, y0 + 29 * j + 1, x0 + 29 * i + 28, y0 + 29 * j + 28, FRAME_GREY)
            kind = grid[j][i]
            if kind:
                blit_part(frame, tiles, 26 * (kind - 1), 0, x0 + 29 * i + 2, y0 + 29 * j + 2, 26, 26)
    k = 0
    for i in range(columns):
        text(frame, font, str(clues[k]), x0 + 9 + 29 * i, y0 - 20, lit[k]); k += 1
    for j in range(rows):
        text(frame, font, str(clues[k]), x1 + 8, y0 + 9 + 29 * j, lit[k]); k += 1
    for i in range(columns):
        text(frame, font, str(clues[k]), x0 + 9 + 29 * i, y1 + 7, lit[k]); k += 1
    for j in range(rows):
        text(frame, font, str(clues[k]), x0 - 18, y0 + 9 + 29 * j, lit[k]); k += 1


def tower_panel(frame, buttons, kinds, selected):
    for i in range(kinds):
        blit_part(frame, buttons, 40 * i, 47 if i == selected else 0, 40 * i, 222, 40, 47)


PANEL_BUTTONS = {"home": (0, 65), "previous": (81, 54), "solve": (136, 17), "reset": (154, 16),
                 "sound": (171, 12), "next": (184, 52)}


def pressed(frame, highlights, name):
    x, width = PANEL_BUTTONS[name]
    blit_part(frame, highlights, x, 0, x, 301, width, 19)


def shade(frame):
    for y in range(frame.height):
        for x in range(frame.width):
            if (x + y) % 2 == 0:
                frame.set(x, y, GRID_BLACK)


def play_screen(images, kinds=3, with_board=True):
    frame = Canvas(240, 320, rgb("#000000"))
    blit(frame, images[103], 0, 0)
    if with_board:
        grid = [[6, 0, 3, 1, 2, 0], [0, 5, 0, 4, 0, 1], [2, 0, 1, 0, 3, 0], [0, 4, 0, 2, 0, 6],
                [3, 0, 2, 0, 1, 0], [1, 2, 0, 3, 0, 4]]
        clues = [1, 2, 3, 2, 1, 4, 3, 2, 1, 2, 2, 1, 4, 1, 2, 3, 1, 2, 2, 3, 1, 2, 2, 1]
        lit = [1 if i % 3 == 0 else 0 for i in range(24)]
        board(frame, images[106], images[104], 6, 6, 2, 2, grid, clues, lit)
    tower_panel(frame, images[105], kinds, 2)
    status_line(frame, images[104], 12, "01:07", "   00:00")
    return frame


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    images = {i: load(str(i)) for i in (103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 122)}
    print("images present:", sorted(i for i, image in images.items() if image is not None))

    frame = play_screen(images)
    pressed(frame, images[110], "previous")
    pressed(frame, images[110], "sound")
    frame.rect(32 + 29 * 2 - 1, 32 + 29 - 1, 32 + 29 * 2 + 28, 32 + 29 + 28, PICK_GREEN)
    frame.rect(32 + 29 * 2, 32 + 29, 32 + 29 * 2 + 27, 32 + 29 + 27, PICK_GREEN)
    frame.save_png(os.path.join(out, "preview_play.png"))

    frame = play_screen(images, kinds=2, with_board=False)
    shade(frame)
    blit(frame, images[111], 35, 66)
    blit(frame, images[112], 95, 161)
    for n in range(26):
        column, row = n % 9, n // 9
        blit_part(frame, images[104], 352 + 11 * n, 0, 46 + 17 * column, 163 + 20 * row + (3 if column % 2 else 0), 11, 13)
    text(frame, images[104], "SPIREHLD", 88, 131, 0)
    frame.save_png(os.path.join(out, "preview_record.png"))

    frame = play_screen(images, kinds=6, with_board=False)
    shade(frame)
    for string, x, y, style in (("CONGRATULATIONS!", 54, 100, 1), ("LEVEL COMPLETE", 60, 116, 1),
                                ("TAP THE SCREEN TO MOVE", 32, 186, 0), ("ON TO THE NEXT LEVEL", 36, 201, 0)):
        text(frame, images[104], string, x, y, style)
    blit(frame, images[113], 104, 222)
    frame.save_png(os.path.join(out, "preview_end.png"))

    frame = Canvas(240, 320, rgb("#1a1038"))
    blit(frame, images[107], 0, 0)
    if images[108] is not None:
        blit_part(frame, images[108], 0, 0, 0, 11, 240, 100)
    menu = images[109]
    blit_part(frame, menu, 0, 0, 132, 114, 108, 7)
    blit_part(frame, menu, 0, 112, 132, 226, 108, 12)
    blit_part(frame, menu, 0, 7, 132, 121, 108, 35)
    blit_part(frame, menu, 108, 42, 132, 156, 108, 35)
    blit_part(frame, menu, 0, 77, 132, 191, 108, 35)
    frame.save_png(os.path.join(out, "preview_home.png"))


if __name__ == "__main__":
    main()
