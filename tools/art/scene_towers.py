"""Draws the tower panel buttons (105) and the tower tiles seen from above (106) for the six tower kinds."""
from canvas import TRANSPARENT
from scene_common import (Canvas, KIND_COLOURS, OUTLINE, SKY_DARK, SKY_MID, FAR_VIOLET, STONE_DARK, STONE_MID,
                          STONE_LIGHT, WINDOW_YELLOW, WINDOW_DIM, SHADOW_VIOLET, PANEL_LIGHT, PANEL_DARK, NIGHT,
                          BEACON_RED, TREE_DARK, WARM_ORANGE, WHITE_TEXT, BADGE_GLYPHS, KIND_BADGES, darken, mix,
                          dither, draw_badge, save)

BUTTON_WIDTH, BUTTON_HEIGHT = 40, 47
# A 6-row board's bottom viewpoint numbers reach down to the panel's top rows, so each button leaves
# its top rows clear and the plate below them is a little shorter than its place.
BUTTON_CLEARANCE = 2
PLATE_HEIGHT = BUTTON_HEIGHT - BUTTON_CLEARANCE
TILE_SIZE = 26
KINDS = (1, 2, 3, 4, 5, 6)
GROUND_TOP = 37            # first row of the street under the buildings on a plate
FLOOR = GROUND_TOP - 1     # the buildings' lowest row
CHOSEN_LIGHT = 0.12        # how much lamp light the chosen picture takes
CHOSEN_GLOW = (0.5, 0.3, 0.18)   # and its outer rings, nearest the glowing frame first
TRUNK_BROWN = (112, 72, 48, 255)
PATH_SAND = (184, 160, 128, 255)


# ---- Buttons: the towers seen from the front ---------------------------------------------------------

def windows(c, x0, x1, y0, y1, step_x, step_y, seed, pane_w=1, pane_h=2, dark_pane=SHADOW_VIOLET):
    """A grid of windows; a fixed pseudo-random pattern decides which ones are lit."""
    index = seed
    for y in range(y0, y1 - pane_h + 2, step_y):
        for x in range(x0, x1 - pane_w + 2, step_x):
            index = (index * 37 + 11) % 101
            colour = WINDOW_YELLOW if index % 3 else (WINDOW_DIM if index % 2 else dark_pane)
            c.fill_rect(x, y, x + pane_w - 1, y + pane_h - 1, colour)


def block(c, x0, x1, top, bottom, kind):
    """A lit block: body in the kind's middle tone, the left rim lit, the right side in shade, outlined."""
    light, mid, dark = KIND_COLOURS[kind]
    c.fill_rect(x0, top, x1, bottom, mid)
    c.fill_rect(x1 - 1, top, x1, bottom, dark)
    c.fill_rect(x0, top, x0, bottom, light)
    c.fill_rect(x0, top, x1 - 2, top, light)
    c.rect(x0 - 1, top - 1, x1 + 1, bottom + 1, OUTLINE)


def button_low_building(c):
    block(c, 12, 35, 26, FLOOR, 1)
    c.fill_rect(11, 25, 36, 25, OUTLINE)
    block(c, 28, 32, 23, 24, 1)                                   # rooftop housing
    windows(c, 14, 33, 28, 29, 3, 4, 3, pane_w=2)
    c.fill_rect(13, 32, 34, 32, KIND_COLOURS[1][2])               # awning over the shop fronts
    windows(c, 15, 32, 34, 35, 6, 4, 8, pane_w=3)
    c.fill_rect(22, 33, 24, FLOOR, SHADOW_VIOLET)                 # door
    c.fill_rect(22, 33, 22, FLOOR, WINDOW_DIM)


def button_building(c):
    block(c, 15, 32, 20, FLOOR, 2)
    c.fill_rect(14, 19, 33, 19, OUTLINE)
    block(c, 19, 23, 17, 18, 2)                                   # stair housing on the roof
    windows(c, 17, 30, 22, 34, 3, 4, 5)


