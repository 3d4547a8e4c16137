// The rectangles of every button, key, link and tower button, shared by the stylus-down marks, the
// stylus-up commands, the drawing of pressed buttons and keys, and the controls the device is told of.
#pragma once

#include <array>
#include <cstdint>

#include "game/game_state.h"
#include "puzzle/board_drawing.h"

// A screen rectangle, inclusive on all four sides.
struct HitRect {
    std::int32_t left, top, right, bottom;
};

constexpr bool pointInRect(int x, int y, const HitRect& rect) {
    return rect.left <= x && x <= rect.right && rect.top <= y && y <= rect.bottom;
}

// The home menu, stacked 35 pixels apart; neighbours share their boundary row.
enum MenuButton { MENU_PLAY, MENU_HELP, MENU_QUIT, MENU_BUTTON_COUNT };
inline constexpr std::array<HitRect, MENU_BUTTON_COUNT> menuRects{{
    {132, 121, 240, 156},
    {132, 156, 240, 191},
    {132, 191, 240, 226},
}};

// The control strip at the bottom of the play screen, in the order its buttons are tested.
enum PanelButton { PANEL_HOME, PANEL_PREV, PANEL_SOLVE, PANEL_RESET, PANEL_SOUND, PANEL_NEXT, PANEL_BUTTON_COUNT };
inline constexpr std::array<HitRect, PANEL_BUTTON_COUNT> panelRects{{
    {0, 301, 65, 320},
    {81, 301, 135, 320},
    {136, 301, 153, 320},
    {154, 301, 170, 320},
    {171, 301, 183, 320},
    {184, 301, 236, 320},
}};

// Between HOME and PREV, under the strip's tower sign: no panel button, so a tap there lets go of the
// chosen tower as any tap outside the board and the controls does.
inline constexpr HitRect panelGap{panelRects[PANEL_HOME].right + 1, panelRects[PANEL_HOME].top,
                                  panelRects[PANEL_PREV].left - 1, panelRects[PANEL_HOME].bottom};

// The flag that shows each panel button held down, in panel order.
inline constexpr std::array<std::int32_t GameState::*, PANEL_BUTTON_COUNT> panelPressedFlags{
    &GameState::homePressed,  &GameState::prevPressed,  &GameState::solvePressed,
    &GameState::resetPressed, &GameState::soundPressed, &GameState::nextPressed,
};

// The tower buttons as the board drawing lays them out; the hit area of each button after the first
// starts one column after its neighbour's ends.
constexpr HitRect towerButtonRect(int button) {
    return {button == 0 ? 0 : TOWER_BUTTON_WIDTH * button + 1, TOWER_PANEL_TOP, TOWER_BUTTON_WIDTH * (button + 1),
            TOWER_PANEL_TOP + TOWER_BUTTON_HEIGHT};
}
inline constexpr std::array<HitRect, TOWER_BUTTON_COUNT> towerButtonRects = [] {
    std::array<HitRect, TOWER_BUTTON_COUNT> rects{};
    for (int button = 0; button < TOWER_BUTTON_COUNT; ++button) {
        rects[static_cast<std::size_t>(button)] = towerButtonRect(button);
    }
    return rects;
}();

// The record dialog's keyboard: keys 1..26 type A..Z, 27 deletes, 28 is OK.
inline constexpr int FIRST_LETTER_KEY = 1;
inline constexpr int LAST_LETTER_KEY = 26;
inline constexpr int DELETE_KEY = 27;
inline constexpr int OK_KEY = 28;
inline constexpr HitRect okKey{104, 223, 137, 248};
// The box on the dialog that shows the typed name; no key.
inline constexpr HitRect nameFieldRect{86, 129, 155, 145};

// Key k (1..27) of three rows of nine; keys in odd columns sit 3 pixels lower.
constexpr HitRect nameKeyRect(int key) {
    constexpr int keysPerRow = 9, firstLeft = 44, firstTop = 161, columnPitch = 17, rowPitch = 20;
    constexpr int oddColumnDrop = 3, keySide = 16;
    const int column = (key - 1) % keysPerRow;
    const int row = (key - 1) / keysPerRow;
    const int left = firstLeft + columnPitch * column;
    const int top = firstTop + rowPitch * row + (column % 2 == 1 ? oddColumnDrop : 0);
    return {left, top, left + keySide, top + keySide};
}

// The tutorial's footer: "HOME>>>" where the play panel has its HOME button, and the digits of "1*2*3",
// which turn to the pages after the introduction.
enum TutorialLink : std::size_t { LINK_HOME, LINK_PAGE_1, LINK_PAGE_2, LINK_PAGE_3, LINK_COUNT };
inline constexpr std::array<HitRect, LINK_COUNT> tutorialLinkRects{{
    panelRects[PANEL_HOME],
    {193, 300, 207, 320},
    {208, 300, 223, 320},
    {224, 300, 240, 320},
}};
// A tutorial page above its footer, where a tap only hurries the page on (or turns it, once complete).
inline constexpr HitRect tutorialPageRect{0, 0, 239, 299};
