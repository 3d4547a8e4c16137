// What the screen's words and controls are made from, copied out of the game state: a small fixed
// record that each frame compares with the one last told, so that the words and the controls are
// built only when something they say changed.
#pragma once

#include <array>
#include <cstdint>

#include "game/game_state.h"

struct ScreenFacts {
    std::uint32_t screen = SCREEN_HOME;
    std::int32_t level = 0, maxLevel = 0;
    std::uint32_t soundOn = 0;
    // On the record dialog only: the new best time in whole seconds, and the name typed so far.
    std::int64_t recordSeconds = 0;
    std::array<char, RECORD_TEXT_SIZE> nameEntry{};
    // On the screens that show the board only: the board in play, short of its hidden answer.
    std::int32_t columnCount = 0, rowCount = 0, towerKindCount = 0;
    std::int32_t boardColumnOffset = 0, boardRowOffset = 0;
    std::int32_t selectedTower = 0;
    Grid playerGrid{};
    Viewpoints viewpointClues{};
    Viewpoints viewpointLit{};

    bool operator==(const ScreenFacts&) const = default;
};

// The facts of the screen in front, written over `facts` without allocating (every frame does it).
void readScreenFacts(ScreenFacts& facts);

// The screens that show the board in play: the play screen and the tutorial's playing page.
bool showsBoard(std::uint32_t screen);
