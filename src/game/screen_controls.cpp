// The screen's controls, listed in reading order from the same rectangles the stylus commands test: the
// home menu, the board with its tower buttons and control strip, the record dialog's keyboard, the
// tutorial's footer, and the screens a tap anywhere moves on from.
#include "game/screen_controls.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "game/board_words.h"
#include "game/controls.h"
#include "game/tutorial_schedule.h"
#include "platform/platform.h"
#include "puzzle/board_lines.h"

namespace {

using platform::Control;
using platform::ControlKind;

// The grid of a 6 x 6 board with its 24 viewpoints, six tower buttons, "no tower" and the control strip.
constexpr std::size_t MOST_CONTROLS = 1 + GRID_CELLS + 4 * GRID_SIDE + TOWER_BUTTON_COUNT + 1 + PANEL_BUTTON_COUNT;
constexpr std::size_t KEYS_SIZE = 16;

constexpr HitRect WHOLE_DISPLAY{0, 0, platform::DISPLAY_WIDTH - 1, platform::DISPLAY_HEIGHT - 1};
// The first pixel of screen cell 1 (board_lines.h): screen cell k starts 29 pixels on per k.
constexpr int SCREEN_CELL_START = SCREEN_GRID_ORIGIN + 1;
constexpr int SCREEN_CELL_INSIDE = SCREEN_CELL - 2;  // the pixels between two grid lines, less one

constexpr const char* BOARD_NAME = "Board";
constexpr const char* NAME_FIELD = "Your name";
constexpr const char* CONTINUE = "Continue";
constexpr std::array<const char*, MENU_BUTTON_COUNT> MENU_NAMES{"Play", "Help", "Quit"};
constexpr std::array<const char*, TOWER_BUTTON_COUNT> TOWER_NAMES{"Tower 1", "Tower 2", "Tower 3",
                                                                  "Tower 4", "Park",    "Tower 5"};
constexpr const char* NO_TOWER_NAME = "No tower";
constexpr std::array<const char*, PANEL_BUTTON_COUNT> PANEL_NAMES{"Home",  "Previous level", "Solve",
                                                                  "Reset", "Sound",          "Next level"};
constexpr std::array<const char*, LINK_COUNT> LINK_NAMES{"Home", "Page 1, Game controls",
                                                         "Page 2, Playing the game", "Page 3, Basic strategy"};
// The pages the footer's links turn to, in link order (the HOME link turns to none).
constexpr std::array<int, LINK_COUNT> LINK_PAGES{tutorial::NOT_A_PAGE, tutorial::PAGE_CONTROLS,
                                                 tutorial::PAGE_PLAYING, tutorial::PAGE_STRATEGY};

// Copies `text` into `to`, cut short where it would not fit.
template <std::size_t N>
void copyText(std::array<char, N>& to, std::string_view text) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.data(), length, to.data());
    to[length] = '\0';
}

// One description of a screen's controls, owning their texts.
struct ControlList {
    std::array<Control, MOST_CONTROLS> controls{};
    std::array<PartName, MOST_CONTROLS> names{};
    std::array<std::array<char, KEYS_SIZE>, MOST_CONTROLS> keys{};
    std::array<char, RECORD_TEXT_SIZE> fieldValue{};
    std::size_t count = 0;

    // A control of this kind over `rect` (its part on the display), called `name`. A list that would
    // overflow loses its last control instead.
    Control& add(ControlKind kind, const HitRect& rect, std::string_view name) {
        const std::size_t at = std::min(count, MOST_CONTROLS - 1);
        count = at + 1;
        copyText(names[at], name);
        keys[at][0] = '\0';
        Control& control = controls[at];
        control = Control{};
        control.kind = kind;
        control.left = static_cast<std::int16_t>(std::max(rect.left, WHOLE_DISPLAY.left));
        control.top = static_cast<std::int16_t>(std::max(rect.top, WHOLE_DISPLAY.top));
        control.right = static_cast<std::int16_t>(std::min(rect.right, WHOLE_DISPLAY.right));
        control.bottom = static_cast<std::int16_t>(std::min(rect.bottom, WHOLE_DISPLAY.bottom));
        control.name = names[at].data();
        control.keys = keys[at].data();
        return control;
    }

    void setKeys(const Control& control, std::string_view text) {
        copyText(keys[static_cast<std::size_t>(&control - controls.data())], text);
    }

