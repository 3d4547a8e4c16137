"""Draws the backdrop of the home and credits screens (107): the city of towers at dusk under a starry sky.

The credits texts stand over the middle of the sky (x 30..210, y 56..215), so the sky stays dark and quiet
there and the skyline keeps low between x 28 and 212; the tall landmarks stand at the two edges.
"""
from scene_common import (Canvas, SKY_DARK, SKY_MID, FAR_VIOLET, VIOLET, GLOW_PINK, DUSK_PINK, WARM_ORANGE,
                          WINDOW_YELLOW, WINDOW_DIM, STONE_MID, STONE_LIGHT, STONE_DARK, SHADOW_VIOLET, NIGHT,
                          OUTLINE, WHITE_TEXT, BEACON_RED, dither, mix, save)

WIDTH, HEIGHT = 240, 320
TEXT_AREA = (28, 54, 212, 217)          # where the credits lines are written
VERSION_AREA = (200, 302, 239, 319)     # "V1.0"

# Sky bands from the zenith to the horizon: (first row, colour); neighbouring bands meet in a dithered seam.
SKY_BANDS = ((0, SKY_DARK), (112, SKY_MID), (172, FAR_VIOLET), (200, VIOLET), (220, GLOW_PINK),
             (232, DUSK_PINK), (246, WARM_ORANGE))
SEAM = 12

FAR_BODY = (40, 28, 78, 255)
MID_BODY = (30, 20, 60, 255)
MID_RIM = (58, 44, 104, 255)
NEAR_BODY = (20, 12, 40, 255)
NEAR_RIM = (44, 34, 84, 255)
FAR_BEACON = (150, 40, 70, 255)         # dimmed by distance, so it stays quiet under the credits


class Lcg:
    """A tiny fixed pseudo-random sequence, so the skyline comes out the same on every run."""

    def __init__(self, seed):
        self.state = seed

    def next(self, bound):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return (self.state >> 8) % bound


def sky(c):
    for y in range(HEIGHT):
        for index, (start, colour) in enumerate(SKY_BANDS):
            if index + 1 == len(SKY_BANDS) or y < SKY_BANDS[index + 1][0]:
                break
        following = SKY_BANDS[index + 1] if index + 1 < len(SKY_BANDS) else None
        for x in range(WIDTH):
            chosen = colour
            if following is not None:
                into_seam = (y - (following[0] - SEAM)) / SEAM
                if into_seam > 0 and dither(x, y, into_seam):
                    chosen = following[1]
            c.set(x, y, chosen)


def in_area(x, y, area):
    return area[0] <= x <= area[2] and area[1] <= y <= area[3]


def stars(c):
    rng = Lcg(2718)
    for _ in range(140):
        x, y = rng.next(WIDTH), rng.next(200)
        if y > 120 and rng.next(3):
            continue                                   # fewer stars towards the glowing horizon
        dim = in_area(x, y, TEXT_AREA)
        colour = (STONE_DARK if dim else (STONE_MID if rng.next(3) else STONE_LIGHT))
        c.set(x, y, colour)
    for x, y in ((52, 10), (104, 8), (226, 30), (170, 14), (18, 74), (222, 92), (232, 122)):
        sparkle(c, x, y)


def sparkle(c, x, y):
    c.set(x, y, WHITE_TEXT)
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        c.set(x + dx, y + dy, STONE_MID)


def moon(c, centre_x, centre_y, radius):
    """A crescent lit from the top-left."""
    for y in range(centre_y - radius, centre_y + radius + 1):
        for x in range(centre_x - radius, centre_x + radius + 1):
            inside = (x - centre_x) ** 2 + (y - centre_y) ** 2 <= radius * radius
            bite = (x - centre_x - 4) ** 2 + (y - centre_y - 3) ** 2 <= (radius - 1) ** 2
            if inside and not bite:
                rim = (x - centre_x) ** 2 + (y - centre_y) ** 2 > (radius - 1.5) ** 2
                c.set(x, y, WINDOW_YELLOW if not rim or x < centre_x else mix(WINDOW_YELLOW, WARM_ORANGE, 0.5))


