// The screen in words: a summary of the screen in front ("Level 12, 4 by 4"), the board in play row by
// row with its viewpoint numbers, and the news of what the player's last action changed. Built from the
// screen's facts only when they differ from those last told, together with the screen's controls.
#include "game/screen_words.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <utility>

#include "game/board_words.h"
#include "game/screen_controls.h"
#include "game/screen_facts.h"
#include "game/tutorial_schedule.h"
#include "platform/platform.h"
#include "puzzle/board_lines.h"

namespace {

constexpr std::int64_t SECONDS_PER_MINUTE = 60;

// The tutorial pages' titles, in page order.
constexpr std::array<const char*, TUTORIAL_PAGES> TUTORIAL_TITLES{
    "Tutorial: Introduction", "Tutorial: Game controls", "Tutorial: Playing the game", "Tutorial: Basic strategy"};

struct Words {
    std::string summary;
    std::string board;
    std::string news;
};

// What the device was last told, and the facts it was made from; `seen` is the frame's own reading.
struct Told {
    bool anything = false;
    ScreenFacts facts;
    Words words;
};
Told told;
ScreenFacts seen;
Words built;

void appendNumber(std::string& text, long long number) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%lld", number);
    text += digits;
}

// MM:SS as the clock shows whole minutes and seconds.
void appendClock(std::string& text, std::int64_t seconds) {
    char clock[48];
    std::snprintf(clock, sizeof clock, "%02lld:%02lld", static_cast<long long>(seconds / SECONDS_PER_MINUTE),
                  static_cast<long long>(seconds % SECONDS_PER_MINUTE));
    text += clock;
}

void buildSummary(const ScreenFacts& facts, std::string& text) {
    text.clear();
    const int page = tutorial::pageOfScreen(facts.screen);
    if (page != tutorial::NOT_A_PAGE) {
        text += TUTORIAL_TITLES[static_cast<std::size_t>(page)];
        return;
    }
    switch (facts.screen) {
        case SCREEN_HOME: text += "Home"; return;
        case SCREEN_CREDITS: text += "Credits"; return;
        case SCREEN_PLAY:
            text += "Level ";
            appendNumber(text, facts.level);
            text += ", ";
            appendNumber(text, facts.columnCount);
            text += " by ";
            appendNumber(text, facts.rowCount);
            return;
        case SCREEN_NEW_RECORD:
            text += "New best time ";
            appendClock(text, facts.recordSeconds);
            text += " \u2014 enter your name";
            return;
        case SCREEN_LEVEL_COMPLETE: text += "Level complete"; return;
        case SCREEN_GAME_COMPLETE: text += "Game complete"; return;
        default: return;
    }
}

// Viewpoint k's number, and "lit" when the line it watches is right.
void appendViewpoint(std::string& text, const ScreenFacts& facts, int k) {
    appendNumber(text, facts.viewpointClues[static_cast<std::size_t>(k)]);
    if (facts.viewpointLit[static_cast<std::size_t>(k)] != 0) text += " lit";
}

// The viewpoints of one side, as a list.
void appendSide(std::string& text, const ScreenFacts& facts, const char* name, BoardSide side) {
    text += name;
    for (int line = 0; line < facts.columnCount; ++line) {
        text += line == 0 ? ": " : ", ";
        appendViewpoint(text, facts, viewpointOn(facts, side, line));
    }
    text += ".\n";
}

// Row y from the left, between the viewpoints at its two ends.
void appendRow(std::string& text, const ScreenFacts& facts, int y) {
    text += "Row ";
    appendNumber(text, y + 1);
    text += ", left ";
    appendViewpoint(text, facts, viewpointOn(facts, BoardSide::Left, y));
    for (int x = 0; x < facts.columnCount; ++x) {
        text += x == 0 ? ": " : ", ";
        text += kindBadge(facts.playerGrid[static_cast<std::size_t>(cellIndex(x, y))]);
    }
    text += "; right ";
    appendViewpoint(text, facts, viewpointOn(facts, BoardSide::Right, y));
    text += ".\n";
}

