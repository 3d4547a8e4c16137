// The screen in words: a summary of the screen in front ("Level 12, 4 by 4") and the board in play
// row by row with its viewpoint numbers, built from the game state after every frame and handed to the
// device only when they changed.
#include "game/screen_words.h"

#include <array>
#include <cstdio>
#include <string>

#include "game/game_state.h"
#include "game/tutorial_schedule.h"
#include "platform/platform.h"
#include "puzzle/board_lines.h"

namespace {

constexpr int SECONDS_PER_MINUTE = 60;

// The tutorial pages' titles, in page order.
constexpr std::array<const char*, TUTORIAL_PAGES> TUTORIAL_TITLES{
    "Tutorial: Introduction", "Tutorial: Game controls", "Tutorial: Playing the game", "Tutorial: Basic strategy"};

// What each tower kind is called, by kind: its height as its badge shows it (the park is no height).
constexpr std::array<const char*, NO_TOWER + 1> KIND_NAMES{"empty", "1", "2", "3", "4", "park", "5"};

struct Words {
    std::string summary;
    std::string board;
};

Words told;
Words built;

// Without a temporary string: this runs after every frame.
void appendNumber(std::string& text, long number) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%ld", number);
    text += digits;
}

// MM:SS as the clock shows whole minutes and seconds.
void appendClock(std::string& text, double seconds) {
    const long whole = seconds >= 0 ? static_cast<long>(seconds) : 0;
    char clock[24];
    std::snprintf(clock, sizeof clock, "%02ld:%02ld", whole / SECONDS_PER_MINUTE, whole % SECONDS_PER_MINUTE);
    text += clock;
}

void buildSummary(std::string& text) {
    text.clear();
    const int page = tutorial::pageOfScreen(gameState.screen);
    if (page != tutorial::NOT_A_PAGE) {
        text += TUTORIAL_TITLES[static_cast<std::size_t>(page)];
        return;
    }
    switch (gameState.screen) {
        case SCREEN_HOME: text += "Home"; return;
        case SCREEN_CREDITS: text += "Credits"; return;
        case SCREEN_PLAY:
            text += "Level ";
            appendNumber(text, gameState.level);
            text += ", ";
            appendNumber(text, gameState.board.columnCount);
            text += " by ";
            appendNumber(text, gameState.board.rowCount);
            return;
        case SCREEN_NEW_RECORD:
            text += "New best time ";
            appendClock(text, gameState.levelSeconds);
            text += " \u2014 enter your name";
            return;
        case SCREEN_LEVEL_COMPLETE: text += "Level complete"; return;
        case SCREEN_GAME_COMPLETE: text += "Game complete"; return;
        default: return;
    }
}

// Viewpoint k's number, and "lit" when the line it watches is right.
void appendViewpoint(std::string& text, int k) {
    appendNumber(text, gameState.board.viewpointClues[static_cast<std::size_t>(k)]);
    if (gameState.board.viewpointLit[static_cast<std::size_t>(k)] != 0) text += " lit";
}

// The viewpoints first..first+count-1 of one side, as a list.
void appendSide(std::string& text, const char* side, int first, int count) {
    text += side;
    for (int k = first; k < first + count; ++k) {
        text += k == first ? ": " : ", ";
        appendViewpoint(text, k);
    }
    text += ".\n";
}

const char* kindName(std::int32_t kind) {
    return kind >= 0 && kind <= NO_TOWER ? KIND_NAMES[static_cast<std::size_t>(kind)] : "unknown";
}

// Row y from the left, between the viewpoints at its two ends.
void appendRow(std::string& text, int y, int columns, int rows) {
    text += "Row ";
    appendNumber(text, y + 1);
    text += ", left ";
    appendViewpoint(text, leftViewpoint(columns, rows, y));
    for (int x = 0; x < columns; ++x) {
        text += x == 0 ? ": " : ", ";
        text += kindName(gameState.board.playerGrid[static_cast<std::size_t>(cellIndex(x, y))]);
    }
    text += "; right ";
    appendViewpoint(text, rightViewpoint(columns, y));
    text += ".\n";
}

bool showsBoard() { return gameState.screen == SCREEN_PLAY || gameState.screen == SCREEN_TUTORIAL_PLAYING; }

void buildBoard(std::string& text) {
    text.clear();
    const int columns = gameState.board.columnCount, rows = gameState.board.rowCount;
    if (!showsBoard() || !boardSizeValid(columns, rows)) return;
    appendSide(text, "Top", topViewpoint(0), columns);
    for (int y = 0; y < rows; ++y) appendRow(text, y, columns, rows);
    appendSide(text, "Bottom", bottomViewpoint(columns, rows, 0), columns);
    const bool chosen = gameState.board.selectedTower >= 0 && gameState.board.selectedTower < NO_TOWER;
    text += "Chosen tower: ";
    text += chosen ? kindName(gameState.board.selectedTower + 1) : "none";
    text += ".";
}

}  // namespace

void announceScreenChanges() {
    buildSummary(built.summary);
    buildBoard(built.board);
    if (built.summary == told.summary && built.board == told.board) return;
    told.summary = built.summary;
    told.board = built.board;
    platform::announceScreen(told.summary, told.board);
}

void forgetScreenWords() { told = Words{}; }
