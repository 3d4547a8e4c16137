"""Generates the interface pictures: the play background (103), the home menu (109), the pressed control
strip (110, whose sound button is the switch turned off), the new-record dialog (111) and the pressed letter
and OK keys (112, 113).

    python3 tools/art/make_interface_art.py [OUTPUT_DIR]

The font (104) comes from font.py. Positions here are the screen positions the game draws at."""
import os
import sys

from canvas import Canvas, TRANSPARENT
from font import draw_text, make_font_image, text_width
from interface_palette import (
    DUSK_PINK, FAR_VIOLET, GREEN_ACCENT, NIGHT, ORANGE_SHADE, OUTLINE, PANEL_BLUE, PANEL_DARK, PANEL_LIGHT,
    SKY_DARK, SKY_DEEP, SKY_MID, STONE_DARK, STONE_DEEP, STONE_LIGHT, STONE_MID, VIOLET, VIOLET_DEEP,
    VIOLET_LIGHT, WARM_ORANGE, WHITE_SHADE, WHITE_TEXT, WINDOW_DIM, WINDOW_YELLOW, dithered, lightness,
    one_step_lighter)
from interface_parts import bevel_box, cut_corners, icon, inset_box
from viewpoint_places import calm_bands

SCREEN_WIDTH = 240
SCREEN_HEIGHT = 320

# ---- Play background ---------------------------------------------------------------------------------

GRID_FIRST = 3
GRID_STEP = 29
GRID_LINES = 9                     # at 3 + 29k, k = 0..8
GRID_LAST = GRID_FIRST + GRID_STEP * (GRID_LINES - 1)   # 235
SHELF_TOP = GRID_LAST + 1          # the tower buttons stand at 222..268; below the grid a shelf holds them
SHELF_BOTTOM = 268
TOWER_BUTTON_WIDTH = 40
INFO_TOP = 269
INFO_BOTTOM = 300
CAPTION_Y = 270                    # glyph cells of the captions: rows 270..282
STATUS_Y = 284                     # the game's status texts: rows 284..296
STRIP_TOP = 301
STRIP_BOTTOM = 319

STATUS_FIELDS = (("LEVEL", 20, 2), ("TIME", 52, 8), ("RECORD", 135, 8))  # caption, text x, characters

# Control strip buttons: (name, first column, last column).
STRIP_BUTTONS = (("home", 0, 64), ("previous", 81, 134), ("solve", 136, 152), ("reset", 154, 169),
                 ("sound", 171, 182), ("next", 184, 235))


def field_colour(x, y):
    """The night sky behind the board: dark at the top, a dithered band, then the lighter dusk."""
    if y < 72:
        return SKY_DARK
    if y < 104:
        return SKY_DEEP if dithered(x, y, (y - 72) / 32) else SKY_DARK
    if y < 136:
        return SKY_MID if dithered(x, y, (y - 104) / 32) else SKY_DEEP
    return SKY_MID


# A far skyline along the bottom of the field: (left, right, top) of each block, low in contrast so the
# board and its numbers stay clear in front of it.
SKYLINE = ((0, 13, 196), (14, 25, 184), (26, 41, 204), (42, 51, 172), (52, 67, 192), (68, 79, 200),
           (80, 93, 180), (94, 101, 164), (102, 117, 190), (118, 133, 198), (134, 143, 176),
           (144, 161, 194), (162, 171, 168), (172, 187, 188), (188, 203, 200), (204, 213, 182),
           (214, 229, 194), (230, 239, 186))


def line_tint(field, x, y, across):
    """The faint line over a field pixel: one screen colour step lighter than the field under it and on
    either side of it, so it marks the cells' places yet stays fainter than the lines of a board."""
    brightest = max((field.get(x + dx, y + dy) for dx, dy in ((0, 0),) + across), key=lightness)
    return one_step_lighter(brightest)


# The skyline's windows stay dark in the bands where the bottom and side viewpoint numbers stand, and this
# far round them: a dot beside a digit reads as part of it at 1x.
NUMBER_CLEARANCE = 3
CALM_BANDS = calm_bands(NUMBER_CLEARANCE)