void buildBoard(const ScreenFacts& facts, std::string& text) {
    text.clear();
    if (!showsBoard(facts.screen) || !boardSizeValid(facts.columnCount, facts.rowCount)) return;
    appendSide(text, facts, "Top", BoardSide::Top);
    for (int y = 0; y < facts.rowCount; ++y) appendRow(text, facts, y);
    appendSide(text, facts, "Bottom", BoardSide::Bottom);
    const bool chosen = facts.selectedTower >= 0 && facts.selectedTower < NO_TOWER;
    text += "Chosen tower: ";
    text += chosen ? kindBadge(facts.selectedTower + 1) : "none";
    text += ".";
}

void appendNewsItem(std::string& text, const char* item) {
    if (!text.empty()) text += "; ";
    text += item;
}

// The cells whose content changed, then the viewpoints that lit or went out.
void appendPlacementNews(const ScreenFacts& before, const ScreenFacts& now, std::string& text) {
    PartName name{};
    for (int row = 0; row < now.rowCount; ++row) {
        for (int column = 0; column < now.columnCount; ++column) {
            const auto cell = static_cast<std::size_t>(cellIndex(column, row));
            if (before.playerGrid[cell] == now.playerGrid[cell]) continue;
            nameCell(name, now, column, row);
            appendNewsItem(text, name.data());
        }
    }
    for (const BoardSide side : {BoardSide::Top, BoardSide::Right, BoardSide::Bottom, BoardSide::Left}) {
        const int lines = side == BoardSide::Top || side == BoardSide::Bottom ? now.columnCount : now.rowCount;
        for (int line = 0; line < lines; ++line) {
            const auto viewpoint = static_cast<std::size_t>(viewpointOn(now, side, line));
            if (before.viewpointLit[viewpoint] == now.viewpointLit[viewpoint]) continue;
            nameViewpoint(name, now, side, line);
            appendNewsItem(text, name.data());
            if (now.viewpointLit[viewpoint] == 0) text += ", went out";
        }
    }
}

// The same puzzle still in play: only its cells and lights can have changed.
bool samePuzzle(const ScreenFacts& before, const ScreenFacts& now) {
    return before.screen == SCREEN_PLAY && now.screen == SCREEN_PLAY && before.level == now.level &&
           before.columnCount == now.columnCount && before.rowCount == now.rowCount &&
           before.viewpointClues == now.viewpointClues && boardSizeValid(now.columnCount, now.rowCount);
}

// What the player's last action changed on a screen that stayed: the board's cells and viewpoints,
// or the name typed on the record dialog.
void buildNews(const ScreenFacts& before, const ScreenFacts& now, std::string& text) {
    text.clear();
    if (samePuzzle(before, now)) {
        appendPlacementNews(before, now, text);
    } else if (before.screen == SCREEN_NEW_RECORD && now.screen == SCREEN_NEW_RECORD &&
               before.nameEntry != now.nameEntry) {
        text += nameFieldName();
        text += ": ";
        const auto end = std::find(now.nameEntry.begin(), now.nameEntry.end(), '\0');
        if (end == now.nameEntry.begin()) text += "empty";
        text.append(now.nameEntry.begin(), end);
    }
}

}  // namespace

void announceScreenChanges() {
    readScreenFacts(seen);
    if (told.anything && seen == told.facts) return;
    buildSummary(seen, built.summary);
    buildBoard(seen, built.board);
    buildNews(told.facts, seen, built.news);
    if (built.summary != told.words.summary || built.board != told.words.board || !built.news.empty()) {
        platform::announceScreen(built.summary, built.board, built.news);
    }
    std::swap(told.words, built);
    told.facts = seen;
    told.anything = true;
    showControlChanges(seen);
}

void forgetScreenWords() {
    told = Told{};
    forgetControlsShown();
}