def building(c, x0, x1, top, body, rim, windows, rng, roof="flat", lit=0.35, window_colour=WINDOW_YELLOW,
             bottom=HEIGHT - 1, calm=None, beacon=BEACON_RED):
    """One building: body with a lit left rim, a roof shape, a dark outline on top, and window rows."""
    c.fill_rect(x0, top, x1, bottom, body)
    c.fill_rect(x0, top, x0, bottom, rim)
    c.fill_rect(x0, top - 1, x1, top - 1, OUTLINE)
    if roof == "stepped" and x1 - x0 > 8:
        inset = (x1 - x0) // 4
        c.fill_rect(x0 + inset, top - 5, x1 - inset, top - 1, body)
        c.fill_rect(x0 + inset, top - 5, x0 + inset, top - 1, rim)
        c.fill_rect(x0 + inset, top - 6, x1 - inset, top - 6, OUTLINE)
    elif roof == "spire":
        middle = (x0 + x1) // 2
        for step in range(0, (x1 - x0) // 2 + 1):
            row = top - 1 - step * 2
            c.fill_rect(x0 + step, row - 1, x1 - step, row, body)
            c.set(x0 + step, row - 1, OUTLINE)
            c.set(x1 - step, row - 1, OUTLINE)
        tip = top - 1 - ((x1 - x0) // 2) * 2
        c.fill_rect(middle, tip - 6, middle, tip - 1, OUTLINE)
        c.set(middle, tip - 7, beacon)
    elif roof == "antenna":
        middle = x0 + (x1 - x0) * 2 // 3
        c.fill_rect(middle, top - 8, middle, top - 1, OUTLINE)
        c.set(middle, top - 9, beacon)
    if windows:
        step_x, step_y = windows
        for y in range(top + 3, bottom - 2, step_y):
            row_dark = rng.next(5) == 0
            for x in range(x0 + 2, x1 - 1, step_x):
                if calm and any(in_area(x + dx, y + dy, area) for area in calm for dx in (0, 1) for dy in (0, 1)):
                    continue
                if not row_dark and rng.next(1000) < lit * 1000:
                    colour = window_colour if rng.next(4) else WARM_ORANGE
                    c.set(x, y, colour)
                    c.set(x, y + 1, mix(colour, body, 0.35))


def far_skyline(c):
    """Distant towers in flat dark violet with a few dim windows: low contrast, so text over them reads."""
    rng = Lcg(99)
    x = 0
    while x < WIDTH:
        width = 9 + rng.next(14)
        centre = x + width // 2
        low_zone = TEXT_AREA[0] <= centre <= TEXT_AREA[2]
        top = (224 + rng.next(18)) if low_zone else (176 + rng.next(30))
        roof = ("flat", "stepped", "antenna", "spire")[rng.next(4)]
        building(c, x, min(x + width, WIDTH - 1), top, FAR_BODY, mix(FAR_BODY, VIOLET, 0.6), (3, 4), rng,
                 roof=roof, lit=0.12, window_colour=GLOW_PINK, beacon=FAR_BEACON)
        x += width + 2 + rng.next(8)


def mid_skyline(c):
    rng = Lcg(4242)
    x = -4
    while x < WIDTH:
        width = 14 + rng.next(16)
        top = 238 + rng.next(16)
        roof = ("flat", "stepped", "flat", "antenna")[rng.next(4)]
        building(c, x, min(x + width, WIDTH - 1), top, MID_BODY, MID_RIM, (3, 4), rng, roof=roof, lit=0.3,
                 window_colour=WINDOW_DIM)
        x += width + 2 + rng.next(6)


def landmarks(c):
    """The two tall towers at the screen's edges, clear of the credits lines."""
    rng = Lcg(77)
    # Left: the great spire, the city's landmark.
    building(c, 4, 24, 136, NEAR_BODY, NEAR_RIM, (3, 5), rng, roof="spire", lit=0.45)
    c.fill_rect(2, 156, 26, 158, OUTLINE)                           # balcony rings
    c.fill_rect(3, 156, 25, 156, NEAR_RIM)
    c.fill_rect(2, 196, 26, 198, OUTLINE)
    c.fill_rect(3, 196, 25, 196, NEAR_RIM)
    # Right: a stepped tower.
    building(c, 216, 239, 150, NEAR_BODY, NEAR_RIM, (3, 5), rng, roof="stepped", lit=0.45)


def near_skyline(c):
    rng = Lcg(1234)
    x = 24
    while x < 218:
        width = 16 + rng.next(18)
        top = 262 + rng.next(18)
        roof = ("flat", "stepped", "flat", "flat", "antenna")[rng.next(5)]
        building(c, x, min(x + width, 217), top, NEAR_BODY, NEAR_RIM, (4, 5), rng, roof=roof, lit=0.4,
                 calm=(VERSION_AREA,))
        x += width + 1 + rng.next(3)
    building(c, 196, 239, 276, NEAR_BODY, NEAR_RIM, (4, 5), rng, roof="flat", lit=0.4, calm=(VERSION_AREA,))


def street(c):
    """The embankment at the bottom, its row of warm lamps and their broken reflections in the river."""
    c.fill_rect(0, 300, WIDTH - 1, HEIGHT - 1, NIGHT)
    c.fill_rect(0, 300, WIDTH - 1, 300, SHADOW_VIOLET)
    c.fill_rect(0, 299, WIDTH - 1, 299, OUTLINE)
    rng = Lcg(31)
    for _ in range(60):
        x, y = rng.next(WIDTH), 303 + rng.next(16)
        length = 2 + rng.next(5)
        if x + length >= VERSION_AREA[0] - 2:
            continue
        colour = (SHADOW_VIOLET, GLOW_PINK, WINDOW_DIM)[rng.next(3)]
        c.fill_rect(x, y, x + length, y, colour)
    for x in range(10, 190, 24):
        c.fill_rect(x, 293, x, 299, OUTLINE)
        c.fill_rect(x - 1, 291, x + 1, 292, WINDOW_YELLOW)
        c.set(x, 290, OUTLINE)
        for dx in range(-2, 3):
            c.set(x + dx, 301, mix(NIGHT, WARM_ORANGE, 0.3 if abs(dx) == 2 else 0.5))


def make_home_background():
    c = Canvas(WIDTH, HEIGHT)
    sky(c)
    stars(c)
    moon(c, 17, 19, 8)
    far_skyline(c)
    mid_skyline(c)
    landmarks(c)
    near_skyline(c)
    street(c)
    return c


def main():
    save(make_home_background(), "107_home_background.png")


if __name__ == "__main__":
    main()
