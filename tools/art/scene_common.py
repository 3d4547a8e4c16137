"""Palette, pixel font and drawing helpers shared by the scene-art generators (towers, home, title, tutorial)."""
import os

from canvas import Canvas, rgb
from palette import *  # noqa: F401,F403 - the game's dusk palette, under its own names

ASSET_DIR = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets", "images"))

# Deeper tones between the palette's steps, for night shadows and far silhouettes.
NIGHT = rgb("#120a2a")
SHADOW_VIOLET = rgb("#241a48")
FAR_VIOLET = rgb("#35275f")
GLOW_PINK = rgb("#7a3a78")
WINDOW_DIM = rgb("#c08850")
PANEL_LIGHT = rgb("#3a5090")
PANEL_DARK = rgb("#141e40")

# One accent hue per tower kind (1..6), so kinds read apart by colour as well as by shape.
KIND_COLOURS = {
    1: (rgb("#f08850"), rgb("#c05830"), rgb("#803820")),   # low building: terracotta
    2: (rgb("#60c0f0"), rgb("#3088c8"), rgb("#1c5088")),   # building: sky blue
    3: (rgb("#f088c0"), rgb("#c8508f"), rgb("#80305c")),   # twin buildings: rose
    4: (rgb("#ffe070"), rgb("#e0a830"), rgb("#98661c")),   # tower: gold
    5: (rgb("#78e070"), rgb("#38a848"), rgb("#1c6834")),   # park: leaf green
    6: (rgb("#f8f4ff"), rgb("#c8c4dc"), rgb("#7c7894")),   # tallest tower: silver
}
KIND_BADGES = {1: "1", 2: "2", 3: "3", 4: "4", 5: "P", 6: "5"}
BEACON_RED = rgb("#ff4050")
TREE_DARK = rgb("#146030")

BAYER4 = ((0, 8, 2, 10), (12, 4, 14, 6), (3, 11, 1, 9), (15, 7, 13, 5))


def dither(x, y, amount):
    """True where an ordered 4x4 dither of coverage `amount` (0..1) puts the second colour."""
    return BAYER4[y % 4][x % 4] < amount * 16


def mix(a, b, t):
    return (round(a[0] + (b[0] - a[0]) * t), round(a[1] + (b[1] - a[1]) * t),
            round(a[2] + (b[2] - a[2]) * t), 255)


def darken(colour, factor):
    return (round(colour[0] * factor), round(colour[1] * factor), round(colour[2] * factor), colour[3])


def opaque(colour):
    return colour[3] != 0


# ---- 5x7 pixel font ---------------------------------------------------------------------------------

GLYPHS = {
    "A": ("01110", "10001", "10001", "11111", "10001", "10001", "10001"),
    "B": ("11110", "10001", "10001", "11110", "10001", "10001", "11110"),
    "C": ("01110", "10001", "10000", "10000", "10000", "10001", "01110"),
    "D": ("11100", "10010", "10001", "10001", "10001", "10010", "11100"),
    "E": ("11111", "10000", "10000", "11110", "10000", "10000", "11111"),
    "F": ("11111", "10000", "10000", "11110", "10000", "10000", "10000"),
    "G": ("01110", "10001", "10000", "10111", "10001", "10001", "01111"),
    "H": ("10001", "10001", "10001", "11111", "10001", "10001", "10001"),
    "I": ("11111", "00100", "00100", "00100", "00100", "00100", "11111"),
    "J": ("00111", "00010", "00010", "00010", "00010", "10010", "01100"),
    "K": ("10001", "10010", "10100", "11000", "10100", "10010", "10001"),
    "L": ("10000", "10000", "10000", "10000", "10000", "10000", "11111"),
    "M": ("10001", "11011", "10101", "10101", "10001", "10001", "10001"),
    "N": ("10001", "11001", "10101", "10011", "10001", "10001", "10001"),
    "O": ("01110", "10001", "10001", "10001", "10001", "10001", "01110"),
    "P": ("11110", "10001", "10001", "11110", "10000", "10000", "10000"),
    "Q": ("01110", "10001", "10001", "10001", "10101", "10010", "01101"),
    "R": ("11110", "10001", "10001", "11110", "10100", "10010", "10001"),
    "S": ("01111", "10000", "10000", "01110", "00001", "00001", "11110"),
    "T": ("11111", "00100", "00100", "00100", "00100", "00100", "00100"),
    "U": ("10001", "10001", "10001", "10001", "10001", "10001", "01110"),
    "V": ("10001", "10001", "10001", "10001", "10001", "01010", "00100"),
    "W": ("10001", "10001", "10001", "10101", "10101", "10101", "01010"),
    "X": ("10001", "10001", "01010", "00100", "01010", "10001", "10001"),
    "Y": ("10001", "10001", "01010", "00100", "00100", "00100", "00100"),
    "Z": ("11111", "00001", "00010", "00100", "01000", "10000", "11111"),
    "0": ("01110", "10001", "10011", "10101", "11001", "10001", "01110"),
    "1": ("00100", "01100", "00100", "00100", "00100", "00100", "01110"),
    "2": ("01110", "10001", "00001", "00010", "00100", "01000", "11111"),
    "3": ("11110", "00001", "00001", "01110", "00001", "00001", "11110"),
    "4": ("00010", "00110", "01010", "10010", "11111", "00010", "00010"),
    "5": ("11111", "10000", "11110", "00001", "00001", "10001", "01110"),
    " ": ("00000",) * 7,
}

