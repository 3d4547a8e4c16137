"""Composes approximate game screens from the asset PNGs, to judge the scene art in place.

    python3 tools/art/scene_preview.py [OUTPUT_FOLDER]

Writes home.png, credits.png, play.png, tutorial_controls.png, tutorial_choose.png, tutorial_place.png and
tutorial_city.png (each 240 x 320, colours reduced to RGB565 as on the device). Pictures another artist has
not made yet are stood in for by flat rectangles.
"""
import os
import sys

from png_read import read_png
from scene_common import Canvas, asset_path, rgb

FONT_GLYPH_WIDTH, FONT_GLYPH_HEIGHT, FONT_STRIDE = 11, 13, 638
PAGE_BLUE = (8, 0, 74, 255)            # 0x0809
FRAME_GREY = (181, 182, 181, 255)      # 0xB5B6
PLACEHOLDER = rgb("#404048")


def load(name):
    path = asset_path(name)
    return read_png(path) if os.path.exists(path) else None


class Screen:
    def __init__(self):
        self.frame = Canvas(240, 320, (0, 0, 0, 255))
        self.font = load("104_font.png")

    def blit(self, image, x, y, width=None, height=None, src_x=0, src_y=0, placeholder=PLACEHOLDER):
        """Keyed copy of a part of an image; a missing image leaves a placeholder rectangle."""
        if image is None:
            if width and height:
                self.frame.fill_rect(x, y, x + width - 1, y + height - 1, placeholder)
            return
        width = width or image.width
        height = height or image.height
        for row in range(height):
            for column in range(width):
                colour = image.get(src_x + column, src_y + row)
                if colour[3] >= 128:
                    self.frame.set(x + column, y + row, colour)

    def text(self, text, x, y, style=0):
        for index, char in enumerate(text):
            code = ord(char)
            if 0x21 <= code <= 0x5A:
                if self.font is None:
                    self.frame.fill_rect(x + 8 * index + 2, y + 2, x + 8 * index + 7, y + 10, rgb("#f8f8f8"))
                else:
                    self.blit(self.font, x + 8 * index, y, FONT_GLYPH_WIDTH, FONT_GLYPH_HEIGHT,
                              FONT_GLYPH_WIDTH * (code - 0x21), FONT_GLYPH_HEIGHT * style)

    def fill(self, x0, y0, x1, y1, colour):
        self.frame.fill_rect(x0, y0, x1, y1, colour)

    def rect(self, x0, y0, x1, y1, colour):
        self.frame.rect(x0, y0, x1, y1, colour)

    def line(self, x0, y0, x1, y1, colour):
        self.frame.line(x0, y0, x1, y1, colour)

    def save(self, folder, name):
        out = Canvas(240, 320)
        for i, (r, g, b, _) in enumerate(self.frame.pixels):
            out.pixels[i] = (r & 0xF8 | r >> 5, g & 0xFC | g >> 6, b & 0xF8 | b >> 5, 255)
        path = os.path.join(folder, name)
        out.save_png(path)
        print("wrote", path)


CREDITS = (("PROGRAMMING AND DESIGN", 30, 56, 1), ("THE SPIREHOLD TEAM", 46, 71, 0),
           ("GAME CODE AND ART", 53, 84, 0), ("SOUND ENGINE", 67, 104, 1), ("SPIREHOLD SOUND", 63, 119, 0),
           ("ORIGINAL MUSIC", 60, 139, 1), ("SPIREHOLD MUSIC", 63, 154, 0), ("THANKS TO", 77, 174, 1),
           ("FRIENDS AND FAMILIES", 41, 189, 0), ("AND YOU, PLAYER!", 56, 202, 0))


def home(images, folder):
    s = Screen()
    s.blit(images["home"], 0, 0)
    s.blit(images["title"], 0, 11, 240, 100)
    menu = images["menu"]
    s.blit(menu, 132, 114, 108, 7, 0, 0)
    s.blit(menu, 132, 226, 108, 12, 0, 112)
    s.blit(menu, 132, 121, 108, 35, 0, 7)
    s.blit(menu, 132, 156, 108, 35, 108, 42)          # HELP held down
    s.blit(menu, 132, 191, 108, 35, 0, 77)
    s.save(folder, "home.png")


