// The saved game's text: written line by line from a SavedGame, and read back only when every line
// says what play could have left.
#include "records/saved_game_format.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "puzzle/board_lines.h"
#include "puzzle/board_rules.h"
#include "puzzle/level_table.h"

namespace records {
namespace {

constexpr std::string_view HEADER_KEY = "spirehold-saved-game";
constexpr std::string_view VERSION = "1";
constexpr char EMPTY_CELL = '.';
constexpr char UNKNOWN_CELL = '?';
constexpr int LARGEST_DIGIT_KIND = 9;
constexpr std::size_t NUMBER_DIGITS_LIMIT = 8;
constexpr int NO_CHOSEN_KIND = 0;

constexpr std::array<std::string_view, 2> ANSWER_WORDS{"hidden", "shown"};
constexpr std::array<std::string_view, 3> RESULT_WORDS{"none", "record", "complete"};

// ---- Writing --------------------------------------------------------------------------------------

int sideWithinGrid(int side) { return std::clamp(side, 0, GRID_SIDE); }

char cellCharacter(std::int32_t kind) {
    if (kind == 0) return EMPTY_CELL;
    return kind >= 1 && kind <= LARGEST_DIGIT_KIND ? static_cast<char>('0' + kind) : UNKNOWN_CELL;
}

void appendLine(std::string& text, std::string_view key, std::string_view value) {
    text.append(key).append(" ").append(value).append("\n");
}

std::string numbersText(std::initializer_list<std::int32_t> numbers) {
    std::string text;
    for (const std::int32_t number : numbers) text.append(text.empty() ? "" : " ").append(std::to_string(number));
    return text;
}

std::string gridText(const Grid& grid, int columns, int rows) {
    std::string text;
    for (int row = 0; row < rows; ++row) {
        if (row > 0) text += ' ';
        for (int column = 0; column < columns; ++column) text += cellCharacter(grid[cellIndex(column, row)]);
    }
    return text;
}

std::string cluesText(const Board& board, int columns, int rows) {
    std::string text;
    for (int viewpoint = 1; viewpoint <= viewpointCount(columns, rows); ++viewpoint) {
        text.append(viewpoint > 1 ? " " : "").append(std::to_string(board.viewpointClues[viewpoint]));
    }
    return text;
}

// ---- Reading --------------------------------------------------------------------------------------

// The text line by line: each line must begin with the key asked for.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    // The value of the next line when that line is `key`, one space and the value; nothing otherwise.
    std::optional<std::string_view> next(std::string_view key) {
        const std::size_t end = rest_.find('\n');
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view line = rest_.substr(0, end);
        rest_.remove_prefix(end + 1);
        if (line.size() <= key.size() || !line.starts_with(key) || line[key.size()] != ' ') return std::nullopt;
        return line.substr(key.size() + 1);
    }