def in_calm_band(x, y):
    return any(left <= x <= right and top <= y <= bottom for left, top, right, bottom in CALM_BANDS)


def draw_skyline(canvas):
    for left, right, top in SKYLINE:
        for y in range(top, SHELF_TOP):
            for x in range(left, right + 1):
                canvas.set(x, y, FAR_VIOLET)
        # A few dim windows in a loose pattern seeded by the block's position.
        for wy in range(top + 4, SHELF_TOP - 4, 6):
            for wx in range(left + 2, right - 1, 4):
                beside_line = any((v - GRID_FIRST) % GRID_STEP in (0, 1, GRID_STEP - 1) for v in (wx, wy))
                if (wx * 7 + wy * 3 + left) % 7 < 2 and not beside_line and not in_calm_band(wx, wy):
                    canvas.set(wx, wy, WINDOW_DIM)


def draw_field(canvas):
    for y in range(SHELF_TOP):
        for x in range(SCREEN_WIDTH):
            canvas.set(x, y, field_colour(x, y))
    draw_skyline(canvas)
    lines = [GRID_FIRST + GRID_STEP * k for k in range(GRID_LINES)]
    tints = {}
    for y in range(GRID_FIRST, GRID_LAST + 1):
        for x in range(GRID_FIRST, GRID_LAST + 1):
            across = ((-1, 0), (1, 0)) if x in lines else ()
            across += ((0, -1), (0, 1)) if y in lines else ()
            if across:
                tints[x, y] = line_tint(canvas, x, y, across)
    for (x, y), colour in tints.items():
        canvas.set(x, y, colour)


def draw_shelf(canvas):
    """The rack under the board where the tower buttons stand; empty places show as recesses."""
    canvas.fill_rect(0, SHELF_TOP, SCREEN_WIDTH - 1, SHELF_BOTTOM, STONE_DARK)
    canvas.fill_rect(0, SHELF_TOP, SCREEN_WIDTH - 1, SHELF_TOP, OUTLINE)
    canvas.fill_rect(0, SHELF_TOP + 1, SCREEN_WIDTH - 1, SHELF_TOP + 1, STONE_MID)
    canvas.fill_rect(0, SHELF_BOTTOM, SCREEN_WIDTH - 1, SHELF_BOTTOM, OUTLINE)
    for i in range(6):
        left = TOWER_BUTTON_WIDTH * i
        inset_box(canvas, left + 3, SHELF_TOP + 4, left + 36, SHELF_BOTTOM - 3, STONE_DEEP, NIGHT, STONE_MID)
        # A lamp bracket between the places.
        if i:
            canvas.fill_rect(left - 1, SHELF_TOP + 8, left, SHELF_TOP + 9, WINDOW_DIM)


def draw_status_field(canvas, text_x, characters):
    left, right = text_x - 1, text_x + 8 * characters + 3
    top, bottom = STATUS_Y - 1, STATUS_Y + 13
    canvas.fill_rect(left, top, right, bottom, NIGHT)
    canvas.rect(left, top, right, bottom, OUTLINE)
    canvas.fill_rect(left + 1, bottom + 1, right + 1, bottom + 1, PANEL_LIGHT)
    canvas.fill_rect(right + 1, top + 1, right + 1, bottom + 1, PANEL_LIGHT)


MOON = icon(("...YYY.", ".YYY...", ".YY....", "YYY....", "YOO....", ".OO....", ".OOO...", "...OOO."),
            {"Y": WINDOW_YELLOW, "O": WARM_ORANGE}, outline=None)


def draw_moon(canvas, x, y):
    """A crescent moon and a few stars in the free corner of the information bar."""
    canvas.paste(MOON, x, y)
    for sx, sy in ((x + 14, y + 1), (x + 11, y + 10), (x - 5, y - 2), (x + 17, y + 7)):
        canvas.set(sx, sy, STONE_LIGHT)