def button_twin_buildings(c):
    block(c, 12, 21, 15, FLOOR, 3)
    block(c, 26, 35, 17, FLOOR, 3)
    block(c, 14, 19, 12, 13, 3)                                   # crowns
    block(c, 28, 33, 14, 15, 3)
    c.fill_rect(22, 24, 25, 26, KIND_COLOURS[3][2])               # sky bridge
    c.fill_rect(22, 23, 25, 23, OUTLINE)
    c.fill_rect(22, 27, 25, 27, OUTLINE)
    c.fill_rect(23, 25, 24, 25, WINDOW_YELLOW)
    windows(c, 14, 19, 17, 34, 2, 3, 7)
    windows(c, 28, 33, 19, 34, 2, 3, 2)


def button_tower(c):
    block(c, 17, 32, 15, FLOOR, 4)
    block(c, 19, 30, 10, 13, 4)
    block(c, 22, 27, 6, 8, 4)
    c.fill_rect(23, 2, 26, 5, OUTLINE)                            # golden finial
    c.fill_rect(24, 3, 25, 5, WARM_ORANGE)
    c.set(24, 3, WINDOW_YELLOW)
    windows(c, 19, 30, 17, 34, 3, 3, 9, pane_w=2, pane_h=1)
    windows(c, 21, 28, 11, 12, 2, 2, 4)


def button_park(c):
    light, mid, dark = KIND_COLOURS[5]
    c.fill_rect(2, GROUND_TOP, 37, PLATE_HEIGHT - 3, mid)         # lawn instead of street
    c.fill_rect(2, GROUND_TOP, 37, GROUND_TOP, light)
    c.fill_rect(2, PLATE_HEIGHT - 4, 37, PLATE_HEIGHT - 3, dark)
    c.fill_rect(20, GROUND_TOP + 1, 23, PLATE_HEIGHT - 3, mix(mid, PATH_SAND, 0.6))  # path
    for centre_x, centre_y, radius in ((17, 26, 5), (29, 24, 6), (35, 30, 3)):
        tree(c, centre_x, centre_y, radius)
    # A lamp post with a warm light beside the path.
    c.fill_rect(24, 27, 24, FLOOR, OUTLINE)
    c.fill_rect(23, 25, 25, 26, OUTLINE)
    c.fill_rect(24, 26, 24, 26, WINDOW_YELLOW)
    c.set(24, 25, WINDOW_YELLOW)
    c.fill_rect(12, 34, 16, 34, TRUNK_BROWN)                      # bench
    c.fill_rect(12, 35, 12, FLOOR, OUTLINE)
    c.fill_rect(16, 35, 16, FLOOR, OUTLINE)


def tree(c, centre_x, centre_y, radius):
    light, mid, dark = KIND_COLOURS[5]
    c.fill_rect(centre_x - 1, centre_y + radius - 1, centre_x, FLOOR, TRUNK_BROWN)
    c.fill_rect(centre_x, centre_y + radius - 1, centre_x, FLOOR, darken(TRUNK_BROWN, 0.7))
    crown = [(x, y) for y in range(centre_y - radius, centre_y + radius + 1)
             for x in range(centre_x - radius, centre_x + radius + 1)
             if (x - centre_x + 0.5) ** 2 + (y - centre_y + 0.5) ** 2 <= radius * radius + 1]
    crown_set = set(crown)
    for x, y in crown:
        dx, dy = x - centre_x + 0.5, y - centre_y + 0.5
        if dx + dy < -radius * 0.6:
            colour = light
        elif dx + dy > radius * 0.7:
            colour = TREE_DARK
        else:
            colour = dark if dither(x, y, (dx + dy) / (2 * radius) + 0.4) else mid
        c.set(x, y, colour)
    for x, y in crown:
        for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
            if (nx, ny) not in crown_set and not _is_crown_colour(c.get(nx, ny)):
                c.set(nx, ny, OUTLINE)


def _is_crown_colour(colour):
    return colour in KIND_COLOURS[5] or colour == TREE_DARK


def button_tallest_tower(c):
    block(c, 19, 30, 15, FLOOR, 6)
    block(c, 21, 28, 10, 14, 6)
    block(c, 23, 26, 6, 9, 6)
    c.fill_rect(24, 3, 25, 5, STONE_LIGHT)                        # antenna needle and its beacon
    c.fill_rect(25, 3, 25, 5, STONE_MID)
    c.fill_rect(23, 3, 23, 5, OUTLINE)
    c.fill_rect(26, 3, 26, 5, OUTLINE)
    c.fill_rect(24, 2, 25, 2, BEACON_RED)
    glass = (112, 216, 232, 255)
    for x in (21, 24, 27):
        for y in range(17, FLOOR - 1, 2):
            c.set(x, y, glass if (x + y) % 6 else WINDOW_YELLOW)
    for x in (23, 26):
        for y in range(11, 14, 2):
            c.set(x, y, glass)


