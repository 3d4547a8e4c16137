"""Draws the tutorial's picture sheet (122): the page header, the control strip's buttons as labelled icons,
the stylus pointer, the tap ring and three buildings in an isometric view.

The icons are stacked on the controls page 15 rows apart although each piece is 22 rows high, so each
button keeps to rows 2..16 of its piece and the later one never covers the earlier.
"""
import math

from scene_common import (Canvas, OUTLINE, PANEL_BLUE, PANEL_LIGHT, PANEL_DARK, FAR_VIOLET, VIOLET,
                          DUSK_PINK, WARM_ORANGE, WINDOW_YELLOW, STONE_LIGHT, STONE_MID, STONE_DARK,
                          WHITE_TEXT, SHADOW_VIOLET, NIGHT, KIND_COLOURS, BEACON_RED, GLYPHS, rgb, mix, darken,
                          letter_mask, paint_logo, draw_outlined_text, text_width, save)

WIDTH, HEIGHT = 240, 90
HEADER = (0, 0, 240, 33)
ICON_TOP, ICON_HEIGHT = 33, 22
ICON_ROWS = (2, 16)                       # rows of a piece the button may use
ICONS = {"home": (0, 60), "previous": (60, 55), "solve": (115, 25), "reset": (140, 24), "sound": (164, 20),
         "next": (184, 55)}
POINTER = (0, 55, 20, 32)
TAP_RING = (20, 55, 30, 30)
TALL_BUILDING = (50, 55, 39, 35)
MIDDLE_BUILDING = (90, 58, 38, 32)
LOW_BUILDING = (128, 64, 38, 26)
FOOTPRINT_HALF_HEIGHT = 8                 # a building's footprint is a flat diamond 17 rows deep

VIOLET_LIGHT = rgb("#6a4aa8")
VIOLET_DEEP = rgb("#3a2468")
WHITE_SHADE = rgb("#d8d0e8")


# ---- Header ----------------------------------------------------------------------------------------------