# Bold 5x7 digits for the kind badges: two-pixel strokes stay readable at a glance on a small plate.
BADGE_GLYPHS = {
    "1": ("00110", "01110", "00110", "00110", "00110", "00110", "01111"),
    "2": ("01110", "11011", "00011", "00110", "01100", "11000", "11111"),
    "3": ("11110", "00011", "00011", "01110", "00011", "00011", "11110"),
    "4": ("00011", "00111", "01011", "11011", "11111", "00011", "00011"),
    "5": ("11111", "11000", "11110", "00011", "00011", "11011", "01110"),
    "P": ("11110", "11011", "11011", "11110", "11000", "11000", "11000"),
}


def text_width(text, spacing=1, glyph_width=5):
    return len(text) * (glyph_width + spacing) - spacing if text else 0


def draw_text(canvas, text, x, y, colour, spacing=1, glyphs=GLYPHS):
    """Draws text in the 5x7 font with its top-left corner at (x, y)."""
    for char in text:
        for row, bits in enumerate(glyphs[char]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    canvas.set(x + col, y + row, colour)
        x += 5 + spacing


def draw_outlined_text(canvas, text, x, y, colour, lower_colour=None, spacing=1):
    """Text with a 1-pixel outline all round (8 neighbours), so it reads on any background; the lower
    three rows of the letters may take a second, shaded colour."""
    layer = Canvas(canvas.width, canvas.height)
    draw_text(layer, text, x, y, colour, spacing)
    for py in range(max(y - 1, 0), min(y + 8, canvas.height)):
        for px in range(max(x - 1, 0), min(x + text_width(text, spacing) + 1, canvas.width)):
            if opaque(layer.get(px, py)):
                if lower_colour is not None and py >= y + 4:
                    layer.set(px, py, lower_colour)
                continue
            near = any(opaque(layer.get(nx, ny))
                       for nx in (px - 1, px, px + 1) for ny in (py - 1, py, py + 1)
                       if 0 <= nx < canvas.width and 0 <= ny < canvas.height)
            if near:
                canvas.set(px, py, OUTLINE)
    canvas.paste(layer, 0, 0)


def draw_badge(canvas, kind, x, y):
    """The kind's badge: a 9x11 plate, dark in the kind's hue with a lit rim, carrying its white label."""
    light, mid, dark = KIND_COLOURS[kind]
    canvas.fill_rect(x + 1, y, x + 7, y + 10, OUTLINE)
    canvas.fill_rect(x, y + 1, x + 8, y + 9, OUTLINE)
    canvas.fill_rect(x + 1, y + 1, x + 7, y + 9, dark)
    canvas.fill_rect(x + 1, y + 1, x + 7, y + 1, mid)
    canvas.fill_rect(x + 1, y + 1, x + 1, y + 9, mid)
    rows = BADGE_GLYPHS[KIND_BADGES[kind]]
    for row in range(7):
        for col in range(5):
            if rows[row][col] == "1":
                canvas.set(x + 2 + col, y + 2 + row, WHITE_TEXT)


# ---- Big logo lettering -----------------------------------------------------------------------------

def letter_mask(text, scale_x, scale_y, spacing, glyphs=GLYPHS, bold=0, chamfer=2):
    """The (x, y) pixels of text in the 5x7 font blown up by the given scale, its strokes thickened by
    `bold` pixels to the right and downwards and its outer corners bevelled by `chamfer` pixels."""
    pixels = set()
    cursor = 0
    for char in text:
        for gy, bits in enumerate(glyphs[char]):
            for gx, bit in enumerate(bits):
                if bit != "1":
                    continue
                for sy in range(scale_y + bold):
                    for sx in range(scale_x + bold):
                        pixels.add((cursor + gx * scale_x + sx, gy * scale_y + sy))
        cursor += 5 * scale_x + bold + spacing
    for _ in range(chamfer):
        pixels -= {(x, y) for (x, y) in pixels if _is_convex_corner(pixels, x, y)}
    return pixels


def _is_convex_corner(pixels, x, y):
    left, right = (x - 1, y) in pixels, (x + 1, y) in pixels
    up, down = (x, y - 1) in pixels, (x, y + 1) in pixels
    return (not left or not right) and (not up or not down) and (left or right) and (up or down)


def paint_logo(canvas, mask, x, y, bands, highlight, shade, drop_shadow, depth=2, band_top=0, band_height=None):
    """Paints a letter mask: colour bands top to bottom (rows band_top.. of band_height rows; rows above
    take the first band), a lit top-left rim, a shaded bottom-right rim, a 1-pixel outline and a solid
    extruded shadow below-right."""
    if band_height is None:
        band_height = max(py for _, py in mask) + 1
    for step in range(depth, 0, -1):
        for (px, py) in mask:
            canvas.set(x + px + step, y + py + step, drop_shadow)
    for (px, py) in mask:
        position = max(0.0, (py - band_top) * len(bands) / band_height)
        band = min(len(bands) - 1, int(position))
        colour = bands[band]
        if band + 1 < len(bands) and dither(px, py, max(0.0, (position - band - 0.6) * 2.5)):
            colour = bands[band + 1]
        if (px - 1, py) not in mask or (px, py - 1) not in mask:
            colour = highlight
        elif (px + 1, py) not in mask or (px, py + 1) not in mask:
            colour = shade
        canvas.set(x + px, y + py, colour)
    _outline_shape(canvas, {(x + px, y + py) for px, py in mask} |
                   {(x + px + s, y + py + s) for px, py in mask for s in range(1, depth + 1)})


def _outline_shape(canvas, shape):
    for (px, py) in list(shape):
        for nx, ny in ((px - 1, py), (px + 1, py), (px, py - 1), (px, py + 1)):
            if (nx, ny) not in shape:
                canvas.set(nx, ny, OUTLINE)


def asset_path(name):
    return os.path.join(ASSET_DIR, name)


def save(canvas, name):
    os.makedirs(ASSET_DIR, exist_ok=True)
    canvas.save_png(asset_path(name))
    print("wrote", asset_path(name))

