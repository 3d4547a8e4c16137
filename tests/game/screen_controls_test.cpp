// The controls each screen tells the device, played as the browser's control layer plays them: a tap at
// the centre of each must do what the control is called, on the whole program in the simulator. And
// what the device is told in words as the player acts: the news of a placement or of a typed letter,
// told once.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "game/game_state.h"
#include "game/level_commands.h"
#include "platform/headless/headless.h"
#include "puzzle/board_rules.h"
#include "sim/simulator.h"

namespace {

using headless::ShownControl;
using platform::ControlKind;

constexpr int FRAME_MS = 16;

// The whole program on the headless device, its first frame drawn.
class Controls : public ::testing::Test {
public:
    void SetUp() override { start(); }

    void start() {
        game.reset();
        game = std::make_unique<sim::Simulator>(sim::SimulatorOptions{});
        frame();
    }
    void send(const std::string& line) {
        const std::string answer = game->handle(line);
        ASSERT_EQ(answer.rfind("{\"ok\":true", 0), 0u) << line << " -> " << answer;
    }
    void frame() { send("wait " + std::to_string(FRAME_MS)); }

    // A level in play, as PLAY leaves it after the tutorial has been seen, drawn.
    void playing(std::int32_t level, std::int32_t maxLevel) {
        gameState.tutorialSeen = 1;
        gameState.level = level;
        gameState.maxLevel = maxLevel;
        startLevel();
        gameState.screen = SCREEN_PLAY;
        frame();
    }

