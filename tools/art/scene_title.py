"""Draws the title sheet (108): the SPIREHOLD logo (rows 0..99) and the CREDITS heading (rows 144..187).

Both are drawn over the home backdrop, so everything round the lettering stays transparent.
"""
from scene_common import (Canvas, GLYPHS, OUTLINE, VIOLET, DUSK_PINK, WARM_ORANGE, WINDOW_YELLOW, STONE_LIGHT,
                          STONE_MID, SHADOW_VIOLET, WHITE_TEXT, BEACON_RED, rgb, letter_mask, paint_logo,
                          draw_outlined_text, text_width, save)

WIDTH, HEIGHT = 240, 188
LOGO_ROWS = (0, 99)
HEADING_ROWS = (144, 187)

SCALE_X, SCALE_Y, BOLD, LETTER_GAP = 4, 5, 2, 3
LETTER_WIDTH, LETTER_HEIGHT = 5 * SCALE_X + BOLD, 7 * SCALE_Y + BOLD
LETTER_TOP = 27                  # logo letters' first row
HEADING_TOP = 145
SPIRE_WIDTH, SPIRE_GAP = 12, 4
EXTRUDE = 3

SUNSET_BANDS = (WINDOW_YELLOW, rgb("#ffc058"), WARM_ORANGE, rgb("#e07868"), DUSK_PINK)
RIM_LIGHT = rgb("#fff6c8")
RIM_SHADE = rgb("#80305c")
SUBTITLE = "A TOWER LOGIC PUZZLE"


def spire_mask():
    """The letter I of the name as a tower: a needle, a pointed roof, a balcony ring and a tall body."""
    mask = set()
    middle = (SPIRE_WIDTH - 1) / 2
    for y in range(4, 10):
        mask.update({(5, y), (6, y)})
    for y in range(10, 22):
        half = 1 + (y - 10) * 5 / 11
        mask.update({(x, y) for x in range(SPIRE_WIDTH) if abs(x - middle) <= half})
    mask.update({(x, y) for y in (22, 23) for x in range(-1, SPIRE_WIDTH + 1)})
    mask.update({(x, y) for y in range(24, LETTER_TOP + LETTER_HEIGHT) for x in range(SPIRE_WIDTH)})
    return mask


def spire_windows(c, x0):
    for index, y in enumerate(range(LETTER_TOP + 2, LETTER_TOP + LETTER_HEIGHT - 4, 6)):
        for column, x in enumerate((x0 + 3, x0 + 7)):
            lit = (index + column) % 3 != 1
            c.fill_rect(x, y, x + 1, y + 2, rgb("#fff0b0") if lit else RIM_SHADE)
            c.fill_rect(x, y + 3, x + 1, y + 3, OUTLINE if lit else SHADOW_VIOLET)


def sparkle(c, x, y, arm=2):
    c.set(x, y, WHITE_TEXT)
    for step in range(1, arm + 1):
        colour = WINDOW_YELLOW if step == 1 else STONE_MID
        for dx, dy in ((step, 0), (-step, 0), (0, step), (0, -step)):
            c.set(x + dx, y + dy, colour)


def paint_word(c, text, x, top):
    mask = letter_mask(text, SCALE_X, SCALE_Y, LETTER_GAP, GLYPHS, bold=BOLD)
    paint_logo(c, mask, x, top, SUNSET_BANDS, RIM_LIGHT, RIM_SHADE, VIOLET, depth=EXTRUDE)
    return x + len(text) * (LETTER_WIDTH + LETTER_GAP) - LETTER_GAP


def draw_logo(c):
    left_word, right_word = "SP", "REHOLD"
    total = (len(left_word) + len(right_word)) * (LETTER_WIDTH + LETTER_GAP) - 2 * LETTER_GAP \
        + 2 * SPIRE_GAP + SPIRE_WIDTH
    x = (WIDTH - total - EXTRUDE) // 2
    after_left = paint_word(c, left_word, x, LETTER_TOP)
    spire_x = after_left + SPIRE_GAP
    paint_logo(c, spire_mask(), spire_x, 0, SUNSET_BANDS, RIM_LIGHT, RIM_SHADE, VIOLET, depth=EXTRUDE,
               band_top=LETTER_TOP, band_height=LETTER_HEIGHT)
    spire_windows(c, spire_x)
    c.set(spire_x + 5, 3, BEACON_RED)
    c.set(spire_x + 6, 3, BEACON_RED)
    sparkle(c, spire_x + 5, 1, arm=1)
    paint_word(c, right_word, spire_x + SPIRE_WIDTH + SPIRE_GAP, LETTER_TOP)
    for sx, sy in ((18, 16), (214, 12), (150, 8), (226, 72), (86, 18)):
        sparkle(c, sx, sy)
    draw_subtitle(c, LETTER_TOP + LETTER_HEIGHT + EXTRUDE + 12)


def draw_subtitle(c, top):
    width = text_width(SUBTITLE)
    x = (WIDTH - width) // 2
    draw_outlined_text(c, SUBTITLE, x, top, STONE_LIGHT)
    middle = top + 3
    for start, end in ((x - 44, x - 8), (x + width + 7, x + width + 43)):
        c.fill_rect(start, middle - 1, end, middle + 1, OUTLINE)
        c.fill_rect(start + 1, middle, end - 1, middle, DUSK_PINK)
    for centre in (x - 47, x + width + 46):
        diamond(c, centre, middle)


def diamond(c, x, y):
    for dy in range(-3, 4):
        half = 3 - abs(dy)
        c.fill_rect(x - half - 1, y + dy, x + half + 1, y + dy, OUTLINE)
    for dy in range(-2, 3):
        half = 2 - abs(dy)
        c.fill_rect(x - half, y + dy, x + half, y + dy, WARM_ORANGE if dy < 0 else DUSK_PINK)
    c.set(x, y - 2, WINDOW_YELLOW)


def draw_heading(c):
    text = "CREDITS"
    width = len(text) * (LETTER_WIDTH + LETTER_GAP) - LETTER_GAP
    x = (WIDTH - width - EXTRUDE) // 2
    paint_word(c, text, x, HEADING_TOP)
    sparkle(c, x + width + 14, HEADING_TOP + 6)
    sparkle(c, x + width + 22, HEADING_TOP + 28)
    sparkle(c, x - 10, HEADING_TOP + 30)


def make_title():
    c = Canvas(WIDTH, HEIGHT)
    draw_logo(c)
    draw_heading(c)
    return c


def main():
    save(make_title(), "108_title.png")


if __name__ == "__main__":
    main()
