"""The game's dusk palette: the colours every picture of the game is drawn from."""
from canvas import rgb

SKY_DARK = rgb("#1a1038")
SKY_MID = rgb("#2b1d5c")
VIOLET = rgb("#4a2f7f")
DUSK_PINK = rgb("#b0507a")
WARM_ORANGE = rgb("#f0a040")
WINDOW_YELLOW = rgb("#ffd870")
STONE_LIGHT = rgb("#c8c0d8")
STONE_MID = rgb("#8a82a8")
STONE_DARK = rgb("#4c4670")
OUTLINE = rgb("#10081c")
GREEN_ACCENT = rgb("#38d878")
WHITE_TEXT = rgb("#f8f8f8")
PANEL_BLUE = rgb("#203060")