BUTTON_SCENES = {1: button_low_building, 2: button_building, 3: button_twin_buildings, 4: button_tower,
                 5: button_park, 6: button_tallest_tower}


def button_plate(c):
    """The button's frame and its evening backdrop: sky bands, a few stars, a street."""
    for y in range(2, GROUND_TOP):
        for x in range(2, 38):
            t = (y - 2) / (GROUND_TOP - 2)
            if t < 0.45:
                colour = SKY_MID if dither(x, y, (t - 0.3) * 6.6) else SKY_DARK
            elif t < 0.8:
                colour = FAR_VIOLET if dither(x, y, (t - 0.65) * 6.6) else SKY_MID
            else:
                colour = FAR_VIOLET
            c.set(x, y, colour)
    for x, y in ((14, 5), (33, 4), (30, 10), (9, 18), (36, 15), (15, 12)):
        c.set(x, y, STONE_MID)
    c.fill_rect(2, GROUND_TOP, 37, PLATE_HEIGHT - 3, STONE_DARK)
    c.fill_rect(2, GROUND_TOP, 37, GROUND_TOP, STONE_MID)
    c.fill_rect(2, PLATE_HEIGHT - 4, 37, PLATE_HEIGHT - 3, SHADOW_VIOLET)
    for x in range(4, 37, 6):
        c.fill_rect(x, GROUND_TOP + 2, x + 2, GROUND_TOP + 2, darken(STONE_MID, 0.8))   # kerb marks
    # Frame: dark outline with rounded corners, a lit rim top-left, a shaded rim bottom-right.
    c.rect(1, 1, 38, PLATE_HEIGHT - 2, PANEL_LIGHT)
    c.fill_rect(38, 2, 38, PLATE_HEIGHT - 2, PANEL_DARK)
    c.fill_rect(2, PLATE_HEIGHT - 2, 38, PLATE_HEIGHT - 2, PANEL_DARK)
    round_corners(c)


def round_corners(c):
    """The button's dark outline, its corners cut by one pixel."""
    c.rect(0, 0, BUTTON_WIDTH - 1, PLATE_HEIGHT - 1, OUTLINE)
    right, bottom = BUTTON_WIDTH - 1, PLATE_HEIGHT - 1
    for x, y in ((0, 0), (right, 0), (0, bottom), (right, bottom)):
        c.set(x, y, TRANSPARENT)
    for x, y in ((1, 1), (right - 1, 1), (1, bottom - 1), (right - 1, bottom - 1)):
        c.set(x, y, OUTLINE)


def draw_button(kind):
    c = Canvas(BUTTON_WIDTH, PLATE_HEIGHT)
    button_plate(c)
    BUTTON_SCENES[kind](c)
    draw_badge(c, kind, 3, 3)
    return c


def chosen_button(normal, kind):
    """The chosen look: the picture lit like a window at night, in a lamp-yellow frame whose glow spills
    a few pixels into it."""
    c = Canvas(BUTTON_WIDTH, PLATE_HEIGHT)
    c.paste(normal, 0, 0)
    inside = 3                                                    # within the outline and two frame rings
    for y in range(inside, PLATE_HEIGHT - inside):
        for x in range(inside, BUTTON_WIDTH - inside):
            depth = min(x, y, BUTTON_WIDTH - 1 - x, PLATE_HEIGHT - 1 - y) - inside
            light = CHOSEN_GLOW[depth] if depth < len(CHOSEN_GLOW) else CHOSEN_LIGHT
            c.set(x, y, mix(normal.get(x, y), WINDOW_YELLOW, light))
    c.rect(1, 1, BUTTON_WIDTH - 2, PLATE_HEIGHT - 2, WINDOW_YELLOW)
    c.rect(2, 2, BUTTON_WIDTH - 3, PLATE_HEIGHT - 3, WARM_ORANGE)
    round_corners(c)
    draw_badge(c, kind, 3, 3)                                     # the label keeps its own colours
    return c


