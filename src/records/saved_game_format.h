// The saved game "game.sav": the level in play as the player left it, as a few lines of text that a
// person can read. Pure functions over bytes, with no file access, so that any bytes at all can be read
// safely; parseSavedGame is the one place that decides whether bytes are a game the player could have
// left. Version 1, line by line, each line a key, one space and its value:
//
//   spirehold-saved-game 1
//   level 7
//   size 2 3                      columns, rows: the level's own (level table)
//   place 4 3                     the board's column and row on the screen's 29-pixel grid: the level's own
//   kinds 3                       tower kinds: the level's own
//   hidden 12 31 23               the hidden arrangement: a word per row from the top, a digit per column
//   clues 2 1 1 2 2 1 2 1 1 2     the viewpoints clockwise from the top-left: top, right, bottom, left side
//   towers 1. .. 2.               the player's towers, laid out as `hidden`; '.' is an empty cell
//   chosen 2                      the chosen tower kind, 0 for none
//   clock 75                      whole seconds
//   answer hidden                 `shown` once SOLVE showed this puzzle's answer
//   result none                   the result screen left open: none, record (the name dialog), complete
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "puzzle/board.h"

namespace records {

// Far more than a saved game of the largest board takes (about 260 bytes).
inline constexpr std::size_t SAVED_GAME_SIZE_LIMIT = 1024;
// The records' time field holds eight digits; a clock is at most that wide.
inline constexpr std::int32_t SAVED_CLOCK_LIMIT = 99999999;

// The screen over the board when the game was left: the play or home screen, the name dialog of a new
// best time, or the level's end without one.
enum class LevelResult : std::uint8_t { None, NewRecord, Complete };

struct SavedGame {
    std::int32_t level = 0;
    // The level's shape, the chosen tower, both grids and the clues; the lit viewpoints are worked out
    // from the towers by the board's rules when read, and not written.
    Board board;
    std::int32_t clockSeconds = 0;
    bool answerShown = false;
    LevelResult result = LevelResult::None;
};

// The text of a saved game: the board's cells within its size (1..6 each way), a cell value that no
// tower has written as '?', the clock as given. What it writes, parseSavedGame reads back whenever the
// game is one the player could have left.
std::string formatSavedGame(const SavedGame& game);

// The game in `bytes`, or nothing when they are not exactly a version 1 saved game that play can lead
// to: every line present, in order, and nothing after; a level 1..56 and at most `furthestLevel`; the
// size, place and kinds of that level; every cell of both grids a kind of the level (towers may be
// empty); clues that are the hidden arrangement's own visible counts; a chosen tower among the kinds; a
// clock of whole seconds 0..SAVED_CLOCK_LIMIT; a result screen only over a board whose every viewpoint
// is lit, and the name dialog only when SOLVE did not show the answer. Numbers are plain decimal
// digits, words are separated by one space, lines end in '\n'.
std::optional<SavedGame> parseSavedGame(std::span<const std::uint8_t> bytes, std::int32_t furthestLevel);

}  // namespace records
