// The saved game: its text read back as written with the lights play gave, damaged files refused,
// sessions ended at any moment without a clean quit and started again on the same folder, files that
// cannot be written, and the screen kept awake only on the play screen.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "game/controls.h"
#include "game/game_state.h"
#include "game/level_clock.h"
#include "platform/headless/headless.h"
#include "puzzle/board_lines.h"
#include "puzzle/board_rules.h"
#include "puzzle/level_table.h"
#include "puzzle/puzzle_generator.h"
#include "records/records_storage.h"
#include "records/saved_game_format.h"
#include "sim/simulator.h"
#include "support/answer_taps.h"
#include "support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

// Level 7: two columns, three rows, three kinds, at screen cell (4, 3); a tower of kind 1 and one of
// kind 2 placed, kind 2 chosen, 75 seconds on the clock.
const std::string LEVEL_SEVEN =
    "spirehold-saved-game 1\nlevel 7\nsize 2 3\nplace 4 3\nkinds 3\nhidden 12 31 23\nclues 2 2 1 2 1 2 1 2 1 2\n"
    "towers 1. .. 2.\nchosen 2\nclock 75\nanswer hidden\nresult none\n";
std::string with(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    return at == std::string::npos ? "(" + from + " not found)" : text.replace(at, from.size(), to);
}