def credits(images, folder):
    s = Screen()
    s.blit(images["home"], 0, 0)
    s.blit(images["title"], 0, 6, 240, 44, 0, 144)
    s.text("V1.0", 204, 306)
    for text, x, y, style in CREDITS:
        s.text(text, x, y, style)
    s.save(folder, "credits.png")


def board(s, images, columns, rows, column_offset, row_offset, grid, lit):
    x0, y0 = 29 * column_offset - 26, 29 * row_offset - 26
    x1, y1 = x0 + 29 * columns, y0 + 29 * rows
    dark = (0, 0, 0, 255)
    s.rect(x0, y0, x1, y1, dark)
    for i in range(1, columns):
        s.line(x0 + 29 * i, y0, x0 + 29 * i, y1, dark)
    for j in range(1, rows):
        s.line(x0, y0 + 29 * j, x1, y0 + 29 * j, dark)
    s.rect(x0 - 1, y0 - 1, x1 + 1, y1 + 1, FRAME_GREY)
    for j in range(rows):
        for i in range(columns):
            s.rect(x0 + 29 * i + 1, y0 + 29 * j + 1, x0 + 29 * i + 28, y0 + 29 * j + 28, FRAME_GREY)
            kind = grid.get((i, j), 0)
            if kind:
                s.blit(images["tiles"], x0 + 29 * i + 2, y0 + 29 * j + 2, 26, 26, 26 * (kind - 1), 0)
    for i in range(columns):
        s.text("2", x0 + 9 + 29 * i, y0 - 20, lit)
        s.text("1", x0 + 9 + 29 * i, y1 + 7, 0)
    for j in range(rows):
        s.text("3", x1 + 8, y0 + 9 + 29 * j, 0)
        s.text("2", x0 - 18, y0 + 9 + 29 * j, lit)


def tower_panel(s, images, kinds, chosen):
    for index in range(kinds):
        s.blit(images["buttons"], 40 * index, 222, 40, 47, 40 * index, 47 if index == chosen else 0)


def play(images, folder):
    s = Screen()
    s.blit(images["play"], 0, 0, 240, 320)
    grid = {(0, 0): 6, (1, 0): 1, (2, 0): 2, (3, 0): 3, (4, 0): 4, (5, 0): 5,
            (0, 1): 5, (1, 1): 6, (2, 1): 4, (3, 1): 3, (4, 1): 2, (5, 1): 1,
            (0, 2): 3, (2, 2): 6, (4, 2): 1, (1, 3): 2, (3, 3): 4, (5, 3): 6}
    board(s, images, 6, 5, 2, 2, grid, 1)
    tower_panel(s, images, 6, 2)
    s.text("12", 20, 284)
    s.text("00:01:23", 52, 284)
    s.text("   TOWER", 135, 284, 1)
    s.save(folder, "play.png")


def tutorial_page(images, header_only=False):
    s = Screen()
    s.fill(0, 0, 239, 319, PAGE_BLUE)
    s.blit(images["parts"], 0, 2, 240, 33)
    s.fill(0, 300, 239, 319, (0, 0, 0, 255))
    s.text("HOME>>>", 4, 303)
    return s


def tutorial_controls(images, folder):
    s = tutorial_page(images)
    s.text("1", 194, 303, 1)
    s.text("*2*3", 202, 303)
    s.text("GAME CONTROLS", 4, 40, 1)
    s.text("THE GAME PANEL IS SHOWN", 6, 70)
    s.text("BELOW.", 6, 85)
    s.blit(images["play"], 0, 280, 240, 20, 0, 300)
    parts = images["parts"]
    rows = (("- GO TO HOME MENU", 112, 0, 60, 14, 109), ("- PREVIOUS LEVEL", 127, 60, 55, 18, 124),
            ("- SOLVE LEVEL", 142, 115, 25, 50, 139), ("- RESET LEVEL", 157, 140, 24, 50, 154),
            ("- TOGGLE SOUND", 172, 164, 20, 52, 169), ("- NEXT LEVEL", 187, 184, 55, 18, 184))
    for text, text_y, src_x, width, x, y in rows:
        s.text(text, 80, text_y)
        s.blit(parts, x, y, width, 22, src_x, 33)
    s.text("TAP THE SCREEN TO CONTINUE", 14, 263, 1)
    s.save(folder, "tutorial_controls.png")