def make_buttons():
    sheet = Canvas(BUTTON_WIDTH * len(KINDS), BUTTON_HEIGHT * 2)
    for index, kind in enumerate(KINDS):
        normal = draw_button(kind)
        sheet.paste(normal, BUTTON_WIDTH * index, BUTTON_CLEARANCE)
        sheet.paste(chosen_button(normal, kind), BUTTON_WIDTH * index, BUTTON_HEIGHT + BUTTON_CLEARANCE)
    return sheet


# ---- Tiles: the towers seen from above -----------------------------------------------------------------
# Light falls from the top-left, so every roof throws a shadow down-right whose length grows with height.

ROOF_SHADOW = {1: 2, 2: 3, 3: 4, 4: 5, 6: 7}
TILE_GROUND = (52, 44, 92, 255)


def tile_ground(c):
    for y in range(TILE_SIZE):
        for x in range(TILE_SIZE):
            paving = TILE_GROUND if (x // 6 + y // 6) % 2 else mix(TILE_GROUND, STONE_DARK, 0.5)
            c.set(x, y, paving)
    c.fill_rect(0, 0, TILE_SIZE - 1, 0, STONE_MID)
    c.fill_rect(0, 0, 0, TILE_SIZE - 1, STONE_MID)
    c.fill_rect(1, TILE_SIZE - 1, TILE_SIZE - 1, TILE_SIZE - 1, SHADOW_VIOLET)
    c.fill_rect(TILE_SIZE - 1, 1, TILE_SIZE - 1, TILE_SIZE - 1, SHADOW_VIOLET)


def shadow_of(c, shape, length):
    """Casts a shape's shadow down-right onto the ground."""
    for step in range(1, length + 1):
        for x, y in shape:
            tx, ty = x + step, y + step
            if 1 <= tx < TILE_SIZE - 1 and 1 <= ty < TILE_SIZE - 1:
                c.set(tx, ty, NIGHT if dither(tx, ty, 0.75) else SHADOW_VIOLET)


def rect_shape(x0, y0, x1, y1):
    return {(x, y) for y in range(y0, y1 + 1) for x in range(x0, x1 + 1)}


def paint_roof(c, shape, kind, tone=1):
    """Roof face in one of the kind's tones with a lit top-left edge, a dark bottom-right edge, an outline."""
    light, mid, dark = KIND_COLOURS[kind]
    body = (light, mid, dark)[tone]
    rim_light = light if tone else mix(light, WHITE_TEXT, 0.5)
    for x, y in shape:
        if (x - 1, y) not in shape or (x, y - 1) not in shape:
            colour = rim_light
        elif (x + 1, y) not in shape or (x, y + 1) not in shape:
            colour = dark if tone < 2 else darken(dark, 0.7)
        else:
            colour = body
        c.set(x, y, colour)
    for x, y in shape:
        for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
            if (nx, ny) not in shape:
                c.set(nx, ny, OUTLINE)


def tile_label(c, kind, x, y):
    """The kind's label (1..5 or P) in white, outlined, with its top-left corner at (x, y)."""
    rows = BADGE_GLYPHS[KIND_BADGES[kind]]
    ink = {(x + col, y + row) for row in range(7) for col in range(5) if rows[row][col] == "1"}
    for px, py in ink:
        for nx in (px - 1, px, px + 1):
            for ny in (py - 1, py, py + 1):
                if (nx, ny) not in ink:
                    c.set(nx, ny, OUTLINE)
    for px, py in ink:
        c.set(px, py, WHITE_TEXT)


def tile_low_building(c):
    roof = rect_shape(2, 2, 21, 21)
    shadow_of(c, roof, ROOF_SHADOW[1])
    paint_roof(c, roof, 1)
    for x, y in ((4, 17), (17, 4), (18, 17)):
        c.fill_rect(x, y, x + 1, y + 1, KIND_COLOURS[1][2])       # vents
    tile_label(c, 1, 9, 8)


def tile_building(c):
    roof = rect_shape(4, 4, 19, 19)
    shadow_of(c, roof, ROOF_SHADOW[2])
    paint_roof(c, roof, 2, tone=0)
    sunk = rect_shape(6, 6, 17, 17)                                # the roof inside its parapet
    for x, y in sunk:
        c.set(x, y, KIND_COLOURS[2][2] if (x == 6 or y == 6) else KIND_COLOURS[2][1])
    tile_label(c, 2, 9, 8)


def tile_twin_buildings(c):
    left = rect_shape(2, 3, 9, 20)
    right = rect_shape(14, 3, 21, 20)
    bridge = rect_shape(10, 10, 13, 13)
    shadow_of(c, left | right | bridge, ROOF_SHADOW[3])
    paint_roof(c, bridge, 3, tone=2)
    paint_roof(c, left, 3)
    paint_roof(c, right, 3)
    for x0 in (4, 16):
        paint_roof(c, rect_shape(x0, 5, x0 + 3, 6), 3, tone=0)
    tile_label(c, 3, 9, 8)


def tile_tower(c):
    outer = rect_shape(2, 2, 21, 21)
    shadow_of(c, outer, ROOF_SHADOW[4])
    paint_roof(c, outer, 4, tone=2)                                # stepped tiers rising to the top
    paint_roof(c, rect_shape(4, 4, 19, 19), 4, tone=1)
    paint_roof(c, rect_shape(6, 6, 17, 17), 4, tone=0)
    tile_label(c, 4, 9, 8)


def tile_park(c):
    light, mid, dark = KIND_COLOURS[5]
    for y in range(1, TILE_SIZE - 1):
        for x in range(1, TILE_SIZE - 1):
            c.set(x, y, dark if dither(x, y, 0.3) else mid)
    for i in range(1, TILE_SIZE - 1):                              # a sandy path across the park
        for w in (-1, 0, 1):
            c.set(i, min(TILE_SIZE - 2, max(1, TILE_SIZE - 1 - i + w)), PATH_SAND)
    for centre_x, centre_y, radius in ((6, 6, 4), (19, 18, 4), (19, 5, 3), (5, 19, 3)):
        crown = {(x, y) for y in range(centre_y - radius, centre_y + radius + 1)
                 for x in range(centre_x - radius, centre_x + radius + 1)
                 if (x - centre_x) ** 2 + (y - centre_y) ** 2 <= radius * radius}
        shadow_of(c, crown, 1)
        for x, y in crown:
            d = (x - centre_x) + (y - centre_y)
            c.set(x, y, light if d < -radius // 2 else (TREE_DARK if d > radius // 2 else mid))
        for x, y in crown:
            for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)):
                if (nx, ny) not in crown and 0 < nx < TILE_SIZE - 1 and 0 < ny < TILE_SIZE - 1:
                    c.set(nx, ny, OUTLINE)
    tile_label(c, 5, 10, 9)