def draw_info_bar(canvas):
    canvas.fill_rect(0, INFO_TOP, SCREEN_WIDTH - 1, INFO_BOTTOM, PANEL_BLUE)
    canvas.fill_rect(0, INFO_TOP, SCREEN_WIDTH - 1, INFO_TOP, PANEL_LIGHT)
    canvas.fill_rect(0, INFO_BOTTOM, SCREEN_WIDTH - 1, INFO_BOTTOM, PANEL_DARK)
    for caption, text_x, characters in STATUS_FIELDS:
        draw_status_field(canvas, text_x, characters)
        field_middle = text_x + (8 * characters + 3) / 2
        caption_x = round(field_middle - text_width(caption) / 2) - 2
        draw_text(canvas, caption, caption_x, CAPTION_Y, WARM_ORANGE, ORANGE_SHADE)
    draw_moon(canvas, 217, 280)


# ---- Control strip -----------------------------------------------------------------------------------

# Strip icons as rows of colour letters: W white, L its shade, Y lamp yellow, O orange, D dark, S stone.
STRIP_ICONS = {
    "home": ("....W....", "...WWW...", "..WWWWW..", ".WWWWWWW.", "WWWWWWWWW", ".WWYWWWW.", ".WWYWDDW.",
             ".WWWWDDW."),
    "previous": ("....W", "...WW", "..WWW", ".WWWW", "WWWWW", ".WWWL", "..WWL", "...WL", "....L"),
    "next": ("W....", "WW...", "WWW..", "WWWW.", "WWWWW", "WWWL.", "WWL..", "WL...", "L...."),
    "solve": (".YYY.", "YYWYY", "YWYYY", "YYYYY", "YYYYY", ".YOY.", "..O..", ".SSS.", ".SSS."),
    "reset": ("..WWW...", ".W...W.W", "W.....WW", "W....WWW", "W.......", "W......W", ".W....W.", "..WWWW.."),
    "sound": ("...W..", "..WW..", "WWWW.W", "WWWW.W", "WWWW.W", "..WW..", "...W.."),
}
# The sound switch turned off: its speaker struck through, drawn lit on a raised face like a button that
# works, so that it never reads as one of the dimmed buttons that would do nothing. K is the outline.
SOUND_OFF = icon(("O..KKK..", ".OKKWK..", "KKOKWKKK", "KWKOKKWK", "KWWKOKWK", "KWWKOKWK", "KKKWKOKK", "..KKWKO.",
                  "...KKK.O"), {"W": WHITE_TEXT, "K": OUTLINE, "O": WARM_ORANGE}, outline=None)
LIT_COLOURS = {"W": WHITE_TEXT, "L": WHITE_SHADE, "Y": WINDOW_YELLOW, "O": WARM_ORANGE, "D": VIOLET_DEEP,
               "S": STONE_LIGHT}
# Pressed (and unavailable) buttons show their icons dimmed.
DIM_COLOURS = {"W": STONE_MID, "L": STONE_DARK, "Y": WINDOW_DIM, "O": ORANGE_SHADE, "D": SKY_DEEP,
               "S": STONE_DARK}


def strip_icon(name, pressed):
    return icon(STRIP_ICONS[name], DIM_COLOURS if pressed else LIT_COLOURS)


def strip_button_face(canvas, left, right, pressed):
    if pressed:
        inset_box(canvas, left, STRIP_TOP, right, STRIP_BOTTOM, SKY_DEEP, NIGHT, VIOLET_DEEP)
    else:
        bevel_box(canvas, left, STRIP_TOP, right, STRIP_BOTTOM, VIOLET, VIOLET_LIGHT, VIOLET_DEEP)


def paste_centred(canvas, picture, left, right, shift):
    x = left + (right - left + 1 - picture.width + 1) // 2
    y = STRIP_TOP + (STRIP_BOTTOM - STRIP_TOP + 1 - picture.height + 1) // 2
    canvas.paste(picture, x + shift, y + shift)