    std::span<const Control> shown() const { return {controls.data(), count}; }
};

bool sameText(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

bool sameControl(const Control& a, const Control& b) {
    return a.kind == b.kind && a.on == b.on && a.row == b.row && a.column == b.column && a.left == b.left &&
           a.top == b.top && a.right == b.right && a.bottom == b.bottom && sameText(a.name, b.name) &&
           sameText(a.value, b.value) && sameText(a.keys, b.keys);
}

bool sameControls(const ControlList& a, const ControlList& b) {
    return a.count == b.count && std::equal(a.controls.begin(), a.controls.begin() + static_cast<std::ptrdiff_t>(a.count),
                                            b.controls.begin(), sameControl);
}

// ---- The board ------------------------------------------------------------------------------------

// The inside of screen cell (column, row) of the 29-pixel grid the board sits on, as the hit test
// finds it: the pixels between its grid lines.
HitRect screenCellRect(int column, int row) {
    const int left = SCREEN_CELL * column - (SCREEN_CELL - SCREEN_CELL_START);
    const int top = SCREEN_CELL * row - (SCREEN_CELL - SCREEN_CELL_START);
    return {left, top, left + SCREEN_CELL_INSIDE, top + SCREEN_CELL_INSIDE};
}

void addGridPart(ControlList& list, ControlKind kind, const HitRect& rect, const PartName& name, int row, int column) {
    Control& control = list.add(kind, rect, name.data());
    control.row = static_cast<std::int16_t>(row);
    control.column = static_cast<std::int16_t>(column);
}

// The board as a grid, then its parts row by row: the top viewpoints over its columns, each row of cells between its
// left and right viewpoints, the bottom viewpoints under it. Each viewpoint sits in the screen cell
// next to its line, where its number is drawn.
void addBoard(ControlList& list, const ScreenFacts& facts) {
    const int columns = facts.columnCount, rows = facts.rowCount;
    const int firstColumn = facts.boardColumnOffset, firstRow = facts.boardRowOffset;
    const HitRect topLeft = screenCellRect(firstColumn - 1, firstRow - 1);
    const HitRect bottomRight = screenCellRect(firstColumn + columns, firstRow + rows);
    list.add(ControlKind::Grid, {topLeft.left, topLeft.top, bottomRight.right, bottomRight.bottom}, BOARD_NAME);
    PartName name{};
    for (int x = 0; x < columns; ++x) {
        nameViewpoint(name, facts, BoardSide::Top, x);
        addGridPart(list, ControlKind::ColumnHeader, screenCellRect(firstColumn + x, firstRow - 1), name, 0, x + 1);
    }
    for (int y = 0; y < rows; ++y) {
        nameViewpoint(name, facts, BoardSide::Left, y);
        addGridPart(list, ControlKind::RowHeader, screenCellRect(firstColumn - 1, firstRow + y), name, y + 1, 0);
        for (int x = 0; x < columns; ++x) {
            nameCell(name, facts, x, y);
            addGridPart(list, ControlKind::GridCell, screenCellRect(firstColumn + x, firstRow + y), name, y + 1, x + 1);
        }
        nameViewpoint(name, facts, BoardSide::Right, y);
        addGridPart(list, ControlKind::RowHeader, screenCellRect(firstColumn + columns, firstRow + y), name, y + 1,
                    columns + 1);
    }
    for (int x = 0; x < columns; ++x) {
        nameViewpoint(name, facts, BoardSide::Bottom, x);
        addGridPart(list, ControlKind::ColumnHeader, screenCellRect(firstColumn + x, firstRow + rows), name, rows + 1,
                    x + 1);
    }
}

// The level's tower kinds, the chosen one on; "no tower" (a tap beside the controls) is on while none is.
void addTowerButtons(ControlList& list, const ScreenFacts& facts) {
    const int kinds = std::min(facts.towerKindCount, TOWER_BUTTON_COUNT);
    for (int button = 0; button < kinds; ++button) {
        list.add(ControlKind::Toggle, towerButtonRects[static_cast<std::size_t>(button)],
                 TOWER_NAMES[static_cast<std::size_t>(button)])
            .on = facts.selectedTower == button;
    }
    list.add(ControlKind::Toggle, panelGap, NO_TOWER_NAME).on = facts.selectedTower < 0 || facts.selectedTower >= kinds;
}

// A panel button that would do nothing (PREV on level 1, NEXT at the furthest level) is not offered.
bool panelButtonActs(int button, const ScreenFacts& facts) {
    if (button == PANEL_PREV) return facts.level >= 2;
    if (button == PANEL_NEXT) return facts.level < facts.maxLevel;
    return true;
}

void addControlStrip(ControlList& list, const ScreenFacts& facts) {
    for (int button = 0; button < PANEL_BUTTON_COUNT; ++button) {
        if (!panelButtonActs(button, facts)) continue;
        const bool sound = button == PANEL_SOUND;
        list.add(sound ? ControlKind::Switch : ControlKind::Button, panelRects[static_cast<std::size_t>(button)],
                 PANEL_NAMES[static_cast<std::size_t>(button)])
            .on = sound && facts.soundOn != 0;
    }
}

void addPlayScreen(ControlList& list, const ScreenFacts& facts) {
    if (boardSizeValid(facts.columnCount, facts.rowCount)) addBoard(list, facts);
    addTowerButtons(list, facts);
    addControlStrip(list, facts);
}

// ---- The other screens ----------------------------------------------------------------------------

void addHomeMenu(ControlList& list) {
    for (int button = 0; button < MENU_BUTTON_COUNT; ++button) {
        list.add(ControlKind::Button, menuRects[static_cast<std::size_t>(button)],
                 MENU_NAMES[static_cast<std::size_t>(button)]);
    }
}

// The name typed so far, then the keyboard: the letters A to Z, delete and OK, each with its key.
void addRecordKeyboard(ControlList& list, const ScreenFacts& facts) {
    const auto& typed = facts.nameEntry;
    copyText(list.fieldValue, std::string_view(typed.data(), std::find(typed.begin(), typed.end(), '\0') - typed.begin()));
    list.add(ControlKind::Field, nameFieldRect, NAME_FIELD).value = list.fieldValue.data();
    for (int key = FIRST_LETTER_KEY; key <= LAST_LETTER_KEY; ++key) {
        const char letter[] = {static_cast<char>('A' + key - FIRST_LETTER_KEY), '\0'};
        list.setKeys(list.add(ControlKind::Button, nameKeyRect(key), letter), letter);
    }
    list.setKeys(list.add(ControlKind::Button, nameKeyRect(DELETE_KEY), "Delete"), "Backspace");
    list.setKeys(list.add(ControlKind::Button, okKey, "OK"), "Enter");
}

// A tap anywhere above the footer hurries the page on; the footer's links go home or turn the page.
void addTutorialFooter(ControlList& list, int page) {
    list.add(ControlKind::Button, tutorialPageRect, CONTINUE);
    for (std::size_t link = 0; link < LINK_COUNT; ++link) {
        list.add(ControlKind::Link, tutorialLinkRects[link], LINK_NAMES[link]).on = LINK_PAGES[link] == page;
    }
}

void describe(ControlList& list, const ScreenFacts& facts) {
    list.count = 0;
    const int page = tutorial::pageOfScreen(facts.screen);
    if (page != tutorial::NOT_A_PAGE) {
        addTutorialFooter(list, page);
        return;
    }
    switch (facts.screen) {
        case SCREEN_HOME: addHomeMenu(list); return;
        case SCREEN_PLAY: addPlayScreen(list, facts); return;
        case SCREEN_NEW_RECORD: addRecordKeyboard(list, facts); return;
        // A tap anywhere moves on: to the next level, home, or (the credits) out of the game.
        case SCREEN_CREDITS:
        case SCREEN_LEVEL_COMPLETE:
        case SCREEN_GAME_COMPLETE: list.add(ControlKind::Button, WHOLE_DISPLAY, CONTINUE); return;
        default: return;
    }
}

// The device's description and the next one, built side by side so that they can be compared.
std::array<ControlList, 2> lists;
std::size_t shownList = 0;
bool anyShown = false;

}  // namespace

void showControlChanges(const ScreenFacts& facts) {
    ControlList& next = lists[1 - shownList];
    describe(next, facts);
    if (anyShown && sameControls(next, lists[shownList])) return;
    shownList = 1 - shownList;
    anyShown = true;
    platform::showControls(next.shown());
}

void forgetControlsShown() { anyShown = false; }

const char* nameFieldName() { return NAME_FIELD; }
