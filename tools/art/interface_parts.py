"""Drawing helpers of the interface art: bevelled plates, small icons from text bitmaps."""
from canvas import Canvas
from font import add_outline
from interface_palette import OUTLINE


def bevel_box(canvas, x0, y0, x1, y1, face, light, dark, outline=OUTLINE):
    """A raised plate lit from the top-left: outline, a light top/left edge, a dark bottom/right edge."""
    canvas.fill_rect(x0, y0, x1, y1, face)
    canvas.fill_rect(x0 + 1, y0 + 1, x1 - 1, y0 + 1, light)
    canvas.fill_rect(x0 + 1, y0 + 1, x0 + 1, y1 - 1, light)
    canvas.fill_rect(x0 + 1, y1 - 1, x1 - 1, y1 - 1, dark)
    canvas.fill_rect(x1 - 1, y0 + 2, x1 - 1, y1 - 1, dark)
    canvas.rect(x0, y0, x1, y1, outline)


def inset_box(canvas, x0, y0, x1, y1, face, shadow, light, outline=OUTLINE):
    """A pressed-in plate: the shadow falls on its top/left inner edge, light catches the bottom/right."""
    canvas.fill_rect(x0, y0, x1, y1, face)
    canvas.fill_rect(x0 + 1, y0 + 1, x1 - 1, y0 + 1, shadow)
    canvas.fill_rect(x0 + 1, y0 + 1, x0 + 1, y1 - 1, shadow)
    if light is not None:
        canvas.fill_rect(x0 + 2, y1 - 1, x1 - 1, y1 - 1, light)
        canvas.fill_rect(x1 - 1, y0 + 2, x1 - 1, y1 - 1, light)
    canvas.rect(x0, y0, x1, y1, outline)


def icon(rows, colours, outline=OUTLINE):
    """A small picture from rows of characters: each character maps through `colours`, '.' is empty;
    `outline` (if any) rings the picture on all eight sides."""
    width = max(len(r) for r in rows)
    picture = Canvas(width + 2, len(rows) + 2)
    for y, row in enumerate(rows):
        for x, char in enumerate(row):
            if char != ".":
                picture.set(x + 1, y + 1, colours[char])
    if outline is not None:
        add_outline(picture, outline)
    return picture


def cut_corners(canvas, x0, y0, x1, y1, colour):
    """Rounds a rectangle's four corners by one pixel."""
    for x, y in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)):
        canvas.set(x, y, colour)