def playing_page(images, grid, lit):
    s = Screen()
    s.blit(images["play"], 0, 0, 240, 320)
    s.fill(0, 0, 239, 240, PAGE_BLUE)
    s.blit(images["parts"], 0, 2, 240, 33)
    s.fill(0, 300, 239, 319, (0, 0, 0, 255))
    s.text("HOME>>>", 4, 303)
    s.text("1*2", 194, 303, 1)
    s.text("*3", 218, 303)
    tower_panel(s, images, 3, 2)
    board(s, images, 2, 2, 6, 6, grid, lit)
    s.text("PLAYING THE GAME", 4, 40, 1)
    return s


def ground(s, colour):
    for a, b in (((21, 184), (65, 201)), ((65, 201), (108, 182)), ((108, 182), (66, 164)),
                 ((66, 164), (21, 184)), ((45, 174), (87, 192)), ((43, 192), (86, 173))):
        s.line(a[0], a[1], b[0], b[1], colour)


def city(s, images, with_second_low):
    parts = images["parts"]
    s.blit(parts, 47, 149, 38, 32, 90, 58)
    s.blit(parts, 23, 155, 39, 35, 50, 55)
    s.blit(parts, 67, 164, 38, 26, 128, 64)
    if with_second_low:
        s.blit(parts, 45, 173, 38, 26, 128, 64)


def tutorial_choose(images, folder):
    s = playing_page(images, {}, 0)
    for i, text in enumerate(("TO DO THIS, TAP ON A TOWER...", "THEN TAP ON A TILE WHERE YOU", "WANT IT PLACED")):
        s.text(text, 4, 65 + 15 * i)
    s.blit(images["parts"], 84, 233, 30, 30, 20, 55)
    s.blit(images["parts"], 98, 247, 20, 32, 0, 55)
    s.save(folder, "tutorial_choose.png")


def tutorial_place(images, folder):
    s = playing_page(images, {(0, 1): 3}, 0)
    for i, text in enumerate(("TO DO THIS, TAP ON A TOWER...", "THEN TAP ON A TILE WHERE YOU", "WANT IT PLACED")):
        s.text(text, 4, 65 + 15 * i)
    s.blit(images["parts"], 149, 177, 30, 30, 20, 55)
    s.blit(images["parts"], 164, 191, 20, 32, 0, 55)
    s.save(folder, "tutorial_place.png")


def tutorial_city(images, folder):
    s = playing_page(images, {(0, 1): 3, (0, 0): 2, (1, 0): 1}, 0)
    ground(s, (255, 255, 255, 255))
    s.text("IMAGINE THE TOWERS IN 3D...", 4, 65)
    city(s, images, False)
    s.save(folder, "tutorial_city.png")
    s = playing_page(images, {(0, 1): 3, (0, 0): 2, (1, 0): 1, (1, 1): 1}, 1)
    ground(s, FRAME_GREY)
    for i, text in enumerate(("THE VIEWPOINTS LIGHT UP WHEN", "A COLUMN OR ROW IS FILLED", "WITH THE CORRECT TOWERS")):
        s.text(text, 4, 65 + 15 * i)
    city(s, images, True)
    s.save(folder, "tutorial_lit.png")


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "/tmp/spirehold_scene_preview"
    os.makedirs(folder, exist_ok=True)
    images = {"home": load("107_home_background.png"), "title": load("108_title.png"),
              "menu": load("109_menu_buttons.png"), "play": load("103_play_background.png"),
              "buttons": load("105_tower_buttons.png"), "tiles": load("106_tower_tiles.png"),
              "parts": load("122_tutorial_parts.png")}
    home(images, folder)
    credits(images, folder)
    play(images, folder)
    tutorial_controls(images, folder)
    tutorial_choose(images, folder)
    tutorial_place(images, folder)
    tutorial_city(images, folder)


if __name__ == "__main__":
    main()
