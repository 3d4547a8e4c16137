// The monkey soak: random play through the simulator's protocol across every screen and level, biased
// toward the controls of the screen in front of it, with drags, hardware keys, focus changes and waits
// short and long, restarting the program in the same folder whenever it ends. After every step it checks
// what must always hold of the game state and the records file. The normal suite plays six minutes;
// SPIREHOLD_SOAK_HOURS=24 (and SPIREHOLD_SOAK_SEED) run the long one, which puts the device aside for up
// to half an hour at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <deque>
#include <memory>
#include <random>
#include <string>

#include "game/controls.h"
#include "game_invariants.h"
#include "platform/headless/headless.h"
#include "sim/simulator.h"
#include "support/scratch_folder.h"

namespace {

constexpr HitRect WHOLE_SCREEN{0, 0, 239, 319};
constexpr std::array<HitRect, 4> TUTORIAL_LINKS{{{0, 301, 65, 320}, {193, 300, 207, 320}, {208, 300, 223, 320},
                                                 {224, 300, 240, 320}}};  // HOME>>> and 1*2*3
// Mostly the ordinary display; sometimes mirrored, upside down, turned either way, smaller or larger.
constexpr std::array<const char*, 8> DISPLAYS{"240,320,2,480,16",  "240,320,-2,480,16", "240,320,2,-480,16",
                                              "240,320,-640,2,16", "240,320,640,-2,16", "200,300,2,400,16",
                                              "480,640,2,960,16",  "240,320,2,512,16"};
constexpr std::size_t RECENT_LINES_KEPT = 40;

class GameMonkey {
public:
    GameMonkey(std::string folder, std::uint32_t seed, int backgroundWaitS)
        : folder_(std::move(folder)), random_(seed), backgroundWaitS_(backgroundWaitS) { start(); }

    // Plays until `virtualMs` of game time have passed; "" when every check held, else what failed and
    // the last commands, enough to replay the run.
    std::string play(std::uint64_t virtualMs) {
        for (std::uint64_t step = 1; virtualMs_ < virtualMs; ++step) {
            this->step();
            highestLevel = std::max(highestLevel, gameState.level);
            if (const std::string problem = gameInvariantBroken(folder_); !problem.empty()) {
                std::string text = problem + " after step " + std::to_string(step) + "; last commands:";
                for (const std::string& line : recent_) text += "\n  " + line;
                return text;
            }
        }
        return "";
    }

    int levelsSolved = 0, highestLevel = 0;

private:
    void start() {
        simulator_.reset();  // one game per process: the old one goes before the new one starts
        sim::SimulatorOptions options{.dir = folder_, .seed = static_cast<std::uint32_t>(random_())};
        std::string error;
        if (chance(0.3)) sim::parseDisplayOption(DISPLAYS[between(1, DISPLAYS.size() - 1)], options.display, error);
        simulator_ = std::make_unique<sim::Simulator>(options);
        focused_ = true;
    }
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(double probability) { return std::bernoulli_distribution(probability)(random_); }
    void send(const std::string& line) {
        recent_.push_back(line);
        if (recent_.size() > RECENT_LINES_KEPT) recent_.pop_front();
        const std::uint64_t before = headless::now();
        simulator_->handle(line);
        virtualMs_ += headless::now() - before;
    }
    std::string pointIn(const HitRect& rect) {
        return std::to_string(between(rect.left, std::min(rect.right, WHOLE_SCREEN.right))) + " " +
               std::to_string(between(rect.top, std::min(rect.bottom, WHOLE_SCREEN.bottom)));
    }
    void tapIn(const HitRect& rect) { send("tap " + pointIn(rect)); }
    void wait(int mostMs) { send("wait " + std::to_string(between(0, mostMs))); }
    void toggleFocus() { send((focused_ = !focused_) ? "focus 1" : "focus 0"); }
    void pressKey() {
        const std::string code = std::to_string(between(0, 0xFFFF));
        send("key " + code);
        if (chance(0.8)) send("keyup " + code);
    }

    // The rolls are chances per thousand. In the background the device mostly sits, sometimes poked.
    void step() {
        if (headless::quitPosted()) return start();
        const int roll = between(0, 999);
        if (!focused_) {
            if (roll < 600) send("wait " + std::to_string(between(1, backgroundWaitS_) * 1000));
            else if (roll < 900) toggleFocus();
            else if (roll < 960) tapIn(WHOLE_SCREEN);
            else pressKey();
        } else if (roll < 650) tapControl();
        else if (roll < 720) tapIn(WHOLE_SCREEN);
        else if (roll < 770) {  // a stylus that slipped
            send("down " + pointIn(WHOLE_SCREEN));
            for (int move = between(0, 6); move > 0; --move) send("move " + pointIn(WHOLE_SCREEN)), wait(40);
            send("up " + pointIn(WHOLE_SCREEN));
        } else if (roll < 790) pressKey();
        else if (roll < 950) wait(3000);
        else if (roll < 980) wait(20000);
        else if (roll < 998) toggleFocus();
        else send("close");
    }