    bool atEnd() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

// The next word of `value` (up to a space or the end), taken off its front; empty when the value is
// used up or begins with a space.
std::string_view takeWord(std::string_view& value) {
    const std::size_t end = std::min(value.find(' '), value.size());
    const std::string_view word = value.substr(0, end);
    value.remove_prefix(end < value.size() ? end + 1 : end);
    return word;
}

// Exactly `count` words, each non-empty, one space apart.
template <std::size_t Capacity>
bool splitWords(std::optional<std::string_view> value, std::size_t count,
                std::array<std::string_view, Capacity>& words) {
    if (!value || count > Capacity || value->empty() || value->back() == ' ') return false;
    std::string_view rest = *value;
    for (std::size_t i = 0; i < count; ++i) {
        words[i] = takeWord(rest);
        if (words[i].empty()) return false;
    }
    return rest.empty();
}

// A plain decimal number of at most eight digits.
std::optional<std::int32_t> numberOf(std::string_view word) {
    if (word.empty() || word.size() > NUMBER_DIGITS_LIMIT) return std::nullopt;
    std::int32_t value = 0;
    for (const char digit : word) {
        if (digit < '0' || digit > '9') return std::nullopt;
        value = value * 10 + (digit - '0');
    }
    return value;
}

// A line of exactly these numbers.
bool numbersAre(std::optional<std::string_view> value, std::initializer_list<std::int32_t> expected) {
    std::array<std::string_view, 2> words{};
    if (!splitWords(value, expected.size(), words)) return false;
    std::size_t i = 0;
    for (const std::int32_t number : expected) {
        if (numberOf(words[i++]) != number) return false;
    }
    return true;
}

std::optional<std::int32_t> singleNumber(std::optional<std::string_view> value) {
    std::array<std::string_view, 1> words{};
    if (!splitWords(value, 1, words)) return std::nullopt;
    return numberOf(words[0]);
}

// The index of `value` among `words`.
template <std::size_t Count>
std::optional<std::size_t> wordIndex(std::optional<std::string_view> value,
                                     const std::array<std::string_view, Count>& words) {
    for (std::size_t i = 0; i < Count; ++i) {
        if (value == words[i]) return i;
    }
    return std::nullopt;
}

// A grid of the board's size, each cell a kind 1..kinds, or empty where that is allowed.
bool readGrid(std::optional<std::string_view> value, const Board& board, bool emptyAllowed, Grid& grid) {
    std::array<std::string_view, GRID_SIDE> rows{};
    if (!splitWords(value, static_cast<std::size_t>(board.rowCount), rows)) return false;
    for (int row = 0; row < board.rowCount; ++row) {
        const std::string_view cells = rows[static_cast<std::size_t>(row)];
        if (cells.size() != static_cast<std::size_t>(board.columnCount)) return false;
        for (int column = 0; column < board.columnCount; ++column) {
            const char cell = cells[static_cast<std::size_t>(column)];
            const int kind = cell == EMPTY_CELL && emptyAllowed ? 0 : cell - '0';
            if (kind < 0 || kind > board.towerKindCount || (kind == 0 && !emptyAllowed)) return false;
            grid[cellIndex(column, row)] = kind;
        }
    }
    return true;
}

// What each viewpoint sees of the hidden arrangement: the clues a generated puzzle has.
Viewpoints visibleCounts(const Board& board) {
    const int columns = board.columnCount, rows = board.rowCount;
    const Grid& grid = board.solutionGrid;
    Viewpoints counts{};
    for (int column = 0; column < columns; ++column) {
        counts[topViewpoint(column)] = countFromTop(grid, rows, column);
        counts[bottomViewpoint(columns, rows, column)] = countFromBottom(grid, rows, column);
    }
    for (int row = 0; row < rows; ++row) {
        counts[rightViewpoint(columns, row)] = countFromRight(grid, columns, row);
        counts[leftViewpoint(columns, rows, row)] = countFromLeft(grid, columns, row);
    }
    return counts;
}

bool readClues(std::optional<std::string_view> value, Board& board) {
    const int count = viewpointCount(board.columnCount, board.rowCount);
    std::array<std::string_view, VIEWPOINT_SLOTS - 1> words{};
    if (!splitWords(value, static_cast<std::size_t>(count), words)) return false;
    for (int viewpoint = 1; viewpoint <= count; ++viewpoint) {
        const std::optional<std::int32_t> clue = numberOf(words[static_cast<std::size_t>(viewpoint - 1)]);
        if (!clue) return false;
        board.viewpointClues[viewpoint] = *clue;
    }
    return board.viewpointClues == visibleCounts(board);
}

// Lights the viewpoints as play would have: every row and column judged by the board's own rule.
// True when every viewpoint is lit.
bool judgeWholeBoard(Board& board) {
    std::uint32_t complete = 0;
    for (int line = 0; line < std::max(board.columnCount, board.rowCount); ++line) {
        complete = evaluateMove(board, line, line);
    }
    return complete != 0;
}

}  // namespace

std::string formatSavedGame(const SavedGame& game) {
    const Board& board = game.board;
    const int columns = sideWithinGrid(board.columnCount), rows = sideWithinGrid(board.rowCount);
    const bool chosen = board.selectedTower != NO_TOWER;
    std::string text;
    appendLine(text, HEADER_KEY, VERSION);
    appendLine(text, "level", numbersText({game.level}));
    appendLine(text, "size", numbersText({board.columnCount, board.rowCount}));
    appendLine(text, "place", numbersText({board.boardColumnOffset, board.boardRowOffset}));
    appendLine(text, "kinds", numbersText({board.towerKindCount}));
    appendLine(text, "hidden", gridText(board.solutionGrid, columns, rows));
    appendLine(text, "clues", cluesText(board, columns, rows));
    appendLine(text, "towers", gridText(board.playerGrid, columns, rows));
    appendLine(text, "chosen", numbersText({chosen ? board.selectedTower + 1 : NO_CHOSEN_KIND}));
    appendLine(text, "clock", numbersText({game.clockSeconds}));
    appendLine(text, "answer", ANSWER_WORDS[game.answerShown ? 1 : 0]);
    appendLine(text, "result", RESULT_WORDS[static_cast<std::size_t>(game.result)]);
    return text;
}

std::optional<SavedGame> parseSavedGame(std::span<const std::uint8_t> bytes, std::int32_t furthestLevel) {
    if (bytes.size() > SAVED_GAME_SIZE_LIMIT) return std::nullopt;
    LineReader lines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (lines.next(HEADER_KEY) != VERSION) return std::nullopt;

    SavedGame game;
    const std::optional<std::int32_t> level = singleNumber(lines.next("level"));
    if (!level || *level < 1 || *level > LEVEL_COUNT || *level > furthestLevel) return std::nullopt;
    game.level = *level;
    Board& board = game.board;
    setupLevel(board, static_cast<std::uint32_t>(*level));
    if (!numbersAre(lines.next("size"), {board.columnCount, board.rowCount}) ||
        !numbersAre(lines.next("place"), {board.boardColumnOffset, board.boardRowOffset}) ||
        !numbersAre(lines.next("kinds"), {board.towerKindCount}) ||
        !readGrid(lines.next("hidden"), board, false, board.solutionGrid) || !readClues(lines.next("clues"), board) ||
        !readGrid(lines.next("towers"), board, true, board.playerGrid)) {
        return std::nullopt;
    }

    const std::optional<std::int32_t> chosen = singleNumber(lines.next("chosen"));
    if (!chosen || *chosen > board.towerKindCount) return std::nullopt;
    board.selectedTower = *chosen == NO_CHOSEN_KIND ? NO_TOWER : *chosen - 1;
    const std::optional<std::int32_t> clock = singleNumber(lines.next("clock"));
    const std::optional<std::size_t> answer = wordIndex(lines.next("answer"), ANSWER_WORDS);
    const std::optional<std::size_t> result = wordIndex(lines.next("result"), RESULT_WORDS);
    if (!clock || !answer || !result || !lines.atEnd()) return std::nullopt;
    game.clockSeconds = *clock;
    game.answerShown = *answer == 1;
    game.result = static_cast<LevelResult>(*result);

    const bool complete = judgeWholeBoard(board);
    if (game.result != LevelResult::None && !complete) return std::nullopt;
    if (game.result == LevelResult::NewRecord && game.answerShown) return std::nullopt;
    return game;
}

}  // namespace records