def header(c):
    x0, y0, width, height = HEADER
    x1, y1 = x0 + width - 1, y0 + height - 1
    for y in range(y0, y1 + 1):
        colour = PANEL_BLUE if y < y0 + 20 else PANEL_DARK
        c.fill_rect(x0, y, x1, y, colour)
    c.fill_rect(x0, y0 + 1, x1, y0 + 1, PANEL_LIGHT)
    c.fill_rect(x0, y0, x1, y0, OUTLINE)
    c.fill_rect(x0, y1, x1, y1, OUTLINE)
    c.fill_rect(x0, y1 - 1, x1, y1 - 1, SHADOW_VIOLET)
    header_skyline(c, x0 + 2, 64, y1 - 2)
    header_skyline(c, x1 - 64, x1 - 2, y1 - 2)
    word = "TUTORIAL"
    mask = letter_mask(word, 2, 3, 3, GLYPHS, bold=1, chamfer=1)
    word_width = max(px for px, _ in mask) + 1
    bands = (WINDOW_YELLOW, rgb("#ffc058"), WARM_ORANGE, rgb("#e07868"))
    paint_logo(c, mask, (width - word_width - 2) // 2, y0 + 4, bands, rgb("#fff6c8"), rgb("#80305c"), VIOLET)


def header_skyline(c, x0, x1, base):
    """A row of small towers with lit windows along the bar's lower edge."""
    heights = (9, 14, 7, 18, 11, 6, 15, 10, 13, 8)
    x, index = x0, 0
    while x < x1:
        width = 5 + (index * 3) % 4
        top = base - heights[index % len(heights)]
        right = min(x + width - 1, x1)
        c.fill_rect(x, top, right, base, FAR_VIOLET)
        c.fill_rect(x, top, x, base, VIOLET)
        c.fill_rect(x, top - 1, right, top - 1, OUTLINE)
        for wy in range(top + 2, base - 1, 3):
            for wx in range(x + 2, right - 1, 2):
                if (wx * 7 + wy * 3 + index) % 5 < 2:
                    c.set(wx, wy, WINDOW_YELLOW if (wx + wy) % 3 else WARM_ORANGE)
        x += width + 1
        index += 1


# ---- Control icons ---------------------------------------------------------------------------------------

def pixels(rows, colours):
    return [(x, y, colours[ch]) for y, row in enumerate(rows) for x, ch in enumerate(row) if ch != "."]


W, S, Y, O, D = WHITE_TEXT, WHITE_SHADE, WINDOW_YELLOW, WARM_ORANGE, VIOLET_DEEP
HOUSE = pixels(("....W....", "...WWW...", "..WWWWW..", ".WWWWWWW.", "WWWWWWWWW", ".WWYWWWW.", ".WWYWDDW.",
                ".WWWWDDW."), {"W": W, "Y": Y, "D": D})
ARROW_LEFT = pixels(("...W", "..WW", ".WWW", "WWWW", ".WWS", "..WS", "...S"), {"W": W, "S": S})
ARROW_RIGHT = pixels(("W...", "WW..", "WWW.", "WWWW", "WWS.", "WS..", "S..."), {"W": W, "S": S})
BULB = pixels((".YYY.", "YYWYY", "YWYYY", "YYYYY", ".YOY.", "..O..", ".SSS.", ".SSS."),
              {"Y": Y, "W": W, "O": O, "S": STONE_LIGHT})
RESET = pixels(("..WWW...", ".W...W.W", "W.....WW", "W....WWW", "W.......", "W......W", ".W....W.",
                "..WWWW.."), {"W": W})
SPEAKER = pixels(("...W..", "..WW..", "WWWW.W", "WWWW.W", "WWWW.W", "..WW..", "...W.."), {"W": W})


def picture_width(picture):
    return max(x for x, _, _ in picture) + 1


def picture_height(picture):
    return max(y for _, y, _ in picture) + 1


def draw_picture(c, picture, x, y):
    """Draws a small picture with a near-black ring on all eight sides."""
    spots = {(x + px, y + py) for px, py, _ in picture}
    for sx, sy in spots:
        for nx in (sx - 1, sx, sx + 1):
            for ny in (sy - 1, sy, sy + 1):
                if (nx, ny) not in spots:
                    c.set(nx, ny, OUTLINE)
    for px, py, colour in picture:
        c.set(x + px, y + py, colour)


def icon_plate(c, left, width):
    """A raised violet plate like the play screen's control buttons, rounded by one pixel."""
    x0, x1 = left + 1, left + width - 2
    y0, y1 = ICON_TOP + ICON_ROWS[0], ICON_TOP + ICON_ROWS[1]
    c.fill_rect(x0, y0, x1, y1, VIOLET)
    c.fill_rect(x0 + 1, y0 + 1, x1 - 1, y0 + 1, VIOLET_LIGHT)
    c.fill_rect(x0 + 1, y0 + 1, x0 + 1, y1 - 1, VIOLET_LIGHT)
    c.fill_rect(x0 + 1, y1 - 1, x1 - 1, y1 - 1, VIOLET_DEEP)
    c.fill_rect(x1 - 1, y0 + 2, x1 - 1, y1 - 1, VIOLET_DEEP)
    c.rect(x0, y0, x1, y1, OUTLINE)
    for x, y in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)):
        c.set(x, y, (0, 0, 0, 0))
    return x0, y0, x1, y1