// The same board filled with its answer: every viewpoint lit.
std::string levelSevenSolved(const std::string& answer, const std::string& result) {
    return with(with(with(LEVEL_SEVEN, "towers 1. .. 2.", "towers 12 31 23"), "answer hidden", "answer " + answer),
                "result none", "result " + result);
}

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::optional<records::SavedGame> parse(const std::string& text, std::int32_t furthestLevel = LEVEL_COUNT) {
    return records::parseSavedGame(bytesOf(text), furthestLevel);
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Every level's puzzle, half played by random placements judged as each stylus lift judges them: the
// text reads back as it was written, with the very lights that play left. (A board filled by SOLVE is
// the sessions' and the example's.)
TEST(SavedGameFormat, EveryLevelReadsBackAsWrittenWithTheLightsPlayGave) {
    std::mt19937 random(7);
    const auto below = [&random](int bound) { return static_cast<int>(random() % static_cast<unsigned>(bound)); };
    for (int level = 1; level <= LEVEL_COUNT; ++level) {
        records::SavedGame game;
        game.level = level;
        game.clockSeconds = below(records::SAVED_CLOCK_LIMIT);
        Board& board = game.board;
        setupLevel(board, static_cast<std::uint32_t>(level));
        generatePuzzle(board, board.columnCount, board.rowCount);
        for (int move = 0; move < 3 * board.columnCount * board.rowCount; ++move) {
            const int column = below(board.columnCount), row = below(board.rowCount);
            board.playerGrid[cellIndex(column, row)] = below(board.towerKindCount + 1);
            evaluateMove(board, column, row);
        }
        board.selectedTower = below(board.towerKindCount + 1) == 0 ? NO_TOWER : below(board.towerKindCount);
        const std::string text = records::formatSavedGame(game);
        const std::optional<records::SavedGame> read = parse(text, level);
        ASSERT_TRUE(read.has_value()) << text;
        EXPECT_EQ(records::formatSavedGame(*read), text);
        EXPECT_EQ(read->board.viewpointLit, board.viewpointLit) << text;
    }
}

// Saved games that play can leave, and ones it cannot, whatever else they hold.
struct SavedGameCase {
    const char* what;
    std::string text;
    bool read;
    std::int32_t furthestLevel = LEVEL_COUNT;
};

std::vector<SavedGameCase> savedGameCases() {
    return {
        {"the example", LEVEL_SEVEN, true},
        {"at the furthest level", LEVEL_SEVEN, true, 7},
        {"no tower chosen", with(LEVEL_SEVEN, "chosen 2", "chosen 0"), true},
        {"the longest clock", with(LEVEL_SEVEN, "clock 75", "clock 99999999"), true},
        {"the name dialog over a board filled by hand", levelSevenSolved("hidden", "record"), true},
        {"the level's end after SOLVE", levelSevenSolved("shown", "complete"), true},
        {"binary", std::string("\0\xff\x01\n", 4), false},
        {"another version", with(LEVEL_SEVEN, "game 1", "game 2"), false},
        {"no header", with(LEVEL_SEVEN, "spirehold-saved-game 1\n", ""), false},
        {"a level beyond the furthest reached", LEVEL_SEVEN, false, 6},
        {"level 0", with(LEVEL_SEVEN, "level 7", "level 0"), false},
        {"a level off the table", with(LEVEL_SEVEN, "level 7", "level 57"), false},
        {"another level's size", with(LEVEL_SEVEN, "level 7", "level 8"), false},
        {"a size other than the level's", with(LEVEL_SEVEN, "size 2 3", "size 3 2"), false},
        {"a place other than the level's", with(LEVEL_SEVEN, "place 4 3", "place 4 4"), false},
        {"a kind count other than the level's", with(LEVEL_SEVEN, "kinds 3", "kinds 4"), false},
        {"a hidden kind beyond the level's kinds", with(LEVEL_SEVEN, "hidden 12 31 23", "hidden 12 31 24"), false},
        {"a hidden cell empty", with(LEVEL_SEVEN, "hidden 12 31 23", "hidden 12 31 2."), false},
        {"a hidden row short", with(LEVEL_SEVEN, "hidden 12 31 23", "hidden 12 31 2"), false},
        {"a hidden row missing", with(LEVEL_SEVEN, "hidden 12 31 23", "hidden 12 31"), false},
        {"clues not its own visible counts", with(LEVEL_SEVEN, "clues 2 2 1", "clues 2 1 1"), false},
        {"a clue missing", with(LEVEL_SEVEN, " 2 1 2\ntowers", " 2 1\ntowers"), false},
        {"a tower kind beyond the level's kinds", with(LEVEL_SEVEN, "towers 1.", "towers 4."), false},
        {"a tower row too wide", with(LEVEL_SEVEN, "towers 1.", "towers 1.."), false},
        {"a chosen tower beyond the kinds", with(LEVEL_SEVEN, "chosen 2", "chosen 4"), false},
        {"a clock below 0", with(LEVEL_SEVEN, "clock 75", "clock -1"), false},
        {"a clock of a fraction", with(LEVEL_SEVEN, "clock 75", "clock 7.5"), false},
        {"a clock that is no number", with(LEVEL_SEVEN, "clock 75", "clock nan"), false},
        {"a clock too long", with(LEVEL_SEVEN, "clock 75", "clock 100000000"), false},
        {"an unknown answer word", with(LEVEL_SEVEN, "answer hidden", "answer maybe"), false},
        {"an unknown result", with(LEVEL_SEVEN, "result none", "result won"), false},
        {"the level's end over an unsolved board", with(LEVEL_SEVEN, "result none", "result complete"), false},
        {"the name dialog over an unsolved board", with(LEVEL_SEVEN, "result none", "result record"), false},
        {"the name dialog after SOLVE", levelSevenSolved("shown", "record"), false},
        {"lines out of order", with(LEVEL_SEVEN, "size 2 3\nplace 4 3", "place 4 3\nsize 2 3"), false},
        {"two spaces", with(LEVEL_SEVEN, "size 2 3", "size 2  3"), false},
        {"a trailing space", with(LEVEL_SEVEN, "clock 75", "clock 75 "), false},
        {"carriage returns", with(LEVEL_SEVEN, "\nlevel", "\r\nlevel"), false},
        {"a line after the last", LEVEL_SEVEN + "result none\n", false},
        {"longer than any saved game", LEVEL_SEVEN + std::string(records::SAVED_GAME_SIZE_LIMIT, '\n'), false},
    };
}

// What no play can leave is refused; what play can leave is read.
TEST(SavedGameFormat, OnlyAGameThePlayerCouldHaveLeftIsRead) {
    for (const SavedGameCase& c : savedGameCases()) {
        EXPECT_EQ(parse(c.text, c.furthestLevel).has_value(), c.read) << c.what << ":\n" << c.text;
    }
    for (std::size_t length = 0; length < LEVEL_SEVEN.size(); ++length) {
        EXPECT_FALSE(parse(LEVEL_SEVEN.substr(0, length)).has_value()) << "cut short at " << length;
    }
    const records::SavedGame example = *parse(LEVEL_SEVEN);
    const Board& board = example.board;
    EXPECT_EQ(std::vector({example.level, board.selectedTower, example.clockSeconds, board.playerGrid[cellIndex(0, 0)],
                           board.playerGrid[cellIndex(0, 2)], board.solutionGrid[cellIndex(0, 1)]}),
              std::vector({7, 1, 75, 1, 2, 3}));
}

// A save replaces the whole file, creating it where it is missing, through a link to the file it names,
// and leaves no temporary file, also when it fails.
TEST(SavedGameStorage, ASaveReplacesTheWholeFileOrNothing) {
    const ScratchFolder scratch;
    const fs::path folder = scratch.path();
    const std::string file = (folder / "game.sav").string(), target = (folder / "kept.sav").string();
    const auto save = [&file](const std::string& text) { return records::replaceFileWith(file, bytesOf(text), ::write); };
    EXPECT_TRUE(save("a longer first text"));
    EXPECT_TRUE(save("second"));
    EXPECT_EQ(readText(file), "second");
    const auto failing = [](int, const void*, std::size_t) -> ssize_t { return errno = ENOSPC, -1; };
    EXPECT_FALSE(records::replaceFileWith(file, bytesOf("third"), failing));
    EXPECT_EQ(readText(file), "second");
    fs::remove(file);
    writeText(target, "old");
    fs::create_symlink("kept.sav", file);
    EXPECT_TRUE(save("through the link"));
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(readText(target), "through the link");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
}

// ---- Sessions -------------------------------------------------------------------------------------

constexpr std::uint32_t FIRST_SEED = 1, SECOND_SEED = 2;  // a fresh puzzle after a restart would differ
constexpr int LONG_ENOUGH_FOR_TICKS_MS = 3500;

std::string recordsText(int maxLevel) {
    std::string text = (maxLevel < 10 ? "11 " : "11") + std::to_string(maxLevel);
    for (int level = 1; level <= LEVEL_COUNT; ++level) text += "--------       0";
    return text;
}

// What a resumed game must give back: the level and the board (cells, clues, chosen tower, answer flag and
// the result screen, as the saved text puts them, without the clock), the lights and the clock.
struct GameLeft {
    std::string board;
    Viewpoints lights{};
    double clock = 0.0;
};

GameLeft gameNow() {
    records::SavedGame game;
    game.level = gameState.level;
    game.board = gameState.board;
    game.answerShown = gameState.solutionShown != 0;
    return {records::formatSavedGame(game), gameState.board.viewpointLit, gameState.levelSeconds};
}

class Sessions : public ::testing::Test {
protected:
    void SetUp() override { writeText(folder / "game.dat", recordsText(1)); }

    void start(std::uint32_t seed) {
        simulator.reset();
        simulator = std::make_unique<sim::Simulator>(sim::SimulatorOptions{.dir = folder.string(), .seed = seed});
        send("wait 100");
    }
    // Nothing of the game runs at the end: no quit, no close, as when the process is killed.
    void endWithoutQuitting() { simulator.reset(); }

    std::string send(const std::string& line) { return simulator->handle(line); }
    void tap(const HitRect& rect) { tapCentre(tapper, rect); }
    void wait(int ms) { send("wait " + std::to_string(ms)); }
    void halfPlay() {
        tap(menuRects[MENU_PLAY]);
        wait(LONG_ENOUGH_FOR_TICKS_MS);
        placeTower(tapper, 0, 0, gameState.board.solutionGrid[cellIndex(0, 0)] == 1 ? 2 : 1);
        tap(towerButtonRects[1]);
        wait(LONG_ENOUGH_FOR_TICKS_MS);
    }

    const ScratchFolder scratch;
    const fs::path folder = scratch.path();
    std::unique_ptr<sim::Simulator> simulator;
    const Tap tapper = [this](int x, int y) { send("tap " + std::to_string(x) + " " + std::to_string(y)); };
};

struct Moment {
    const char* what;
    std::function<void()> play;  // leaves the game as it is to be found again
    std::uint32_t screenAtStart;
};

TEST_F(Sessions, AGameEndedAtAnyMomentIsFoundAgainAsItWasLeft) {
    const std::vector<Moment> moments{
        {"after placements", [this] { halfPlay(); }, SCREEN_HOME},
        {"after SOLVE", [this] { halfPlay(); tap(panelRects[PANEL_SOLVE]); wait(LONG_ENOUGH_FOR_TICKS_MS); },
         SCREEN_HOME},
        {"after HOME", [this] { halfPlay(); tap(panelRects[PANEL_HOME]); }, SCREEN_HOME},
        {"on the level's end", [this] { halfPlay(); tap(panelRects[PANEL_SOLVE]); placeTheAnswer(tapper); },
         SCREEN_LEVEL_COMPLETE},
        {"on the level after one passed with SOLVE",
         [this] {
             halfPlay();
             tap(panelRects[PANEL_SOLVE]);
             placeTheAnswer(tapper);
             tap(okKey);  // any tap leaves the level's end
             wait(LONG_ENOUGH_FOR_TICKS_MS);
             placeTower(tapper, 0, 0, 1);
         },
         SCREEN_HOME},
        {"after a completed level",
         [this] {
             halfPlay();
             placeTheAnswer(tapper);
             tap(okKey);
             wait(LONG_ENOUGH_FOR_TICKS_MS);
             placeTower(tapper, 0, 0, 1);
         },
         SCREEN_HOME},
    };
    for (const Moment& moment : moments) {
        SCOPED_TRACE(moment.what);
        fs::remove(folder / "game.sav");
        writeText(folder / "game.dat", recordsText(1));
        start(FIRST_SEED);
        moment.play();
        const GameLeft left = gameNow();
        const std::string records = readText(folder / "game.dat");
        endWithoutQuitting();

        start(SECOND_SEED);
        EXPECT_EQ(gameState.screen, moment.screenAtStart);
        if (moment.screenAtStart == SCREEN_HOME) tap(menuRects[MENU_PLAY]);
        const GameLeft found = gameNow();
        EXPECT_EQ(found.board, left.board);
        EXPECT_EQ(found.lights, left.lights);
        EXPECT_NEAR(found.clock, left.clock - 0.5, 0.5);  // at most the second under way is lost
        EXPECT_EQ(readText(folder / "game.dat"), records);
        endWithoutQuitting();
    }
}

// The name dialog is open again at the next start, over the darkened board with the music paused, and
// its OK stores the time then, and not before.
TEST_F(Sessions, ABestTimeWaitingForItsNameIsKept) {
    start(FIRST_SEED);
    halfPlay();
    placeTheAnswer(tapper);
    ASSERT_EQ(gameState.screen, SCREEN_NEW_RECORD);
    const double time = gameState.levelSeconds;
    endWithoutQuitting();
    EXPECT_EQ(readText(folder / "game.dat"), recordsText(1));
    const std::string dialogLeft = readText(folder / "game.sav");

    start(SECOND_SEED);
    EXPECT_EQ(gameState.screen, SCREEN_NEW_RECORD);
    EXPECT_NE(send("state").find(R"("paused":true)"), std::string::npos);
    EXPECT_EQ(gameState.levelSeconds, time);
    tap(nameKeyRect(1));
    tap(okKey);
    char stored[RECORD_TEXT_SIZE];
    std::snprintf(stored, sizeof stored, "%8i", static_cast<int>(time));
    EXPECT_STREQ(gameState.recordTimes[1].data(), stored);
    EXPECT_EQ(readText(folder / "game.dat").substr(0, 4 + 16), "11 2       A" + std::string(stored));
    EXPECT_EQ(gameState.level, 2);
    EXPECT_EQ(gameState.screen, SCREEN_PLAY);
    endWithoutQuitting();

    // Ended between the records' save and the saved game's: the time the records now hold is no new
    // record, so the level's end shows instead.
    writeText(folder / "game.sav", dialogLeft);
    start(SECOND_SEED);
    EXPECT_EQ(gameState.screen, SCREEN_LEVEL_COMPLETE);
}

// The tutorial's demonstration is never kept: what waits is the level left before it, also after the
// tutorial's own clock ran.
TEST_F(Sessions, TheTutorialLeavesTheGameWaitingBehindItAlone) {
    start(FIRST_SEED);
    halfPlay();
    tap(panelRects[PANEL_HOME]);
    const GameLeft left = gameNow();
    tap(menuRects[MENU_HELP]);
    tap(tutorialLinkRects[LINK_PAGE_2]);  // the page that plays on its demonstration board
    ASSERT_EQ(gameState.screen, SCREEN_TUTORIAL_PLAYING);
    wait(LONG_ENOUGH_FOR_TICKS_MS);
    endWithoutQuitting();

    start(SECOND_SEED);
    tap(menuRects[MENU_PLAY]);
    EXPECT_EQ(gameNow().board, left.board);
    EXPECT_EQ(gameState.levelSeconds, left.clock);
}

// A saved game no play can leave is as none: the start is the one without it, state for state, the
// records file is not touched and nothing is said; the file stays until a change is written over it.
TEST_F(Sessions, ARefusedSavedGameStartsAsIfThereWereNone) {
    for (const SavedGameCase& c : savedGameCases()) {
        if (c.read) continue;
        writeText(folder / "game.dat", recordsText(c.furthestLevel));
        fs::remove(folder / "game.sav");
        start(FIRST_SEED);
        const std::string fresh = send("state");
        endWithoutQuitting();
        const std::string records = readText(folder / "game.dat");
        writeText(folder / "game.sav", c.text);
        start(FIRST_SEED);
        EXPECT_EQ(send("state"), fresh) << c.what;
        endWithoutQuitting();
        EXPECT_EQ(readText(folder / "game.dat"), records) << c.what;
        EXPECT_EQ(readText(folder / "game.sav"), c.text) << c.what;
    }
}

// The device is asked to keep the screen awake on the play screen only, and to keep its files once
// there is a game to keep.
TEST_F(Sessions, TheScreenStaysAwakeOnlyWhileALevelIsPlayed) {
    start(FIRST_SEED);
    EXPECT_FALSE(headless::screenKeptAwake());
    EXPECT_FALSE(headless::keepingFilesAsked());
    const std::vector<std::pair<std::function<void()>, bool>> steps{
        {[this] { tap(menuRects[MENU_PLAY]); }, true},
        {[this] { tap(panelRects[PANEL_HOME]); }, false},
        {[this] { tap(menuRects[MENU_PLAY]); }, true},
        {[this] { send("key 27"); wait(50); }, false},  // any key goes home from the board
        {[this] { tap(menuRects[MENU_PLAY]); placeTheAnswer(tapper); }, false},  // the name dialog
        {[this] { tap(okKey); }, true},
        {[this] { tap(panelRects[PANEL_HOME]); tap(menuRects[MENU_HELP]); }, false},
    };
    for (std::size_t step = 0; step < steps.size(); ++step) {
        steps[step].first();
        EXPECT_EQ(headless::screenKeptAwake(), steps[step].second)
            << "step " << step << " on screen " << gameState.screen;
    }
    EXPECT_TRUE(headless::keepingFilesAsked());
}

}  // namespace
