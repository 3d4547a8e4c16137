"""The game's dusk palette as the interface art uses it, with the few in-between tones it needs."""
from canvas import rgb
from palette import *  # noqa: F401,F403 - the shared colours, under their own names


# In-between tones: one step lighter or darker than a palette colour, never a smooth ramp.
NIGHT = rgb("#120a2a")
SKY_DEEP = rgb("#22164a")
FAR_VIOLET = rgb("#35275f")
VIOLET_LIGHT = rgb("#6a4aa8")
VIOLET_DEEP = rgb("#3a2468")
PANEL_LIGHT = rgb("#3a5090")
PANEL_DARK = rgb("#141e40")
STONE_DEEP = rgb("#2e2a4c")
WHITE_SHADE = rgb("#d8d0e8")
GREEN_SHADE = rgb("#22a85a")
ORANGE_SHADE = rgb("#c07028")
WINDOW_DIM = rgb("#a87048")

BAYER4 = ((0, 8, 2, 10), (12, 4, 14, 6), (3, 11, 1, 9), (15, 7, 13, 5))


def dithered(x, y, amount):
    """True where a 4x4 ordered dither of coverage `amount` (0..1) picks the second colour."""
    return BAYER4[y % 4][x % 4] < amount * 16


def lightness(colour):
    """How light a colour looks, for choosing the lightest of a few (green counts most, blue least)."""
    return 299 * colour[0] + 587 * colour[1] + 114 * colour[2]


def one_step_lighter(colour):
    """The next colour up that the 16-bit screen shows: one step more of red, green and blue."""
    red, green, blue = colour[:3]
    return (min((red & 0xF8) + 8, 255), min((green & 0xFC) + 4, 255), min((blue & 0xF8) + 8, 255), 255)