def icon_with_label(c, name, parts):
    """Lays out pictures and words side by side, centred on the plate."""
    left, width = ICONS[name]
    x0, y0, x1, y1 = icon_plate(c, left, width)
    gap = 3
    widths = [picture_width(p) if isinstance(p, list) else text_width(p) for p in parts]
    total = sum(widths) + gap * (len(parts) - 1)
    x = x0 + (x1 - x0 + 1 - total + 1) // 2
    middle = (y0 + y1 + 1) // 2
    for part, part_width in zip(parts, widths):
        if isinstance(part, list):
            draw_picture(c, part, x, middle - picture_height(part) // 2)
        else:
            draw_outlined_text(c, part, x, middle - 3, W, lower_colour=S)
        x += part_width + gap


def icons(c):
    icon_with_label(c, "home", [HOUSE, "HOME"])
    icon_with_label(c, "previous", [ARROW_LEFT, "PREV"])
    icon_with_label(c, "solve", [BULB])
    icon_with_label(c, "reset", [RESET])
    icon_with_label(c, "sound", [SPEAKER])
    icon_with_label(c, "next", ["NEXT", ARROW_RIGHT])


# ---- Pointer and tap ring ----------------------------------------------------------------------------------

def pointer(c):
    """A stylus held from the lower right, its point at the picture's top-left corner."""
    left, top, width, height = POINTER
    length = math.hypot(width - 3, height - 3)
    along = ((width - 3) / length, (height - 3) / length)
    across = (-along[1], along[0])
    shape = {}
    for y in range(height):
        for x in range(width):
            t = x * along[0] + y * along[1]
            s = x * across[0] + y * across[1]
            if t < 0:
                continue
            if t < 8:
                half = 0.6 + t * 0.35                 # the cone of the point
            elif t <= length - 1:
                half = 3.4
            else:
                continue
            if abs(s) <= half:
                shape[(x, y)] = (t, s, half)
    for (x, y), (t, s, half) in shape.items():
        lit_side = s > 0.35 * half
        shaded = s < -0.35 * half
        if t < 3.2:
            colour = WHITE_TEXT if not shaded else STONE_LIGHT
        elif t < 8:
            colour = STONE_LIGHT if lit_side else (STONE_DARK if shaded else STONE_MID)
        elif t < 13:
            colour = (rgb("#e878a8") if lit_side else (darken(DUSK_PINK, 0.7) if shaded else DUSK_PINK))
        elif t < length - 5:
            colour = VIOLET_LIGHT if lit_side else (VIOLET_DEEP if shaded else VIOLET)
            if abs(s) < 0.6 and 16 < t < 24:
                colour = WINDOW_YELLOW if lit_side else WARM_ORANGE
        else:
            colour = WINDOW_YELLOW if lit_side else (darken(WARM_ORANGE, 0.8) if shaded else WARM_ORANGE)
        c.set(left + x, top + y, colour)
    for (x, y) in shape:
        for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
            if (nx, ny) not in shape and 0 <= nx < width and 0 <= ny < height:
                c.set(left + nx, top + ny, OUTLINE)
    c.set(left, top, OUTLINE)                           # the very point


def tap_ring(c):
    left, top, width, _ = TAP_RING
    centre = (width - 1) / 2
    for y in range(width):
        for x in range(width):
            r = math.hypot(x - centre, y - centre)
            if 11.6 <= r < 13.9:
                colour = WINDOW_YELLOW if (x - centre) + (y - centre) < 4 else WARM_ORANGE
            elif 10.7 <= r < 11.6 or 13.9 <= r < 14.8:
                colour = OUTLINE
            else:
                continue
            c.set(left + x, top + y, colour)


# ---- Isometric buildings --------------------------------------------------------------------------------------

def iso_box(c, left, floor, width, half_height, wall_height, kind, ceiling):
    """An isometric box whose footprint is a flat diamond `width` pixels wide and 2 * half_height + 1 rows
    deep, with its nearest corner at row `floor`. Light from the top-left: lit roof, left wall in the
    kind's middle tone, right wall in its dark tone. Nothing is drawn above row `ceiling`. Returns the
    row of the roof's far corner."""
    light, mid, dark = KIND_COLOURS[kind]
    centre = (width - 1) / 2
    roof_y = floor - wall_height - 2 * half_height

    def slope(x):
        return round(half_height * abs(x - centre) / centre)

    for x in range(width):
        roof_top = roof_y + slope(x)
        roof_bottom = roof_y + 2 * half_height - slope(x)
        c.fill_rect(left + x, roof_top, left + x, roof_bottom, light)
        c.fill_rect(left + x, roof_bottom + 1, left + x, roof_bottom + wall_height, mid if x < centre else dark)
        c.set(left + x, roof_top, mix(light, WHITE_TEXT, 0.5))           # lit far edges of the roof
        c.set(left + x, roof_bottom, darken(light, 0.82))                # near edges of the roof
        if 2 < x < width - 3:                                             # a parapet round the roof
            c.set(left + x, roof_top + 2, darken(light, 0.88))
            c.set(left + x, roof_bottom - 2, mix(light, WHITE_TEXT, 0.3))
        if roof_top > ceiling:
            c.set(left + x, roof_top - 1, OUTLINE)
        c.set(left + x, roof_bottom + wall_height, OUTLINE)
    for y in range(roof_y + 2 * half_height + 1, floor):                 # the near corner catches light
        c.set(left + int(centre), y, mix(mid, light, 0.4))
    for y in range(roof_y + half_height, roof_y + half_height + wall_height + 1):
        c.set(left, y, OUTLINE)
        c.set(left + width - 1, y, OUTLINE)
    iso_windows(c, left, roof_y, width, half_height, wall_height, slope)
    return roof_y


def iso_windows(c, left, roof_y, width, half_height, wall_height, slope):
    """Rows of windows that follow each wall's slope; a fixed pattern of them is lit."""
    centre = (width - 1) / 2
    index = 0
    for floor_y in range(3, wall_height - 1, 3):
        for x in range(3, width - 3, 3):
            if abs(x - centre) < 2:
                continue
            y = roof_y + 2 * half_height - slope(x) + floor_y
            index += 1
            lit = (index * 7) % 5 < 3
            if x < centre:
                colour = WINDOW_YELLOW if lit else SHADOW_VIOLET
            else:
                colour = WARM_ORANGE if lit else NIGHT
            c.set(left + x, y, colour)
            c.set(left + x, y + 1, colour)


def iso_building(c, box, kind, wall_height):
    """A building whose footprint's nearest corner is the middle of its picture's bottom row; the rows
    above its roof are left for rooftop details. Returns the row of the roof's far corner."""
    left, top, width, height = box
    return iso_box(c, left, top + height - 1, width, FOOTPRINT_HALF_HEIGHT, wall_height, kind, top)


def buildings(c):
    # Wall heights 18, 12 and 6 rows: the three heights of the demonstration, one to three.
    iso_building(c, TALL_BUILDING, 3, 18)
    left, top, width, _ = MIDDLE_BUILDING
    roof_y = iso_building(c, MIDDLE_BUILDING, 2, 12)
    c.fill_rect(left + 18, roof_y + 3, left + 18, roof_y + 8, OUTLINE)   # antenna mast
    c.set(left + 18, roof_y + 2, BEACON_RED)
    roof_hatch(c, left + 23, roof_y + 9, 2)
    left, top, width, _ = LOW_BUILDING
    roof_y = iso_building(c, LOW_BUILDING, 1, 6)
    roof_hatch(c, left + 13, roof_y + 7, 1)


def roof_hatch(c, x, y, kind):
    """A small skylight on a roof: a dark pane with a lit rim, following the roof's slope."""
    light, mid, dark = KIND_COLOURS[kind]
    for step in range(4):
        c.fill_rect(x + 2 * step, y + step // 2, x + 2 * step + 1, y + step // 2, dark)
        c.fill_rect(x + 2 * step, y + step // 2 + 1, x + 2 * step + 1, y + step // 2 + 1, mid)


def make_tutorial_parts():
    c = Canvas(WIDTH, HEIGHT)
    header(c)
    icons(c)
    pointer(c)
    tap_ring(c)
    buildings(c)
    return c


def main():
    save(make_tutorial_parts(), "122_tutorial_parts.png")


if __name__ == "__main__":
    main()