def strip_label(canvas, left, right, parts, shift):
    """Lays out icons and words side by side, centred on the button."""
    gap = 2
    widths = [p.width if isinstance(p, Canvas) else text_width(p) for p in parts]
    total = sum(widths) + gap * (len(parts) - 1)
    x = left + (right - left + 1 - total + 1) // 2 + shift
    body = WHITE_TEXT if not shift else DIM_COLOURS["W"]
    for part, width in zip(parts, widths):
        if isinstance(part, Canvas):
            canvas.paste(part, x, STRIP_TOP + (19 - part.height + 1) // 2 + shift)
        else:
            draw_text(canvas, part, x - 2, STRIP_TOP + 3 + shift, body, WHITE_SHADE if not shift else DIM_COLOURS["L"])
        x += width + gap


def draw_strip_button(canvas, name, left, right, pressed):
    if name == "sound" and pressed:
        # The game shows the sound button's pressed look while the sound is off.
        strip_button_face(canvas, left, right, pressed=False)
        paste_centred(canvas, SOUND_OFF, left, right, 0)
        return
    shift = 1 if pressed else 0
    strip_button_face(canvas, left, right, pressed)
    picture = strip_icon(name, pressed)
    if name == "home":
        strip_label(canvas, left, right, [picture, "HOME"], shift)
    elif name == "previous":
        strip_label(canvas, left, right, [picture, "PREV"], shift)
    elif name == "next":
        strip_label(canvas, left, right, ["NEXT", picture], shift)
    else:
        paste_centred(canvas, picture, left, right, shift)


# A watchtower set flat into the panel in the gap between HOME and PREV, one shade off its night: no outline,
# no light and no lit window, so that it reads as the panel's own ornament and not as one more button.
WATCHTOWER = icon(("M.M.M.M", "MMMMMMM", ".MMMMM.", ".MMMMM.", ".MMMMM.", ".MMMMM.", ".MMMMM.", ".MMMMM.",
                   ".MMMMM.", ".MMMMM.", "MMMMMMM"), {"M": SKY_DEEP}, outline=None)


def draw_strip(canvas, top, pressed):
    """The control strip with every button normal or every button pressed, at canvas row `top`."""
    strip = Canvas(SCREEN_WIDTH, STRIP_BOTTOM + 1, TRANSPARENT)
    strip.fill_rect(0, STRIP_TOP, SCREEN_WIDTH - 1, STRIP_BOTTOM, NIGHT)
    strip.fill_rect(0, STRIP_TOP, SCREEN_WIDTH - 1, STRIP_TOP, OUTLINE)
    strip.paste(WATCHTOWER, 65 + (16 - WATCHTOWER.width) // 2, STRIP_TOP + 3)
    for name, left, right in STRIP_BUTTONS:
        draw_strip_button(strip, name, left, right, pressed)
    for y in range(STRIP_TOP, STRIP_BOTTOM + 1):
        for x in range(SCREEN_WIDTH):
            canvas.set(x, top + y - STRIP_TOP, strip.get(x, y))


def make_play_background():
    canvas = Canvas(SCREEN_WIDTH, SCREEN_HEIGHT)
    draw_field(canvas)
    draw_shelf(canvas)
    draw_info_bar(canvas)
    draw_strip(canvas, STRIP_TOP, pressed=False)
    return canvas


def make_panel_highlights():
    canvas = Canvas(SCREEN_WIDTH, STRIP_BOTTOM - STRIP_TOP + 1)
    draw_strip(canvas, 0, pressed=True)
    return canvas


# ---- Home menu ---------------------------------------------------------------------------------------

MENU_WIDTH = 108
MENU_TOP_EDGE = 7
MENU_BUTTON_HEIGHT = 35
MENU_BUTTONS = ("PLAY", "HELP", "QUIT")
MENU_BOTTOM_EDGE_TOP = 112
WALL = 6                           # stone pillars at both sides of the menu tower


def wall_colour(x, y):
    """Bricks of 8 x 5 in alternate courses, lit at their top edge."""
    course = y // 5
    bx = (x + (4 if course % 2 else 0)) % 8
    if y % 5 == 4 or bx == 7:
        return STONE_DEEP
    return STONE_MID if y % 5 == 0 else STONE_DARK


def draw_menu_wall(canvas, offset, top, bottom):
    for y in range(top, bottom + 1):
        for x in range(MENU_WIDTH):
            canvas.set(offset + x, y, wall_colour(x, y))
    canvas.fill_rect(offset, top, offset, bottom, OUTLINE)
    canvas.fill_rect(offset + MENU_WIDTH - 1, top, offset + MENU_WIDTH - 1, bottom, OUTLINE)


def draw_battlements(canvas, offset):
    """The top edge: a tower's crenellated parapet, merlons 12 wide with gaps of 7."""
    draw_menu_wall(canvas, offset, 0, MENU_TOP_EDGE - 1)
    merlon, crenel = 12, 7
    for x in range(MENU_WIDTH):
        in_gap = x % (merlon + crenel) >= merlon and x < MENU_WIDTH - merlon
        if in_gap:
            canvas.fill_rect(offset + x, 0, offset + x, 2, TRANSPARENT)
            canvas.set(offset + x, 3, OUTLINE)
            canvas.set(offset + x, 4, STONE_MID)
        else:
            canvas.set(offset + x, 0, OUTLINE)
            canvas.set(offset + x, 1, STONE_MID)
    for x in range(MENU_WIDTH):
        gap_here = canvas.get(offset + x, 0)[3] == 0
        for side in (x - 1, x + 1):
            if 0 <= side < MENU_WIDTH and gap_here and canvas.get(offset + side, 0)[3] != 0:
                canvas.fill_rect(offset + side, 0, offset + side, 3, OUTLINE)


def draw_menu_button(canvas, offset, top, label, pressed):
    draw_menu_wall(canvas, offset, top, top + MENU_BUTTON_HEIGHT - 1)
    left, right = offset + WALL, offset + MENU_WIDTH - 1 - WALL
    plate_top, plate_bottom = top + 3, top + MENU_BUTTON_HEIGHT - 4
    if pressed:
        # A window lit from inside: the plate glows and the word sinks by one pixel.
        inset_box(canvas, left, plate_top, right, plate_bottom, WARM_ORANGE, ORANGE_SHADE, None)
        canvas.fill_rect(left + 2, plate_top + 2, right - 1, (plate_top + plate_bottom) // 2, WINDOW_YELLOW)
        body, shade, outline, shift = NIGHT, VIOLET_DEEP, None, 1
    else:
        bevel_box(canvas, left, plate_top, right, plate_bottom, PANEL_BLUE, PANEL_LIGHT, PANEL_DARK)
        body, shade, outline, shift = WHITE_TEXT, WHITE_SHADE, OUTLINE, 0
    text_x = (left + right + 1) // 2 - text_width(label) // 2 - 2
    text_y = (plate_top + plate_bottom + 1) // 2 - 6
    draw_text(canvas, label, text_x + shift, text_y + shift, body, shade, outline)


CORBEL_CENTRES = (11, 32, 54, 76, 97)


def draw_menu_bottom(canvas, offset):
    """The bottom edge: a ledge carried by stepped corbels, as under a tower's overhanging gallery."""
    top = MENU_BOTTOM_EDGE_TOP
    draw_menu_wall(canvas, offset, top, top + 1)
    canvas.fill_rect(offset, top + 2, offset + MENU_WIDTH - 1, top + 5, STONE_DARK)
    canvas.fill_rect(offset, top + 2, offset + MENU_WIDTH - 1, top + 2, OUTLINE)
    canvas.fill_rect(offset + 1, top + 3, offset + MENU_WIDTH - 2, top + 3, STONE_MID)
    canvas.fill_rect(offset, top + 5, offset + MENU_WIDTH - 1, top + 5, OUTLINE)
    canvas.fill_rect(offset, top + 2, offset, top + 5, OUTLINE)
    canvas.fill_rect(offset + MENU_WIDTH - 1, top + 2, offset + MENU_WIDTH - 1, top + 5, OUTLINE)
    for centre in CORBEL_CENTRES:
        for step, half in enumerate((5, 5, 4, 4, 3, 3)):
            y = top + 6 + step
            colour = OUTLINE if step == 5 else (STONE_MID if step % 2 == 0 else STONE_DARK)
            canvas.fill_rect(offset + centre - half, y, offset + centre + half - 1, y, colour)
            canvas.set(offset + centre - half, y, OUTLINE)
            canvas.set(offset + centre + half - 1, y, OUTLINE)


def make_menu_buttons():
    canvas = Canvas(2 * MENU_WIDTH, 125)
    for column, pressed in ((0, False), (1, True)):
        offset = column * MENU_WIDTH
        draw_battlements(canvas, offset)
        for index, label in enumerate(MENU_BUTTONS):
            draw_menu_button(canvas, offset, MENU_TOP_EDGE + MENU_BUTTON_HEIGHT * index, label, pressed)
        draw_menu_bottom(canvas, offset)
    return canvas


# ---- New-record dialog and its keys ------------------------------------------------------------------

DIALOG_X, DIALOG_Y = 35, 66
DIALOG_WIDTH, DIALOG_HEIGHT = 170, 187
NAME_X, NAME_Y = 88, 131           # where the game writes the name (8 characters)
KEY_LEFT, KEY_TOP = 44, 161
KEY_PITCH_X, KEY_PITCH_Y, ODD_KEY_DROP = 17, 20, 3
KEY_WIDTH, KEY_HEIGHT = 16, 18     # the cap; the key's touch area is 17 x 17
OK_LEFT, OK_TOP = 104, 222         # the OK cap, 33 x 25, as its highlight is drawn
OK_WIDTH, OK_HEIGHT = 33, 25
DELETE_KEY = 27

DELETE_SIGN = icon(("...W.....", "..WW.....", ".WWWWWWWW", "WWWWWWWWW", ".WWWWWWWW", "..WW.....",
                    "...W....."), {"W": WHITE_TEXT})


def key_position(k):
    """Screen left and top of key k (1..27)."""
    column, row = (k - 1) % 9, (k - 1) // 9
    return KEY_LEFT + KEY_PITCH_X * column, KEY_TOP + KEY_PITCH_Y * row + (ODD_KEY_DROP if column % 2 else 0)


def draw_key_cap(canvas, x, y, pressed):
    """A letter key, 16 x 18: a raised cap with its front side below; pressed, it sinks and lights."""
    right, bottom = x + KEY_WIDTH - 1, y + KEY_HEIGHT - 1
    if pressed:
        canvas.fill_rect(x, y, right, bottom, OUTLINE)
        canvas.fill_rect(x + 1, y + 1, right - 1, y + 2, NIGHT)
        bevel_box(canvas, x, y + 2, right, bottom, DUSK_PINK, (0xd8, 0x78, 0x9c, 255), (0x80, 0x38, 0x5c, 255))
    else:
        canvas.fill_rect(x, y, right, bottom, OUTLINE)
        bevel_box(canvas, x, y, right, bottom - 2, VIOLET, VIOLET_LIGHT, VIOLET_DEEP)
        canvas.fill_rect(x + 1, bottom - 2, right - 1, bottom - 1, VIOLET_DEEP)
        canvas.fill_rect(x, bottom - 2, right, bottom - 2, OUTLINE)
    cut_corners(canvas, x, y, right, bottom, TRANSPARENT)


def draw_ok_cap(canvas, x, y, pressed):
    right, bottom = x + OK_WIDTH - 1, y + OK_HEIGHT - 1
    label_x = x + (OK_WIDTH - text_width("OK")) // 2 - 2
    if pressed:
        canvas.fill_rect(x, y, right, bottom, OUTLINE)
        canvas.fill_rect(x + 1, y + 1, right - 1, y + 2, NIGHT)
        bevel_box(canvas, x, y + 2, right, bottom, WARM_ORANGE, WINDOW_YELLOW, ORANGE_SHADE)
        draw_text(canvas, "OK", label_x + 1, y + 7, NIGHT, VIOLET_DEEP, None)
    else:
        canvas.fill_rect(x, y, right, bottom, OUTLINE)
        bevel_box(canvas, x, y, right, bottom - 2, GREEN_ACCENT, (0x90, 0xf0, 0xb0, 255), (0x22, 0xa8, 0x5a, 255))
        canvas.fill_rect(x + 1, bottom - 2, right - 1, bottom - 1, (0x1a, 0x70, 0x40, 255))
        canvas.fill_rect(x, bottom - 2, right, bottom - 2, OUTLINE)
        draw_text(canvas, "OK", label_x, y + 4, NIGHT, NIGHT, None)
    cut_corners(canvas, x, y, right, bottom, TRANSPARENT)


def draw_stars(canvas, points):
    for x, y in points:
        canvas.set(x, y, WINDOW_YELLOW)
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            canvas.set(x + dx, y + dy, WARM_ORANGE)


def make_record_dialog():
    canvas = Canvas(DIALOG_WIDTH, DIALOG_HEIGHT)
    right, bottom = DIALOG_WIDTH - 1, DIALOG_HEIGHT - 1
    # Stone frame round a panel of night blue.
    bevel_box(canvas, 0, 0, right, bottom, STONE_MID, STONE_LIGHT, STONE_DARK)
    canvas.fill_rect(3, 3, right - 3, bottom - 3, PANEL_BLUE)
    canvas.rect(3, 3, right - 3, bottom - 3, OUTLINE)
    canvas.fill_rect(4, 4, right - 4, 4, PANEL_DARK)
    canvas.fill_rect(4, 4, 4, bottom - 4, PANEL_DARK)
    cut_corners(canvas, 0, 0, right, bottom, TRANSPARENT)

    title = "NEW RECORD!"
    title_x = (DIALOG_WIDTH - text_width(title)) // 2 - 2
    draw_text(canvas, title, title_x, 8, WINDOW_YELLOW, WARM_ORANGE)
    draw_stars(canvas, ((title_x - 8, 14), (title_x + text_width(title) + 10, 14)))
    prompt = "ENTER YOUR NAME"
    draw_text(canvas, prompt, (DIALOG_WIDTH - text_width(prompt)) // 2 - 2, 34, STONE_LIGHT, STONE_MID)

    # The name field round the 8 characters the game writes at NAME_X, NAME_Y.
    nx, ny = NAME_X - DIALOG_X, NAME_Y - DIALOG_Y
    field = (nx - 2, ny - 2, nx + 8 * 8 + 3, ny + 14)
    canvas.fill_rect(*field, NIGHT)
    canvas.rect(*field, OUTLINE)
    canvas.fill_rect(field[0] + 1, field[3] + 1, field[2] + 1, field[3] + 1, PANEL_LIGHT)
    canvas.fill_rect(field[2] + 1, field[1] + 1, field[2] + 1, field[3] + 1, PANEL_LIGHT)

    for k in range(1, DELETE_KEY + 1):
        x, y = key_position(k)
        draw_key_cap(canvas, x - DIALOG_X, y - DIALOG_Y, pressed=False)
    # The delete key's sign is part of the picture: the game writes letters only on the other keys.
    dx, dy = key_position(DELETE_KEY)
    canvas.paste(DELETE_SIGN, dx - DIALOG_X + (KEY_WIDTH - DELETE_SIGN.width) // 2,
                 dy - DIALOG_Y + (KEY_HEIGHT - 2 - DELETE_SIGN.height) // 2)
    draw_ok_cap(canvas, OK_LEFT - DIALOG_X, OK_TOP - DIALOG_Y, pressed=False)
    return canvas


def make_key_highlight():
    canvas = Canvas(KEY_WIDTH, KEY_HEIGHT)
    draw_key_cap(canvas, 0, 0, pressed=True)
    return canvas


def make_ok_highlight():
    canvas = Canvas(OK_WIDTH, OK_HEIGHT)
    draw_ok_cap(canvas, 0, 0, pressed=True)
    return canvas


IMAGES = (
    ("103_play_background.png", make_play_background),
    ("104_font.png", make_font_image),
    ("109_menu_buttons.png", make_menu_buttons),
    ("110_panel_highlights.png", make_panel_highlights),
    ("111_record_dialog.png", make_record_dialog),
    ("112_key_highlight.png", make_key_highlight),
    ("113_ok_highlight.png", make_ok_highlight),
)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "assets", "images")
    for name, make in IMAGES:
        make().save_png(os.path.join(out_dir, name))
        print("wrote", name)


if __name__ == "__main__":
    main()