    void tapControl() {
        const int roll = between(0, 99);
        switch (gameState.screen) {
            case SCREEN_HOME: return tapIn(menuRects[roll < 75 ? MENU_PLAY : roll < 95 ? MENU_HELP : MENU_QUIT]);
            case SCREEN_NEW_RECORD: return tapIn(roll < 30 ? okKey : nameKeyRect(between(FIRST_LETTER_KEY, DELETE_KEY)));
            case SCREEN_TUTORIAL_INTRO: case SCREEN_TUTORIAL_CONTROLS: case SCREEN_TUTORIAL_PLAYING:
            case SCREEN_TUTORIAL_STRATEGY: return tapIn(roll < 60 ? WHOLE_SCREEN : TUTORIAL_LINKS[roll < 72 ? 0 : between(1, 3)]);
            case SCREEN_PLAY: break;
            default: return tapIn(WHOLE_SCREEN);  // credits and the end screens take any tap
        }
        if (roll < 30) return solveLevel();
        if (roll < 50) return tapIn(towerButtonRects[between(0, TOWER_BUTTON_COUNT - 1)]);
        if (roll < 80) return tapIn({gameState.board.boardLeft + 1, gameState.board.boardTop + 1, gameState.board.boardRight - 1, gameState.board.boardBottom - 1});
        // HOME is rare: leaving the board every few taps would keep the game from getting anywhere.
        tapIn(panelRects[between(0, 9) == 0 ? PANEL_HOME : between(PANEL_PREV, PANEL_NEXT)]);
    }

    // SOLVE, then the solution's own kind placed in one cell: the level ends through a real placement.
    void solveLevel() {
        tapIn(panelRects[PANEL_SOLVE]);
        if (gameState.screen != SCREEN_PLAY || gameState.board.columnCount <= 0 || gameState.board.rowCount <= 0) return;
        const int column = between(0, gameState.board.columnCount - 1), row = between(0, gameState.board.rowCount - 1);
        const int kind = gameState.board.solutionGrid[cellIndex(column, row)];
        if (kind >= 1 && kind <= TOWER_BUTTON_COUNT) tapIn(towerButtonRects[kind - 1]);
        const int x = gameState.board.boardLeft + (gameState.board.boardRight - gameState.board.boardLeft) * (2 * column + 1) / (2 * gameState.board.columnCount);
        const int y = gameState.board.boardTop + (gameState.board.boardBottom - gameState.board.boardTop) * (2 * row + 1) / (2 * gameState.board.rowCount);
        tapIn({x, y, x, y});
        if (gameState.screen != SCREEN_PLAY) ++levelsSolved;
    }

    std::string folder_;
    std::mt19937 random_;
    int backgroundWaitS_;
    std::unique_ptr<sim::Simulator> simulator_;
    bool focused_ = true;
    std::uint64_t virtualMs_ = 0;
    std::deque<std::string> recent_;
};

}  // namespace

TEST(MonkeySoak, HoursOfRandomPlayKeepTheGameAndItsRecordsSound) {
    const char* hoursText = std::getenv("SPIREHOLD_SOAK_HOURS");
    const char* seedText = std::getenv("SPIREHOLD_SOAK_SEED");
    const double hours = hoursText != nullptr ? std::atof(hoursText) : 0.1;
    const std::uint32_t seed = seedText != nullptr ? std::strtoul(seedText, nullptr, 10) : 20261206;
    const ScratchFolder folder;
    GameMonkey monkey(folder.path(), seed, hoursText != nullptr ? 30 * 60 : 60);
    EXPECT_EQ(monkey.play(static_cast<std::uint64_t>(hours * 3600 * 1000)), "") << "monkey seed " << seed;
    std::printf("soak: %.2f virtual hours, %d levels solved, highest level %d\n", hours, monkey.levelsSolved, monkey.highestLevel);
    EXPECT_GT(monkey.levelsSolved, 0);  // the run must have gone where the game goes, or it proves little
    EXPECT_GT(monkey.highestLevel, 1);
}