def tile_tallest_tower(c):
    """A round tower narrowing in two set-backs: outer ring, middle ring, crown, seen from above."""
    light, mid = KIND_COLOURS[6][:2]

    def disc(radius):
        return {(x, y) for y in range(TILE_SIZE) for x in range(TILE_SIZE)
                if (x - 11.5) ** 2 + (y - 11.5) ** 2 <= radius * radius}

    base = disc(10.2)
    shadow_of(c, base, ROOF_SHADOW[6])
    paint_roof(c, base, 6, tone=2)
    for ring, colour in ((disc(7.4), mid), (disc(4.9), light)):
        for x, y in ring:
            lit_edge = (x - 1, y - 1) not in ring
            shaded_edge = (x + 1, y + 1) not in ring
            c.set(x, y, WHITE_TEXT if lit_edge else (darken(colour, 0.8) if shaded_edge else colour))
    tile_label(c, 6, 10, 8)


TILE_SCENES = {1: tile_low_building, 2: tile_building, 3: tile_twin_buildings, 4: tile_tower, 5: tile_park,
               6: tile_tallest_tower}


def draw_tile(kind):
    c = Canvas(TILE_SIZE, TILE_SIZE)
    tile_ground(c)
    TILE_SCENES[kind](c)
    return c


def make_tiles():
    sheet = Canvas(TILE_SIZE * len(KINDS), TILE_SIZE)
    for index, kind in enumerate(KINDS):
        sheet.paste(draw_tile(kind), TILE_SIZE * index, 0)
    return sheet


def main():
    save(make_buttons(), "105_tower_buttons.png")
    save(make_tiles(), "106_tower_tiles.png")


if __name__ == "__main__":
    main()