    static const ShownControl* find(const std::string& name) {
        static std::vector<ShownControl> shown;
        shown = headless::lastControls();
        const auto found = std::find_if(shown.begin(), shown.end(), [&](const auto& c) { return c.name == name; });
        return found == shown.end() ? nullptr : &*found;
    }
    // Taps the control's centre, as the browser's layer does, and lets a frame pass.
    void use(const ShownControl& control) {
        send("tap " + std::to_string((control.left + control.right) / 2) + " " +
             std::to_string((control.top + control.bottom) / 2));
    }
    void use(const std::string& name) {
        const ShownControl* control = find(name);
        ASSERT_NE(control, nullptr) << name << " is not offered";
        use(*control);
    }

private:
    std::unique_ptr<sim::Simulator> game;
};

// A control tapped on a fresh screen, after `first` (another control, or none), and what the tap must
// have done.
struct Use {
    std::string name;
    std::function<bool()> done;
    std::string first = "";
};
struct Screen {
    const char* what;
    std::function<void(Controls&)> reach;
    // The screen's buttons, keys, links and switches in reading order, and the use of some of them.
    std::vector<std::string> offered;
    std::vector<Use> uses;
};

bool on(std::uint32_t screen) { return gameState.screen == screen; }

std::vector<std::string> recordKeys() {
    std::vector<std::string> keys;
    for (char letter = 'A'; letter <= 'Z'; ++letter) keys.emplace_back(1, letter);
    keys.insert(keys.end(), {"Delete", "OK"});
    return keys;
}

bool inGrid(ControlKind kind) {
    return kind == ControlKind::GridCell || kind == ControlKind::ColumnHeader || kind == ControlKind::RowHeader;
}

// Level 7 is a 2 x 3 board of three kinds, between levels 1 and 9, so PREV and NEXT both act.
const std::vector<Screen>& screens() {
    static const std::vector<Screen> table{
        {"the home menu before the tutorial", [](Controls&) {}, {"Play", "Help", "Quit"}, {}},
        {"a level in play", [](Controls& c) { c.playing(7, 9); },
         {"Tower 1", "Tower 2", "Tower 3", "No tower", "Home", "Previous level", "Solve", "Reset", "Sound", "Next level"},
         {{"Solve", [] { return gameState.solutionShown == 1; }}}},
        {"the first level, the furthest reached", [](Controls& c) { c.playing(1, 1); },
         {"Tower 1", "Tower 2", "No tower", "Home", "Solve", "Reset", "Sound"}, {}},
        {"the record dialog", [](Controls& c) { c.playing(7, 9); gameState.screen = SCREEN_NEW_RECORD; c.frame(); },
         recordKeys(),
         {{"Z", [] { return std::string(gameState.nameEntry.data()) == "Z"; }}, {"OK", [] { return gameState.level == 8 && on(SCREEN_PLAY); }}}},
        {"the tutorial's playing page", [](Controls& c) { c.use("Help"); c.use("Page 2, Playing the game"); },
         {"Continue", "Home", "Page 1, Game controls", "Page 2, Playing the game", "Page 3, Basic strategy"},
         // The page reveals its second step at tick 160: only taps bring it on within a few frames.
         {{"Continue", [] { return on(SCREEN_TUTORIAL_PLAYING) && gameState.tutorialStep[1] == 1; }, "Continue"}}},
        {"a level complete", [](Controls& c) { c.playing(7, 9); gameState.screen = SCREEN_LEVEL_COMPLETE; c.frame(); },
         {"Continue"}, {{"Continue", [] { return gameState.level == 8 && on(SCREEN_PLAY); }}}},
        {"the credits", [](Controls& c) { c.use("Quit"); }, {"Continue"},
         {{"Continue", [] { return headless::quitPosted(); }}}},
    };
    return table;
}


// Every screen's buttons, keys, links and switches in reading order, and a tap at the centre of a control
// doing what it is called, each on a fresh game: the rectangles are the stylus commands' own, so one use
// of each kind of screen stands for its table (the menu's and the footer's are tapped to reach a screen).
TEST_F(Controls, EachControlsCentreTapsWhatItIsCalled) {
    for (const Screen& screen : screens()) {
        start();
        screen.reach(*this);
        std::vector<std::string> offered;
        for (const ShownControl& control : headless::lastControls())
            if (!inGrid(control.kind) && control.kind != ControlKind::Grid && control.kind != ControlKind::Field)
                offered.push_back(control.name);
        EXPECT_EQ(offered, screen.offered) << screen.what;
        for (const Use& use : screen.uses) {
            start();
            screen.reach(*this);
            gameState.levelSeconds = 30;
            if (!use.first.empty()) this->use(use.first);
            this->use(use.name);
            EXPECT_TRUE(use.done()) << screen.what << ": " << use.name;
        }
    }
}

const ShownControl* gridPart(const std::vector<ShownControl>& shown, int row, int column) {
    for (const ShownControl& control : shown)
        if (inGrid(control.kind) && control.row == row && control.column == column) return &control;
    return nullptr;
}

// On every level the board is a grid, first in reading order, of its cells between its viewpoints, the
// headers round it off the board, and a cell's centre places the chosen tower on that very cell.
TEST_F(Controls, EveryBoardIsAGridWhoseCellsTakeTheirOwnTaps) {
    for (int level = 1; level <= LEVEL_COUNT; ++level) {
        start();
        playing(level, LEVEL_COUNT);
        use("Tower 1");
        const Board& board = gameState.board;
        const std::vector<ShownControl> shown = headless::lastControls();
        ASSERT_EQ(shown.front().kind, ControlKind::Grid) << level;
        EXPECT_EQ(shown.front().name, "Board") << level;
        const ShownControl& grid = shown.front();
        int cells = 0, headers = 0;
        for (const ShownControl& control : shown) {
            const int x = (control.left + control.right) / 2, y = (control.top + control.bottom) / 2;
            if (inGrid(control.kind)) {
                EXPECT_TRUE(grid.left <= control.left && control.right <= grid.right && grid.top <= control.top &&
                            control.bottom <= grid.bottom) << level << ": " << control.name << " lies outside the grid";
            }
            if (control.kind == ControlKind::ColumnHeader || control.kind == ControlKind::RowHeader) {
                ++headers;
                const bool columnHeader = control.kind == ControlKind::ColumnHeader;
                EXPECT_EQ(columnHeader, control.row == 0 || control.row == board.rowCount + 1) << level;
                EXPECT_EQ(columnHeader, control.column >= 1 && control.column <= board.columnCount) << level;
                EXPECT_FALSE(insideBoard(board, x, y)) << level << " " << control.name;
                EXPECT_TRUE(control.left <= control.right && control.top <= control.bottom) << level << " " << control.name;
            }
            if (control.kind != ControlKind::GridCell) continue;
            ++cells;
            EXPECT_TRUE(insideBoard(board, control.left, control.top) && insideBoard(board, control.right, control.bottom))
                << "level " << level << ": " << control.name << " reaches past the board";
            send("down " + std::to_string(x) + " " + std::to_string(y));
            send("up " + std::to_string(x) + " " + std::to_string(y));
            EXPECT_EQ(board.playerGrid[static_cast<std::size_t>(cellIndex(control.column - 1, control.row - 1))], 1)
                << "level " << level << ": " << control.name;
            EXPECT_EQ(std::count(board.playerGrid.begin(), board.playerGrid.end(), 1), cells) << level << " " << control.name;
        }
        EXPECT_EQ(cells, board.columnCount * board.rowCount) << level;
        EXPECT_EQ(headers, 2 * (board.columnCount + board.rowCount)) << level;
        const ShownControl* noTower = find("No tower");
        ASSERT_NE(noTower, nullptr);
        EXPECT_FALSE(insideBoard(board, (noTower->left + noTower->right) / 2, (noTower->top + noTower->bottom) / 2));
    }
}

// Level 1, one column of two cells: the grid's names and states, and the news of each placement, told
// once however long the screen then stays as it is.
TEST_F(Controls, ThePlayerHearsWhatEachPlacementChanged) {
    playing(1, 1);
    const Viewpoints& clues = gameState.board.viewpointClues;
    for (const auto& [row, column, name] : {std::tuple{0, 1, "top " + std::to_string(clues[1])}, {1, 2, std::string("right 1")},
                                            {3, 1, "bottom " + std::to_string(clues[4])}, {2, 0, std::string("left 1")},
                                            {2, 1, std::string("Row 2, column 1, empty")}})
        EXPECT_EQ(gridPart(headless::lastControls(), row, column)->name, name);
    EXPECT_TRUE(find("No tower")->on);
    EXPECT_TRUE(find("Sound")->on);
    use("Tower 2");
    EXPECT_TRUE(find("Tower 2")->on);
    EXPECT_FALSE(find("No tower")->on);
    EXPECT_EQ(headless::lastAnnouncement().news, "");
    use(*gridPart(headless::lastControls(), 2, 1));
    EXPECT_EQ(headless::lastAnnouncement().news, "Row 2, column 1, tower 2; right 1, lit; left 1, lit");
    EXPECT_EQ(gridPart(headless::lastControls(), 2, 2)->name, "right 1, lit");
    send("wait 5000");  // the clock and the best time's holder change; nothing told changes
    EXPECT_EQ(headless::lastAnnouncement().news, "Row 2, column 1, tower 2; right 1, lit; left 1, lit");
    use("No tower");
    use(*gridPart(headless::lastControls(), 2, 1));
    EXPECT_EQ(headless::lastAnnouncement().news, "Row 2, column 1, empty; right 1, went out; left 1, went out");
    use("Sound");
    EXPECT_FALSE(find("Sound")->on);
}

// The record dialog's field shows the name as it is typed, and each key says it.
TEST_F(Controls, TheNameFieldAndTheNewsFollowTheTyping) {
    playing(7, 9);
    gameState.screen = SCREEN_NEW_RECORD;
    frame();
    const ShownControl* field = find("Your name");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->kind, ControlKind::Field);
    EXPECT_EQ(field->value, "");
    for (const auto& [key, name, news] : {std::tuple{"B", "B", "Your name: B"}, {"O", "BO", "Your name: BO"},
                                          {"Delete", "B", "Your name: B"}, {"Delete", "", "Your name: empty"}}) {
        use(key);
        EXPECT_EQ(find("Your name")->value, name) << key;
        EXPECT_EQ(headless::lastAnnouncement().news, news) << key;
    }
    for (const auto& [name, keys] : {std::pair{"OK", "Enter"}, {"Delete", "Backspace"}, {"Q", "Q"}})
        EXPECT_EQ(find(name)->keys, keys) << name;
}

}  // namespace
