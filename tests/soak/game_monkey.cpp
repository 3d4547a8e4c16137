// The monkey's moves and the checks it runs after each of them.
#include "soak/game_monkey.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "game/controls.h"
#include "game/game_state.h"
#include "platform/headless/headless.h"
#include "records/records_layout.h"
#include "records/records_storage.h"

namespace soak {
namespace {

constexpr int LAST_X = 239;
constexpr int LAST_Y = 319;
constexpr std::size_t RECENT_LINES_KEPT = 40;
constexpr std::uint32_t LAST_KEY_CODE = 0xFFFF;
constexpr int DRAG_MOVES_MOST = 6;
constexpr int SHORT_WAIT_MOST_MS = 3000;
constexpr int THINKING_WAIT_MOST_MS = 20 * 1000;
constexpr std::uint64_t MS_PER_S = 1000;
constexpr int TUTORIAL_HOME_LINK = 0;

// Tutorial page links under "HOME>>>" and "1*2*3".
constexpr std::array<HitRect, 4> tutorialLinks{{
    {0, 301, 65, 320},
    {193, 300, 207, 320},
    {208, 300, 223, 320},
    {224, 300, 240, 320},
}};

// Displays the game may find: mostly the ordinary one, sometimes mirrored, upside down, rotated in
// memory either way, smaller or larger than the frame.
constexpr std::array<const char*, 7> otherDisplays{
    "240,320,-2,480,16", "240,320,2,-480,16", "240,320,-640,2,16", "240,320,640,-2,16",
    "200,300,2,400,16",  "480,640,2,960,16",  "240,320,2,512,16",
};
constexpr double OTHER_DISPLAY_CHANCE = 0.3;

constexpr std::array<std::uint32_t, 10> describedScreens{
    SCREEN_HOME,         SCREEN_CREDITS,        SCREEN_PLAY,
    SCREEN_NEW_RECORD,   SCREEN_LEVEL_COMPLETE, SCREEN_GAME_COMPLETE,
    SCREEN_TUTORIAL_INTRO, SCREEN_TUTORIAL_CONTROLS, SCREEN_TUTORIAL_PLAYING,
    SCREEN_TUTORIAL_STRATEGY,
};

bool isDescribedScreen(std::uint32_t screen) {
    for (std::uint32_t described : describedScreens)
        if (screen == described) return true;
    return false;
}

std::vector<std::uint8_t> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool textTerminated(const RecordText& text) { return text[RECORD_TEXT_SIZE - 1] == '\0'; }

}  // namespace

GameMonkey::GameMonkey(std::string folder, std::uint32_t seed, int longestBackgroundWaitS)
    : folder_(std::move(folder)), seed_(seed), longestBackgroundWaitS_(longestBackgroundWaitS), random_(seed) {
    start();
}

GameMonkey::~GameMonkey() = default;

void GameMonkey::start() {
    simulator_.reset();  // one game per process: the old one goes before the new one starts
    sim::SimulatorOptions options;
    options.dir = folder_;
    options.seed = static_cast<std::uint32_t>(random_());
    if (chance(OTHER_DISPLAY_CHANCE)) {
        // The texts are well formed; were one not, the ordinary display would simply stay.
        std::string error;
        const int choice = between(0, static_cast<int>(otherDisplays.size()) - 1);
        sim::parseDisplayOption(otherDisplays[static_cast<std::size_t>(choice)], options.display, error);
    }
    simulator_ = std::make_unique<sim::Simulator>(options);
    focused_ = true;
}

std::string GameMonkey::play(std::uint64_t virtualMs) {
    while (report_.virtualMs < virtualMs) {
        step();
        ++report_.steps;
        report_.screensSeen |= 1u << (gameState.screen % 32u);
        if (gameState.level > static_cast<std::int32_t>(report_.highestLevel))
            report_.highestLevel = static_cast<std::uint32_t>(gameState.level);
        const std::string problem = checkInvariants();
        if (!problem.empty()) return failure(problem);
    }
    return {};
}

std::string GameMonkey::send(const std::string& line) {
    recentLines_.push_back(line);
    if (recentLines_.size() > RECENT_LINES_KEPT) recentLines_.pop_front();
    const std::uint64_t before = headless::now();
    std::string answer = simulator_->handle(line);
    report_.virtualMs += headless::now() - before;
    return answer;
}

int GameMonkey::between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

bool GameMonkey::chance(double probability) { return std::bernoulli_distribution(probability)(random_); }

void GameMonkey::tap(int x, int y) { send("tap " + std::to_string(x) + " " + std::to_string(y)); }

void GameMonkey::tapInside(int left, int top, int right, int bottom) {
    tap(between(left, std::min(right, LAST_X)), between(top, std::min(bottom, LAST_Y)));
}

void GameMonkey::tapAnywhere() { tap(between(0, LAST_X), between(0, LAST_Y)); }

void GameMonkey::wait(std::uint64_t ms) { send("wait " + std::to_string(ms)); }

// Down, a few moves with time between them, up somewhere else: a stylus that slipped.
void GameMonkey::drag() {
    send("down " + std::to_string(between(0, LAST_X)) + " " + std::to_string(between(0, LAST_Y)));
    for (int move = between(0, DRAG_MOVES_MOST); move > 0; --move) {
        send("move " + std::to_string(between(0, LAST_X)) + " " + std::to_string(between(0, LAST_Y)));
        wait(static_cast<std::uint64_t>(between(0, 40)));
    }
    send("up " + std::to_string(between(0, LAST_X)) + " " + std::to_string(between(0, LAST_Y)));
}

void GameMonkey::pressKey() {
    const std::string code = std::to_string(between(0, static_cast<int>(LAST_KEY_CODE)));
    send("key " + code);
    if (chance(0.8)) send("keyup " + code);
}

void GameMonkey::toggleFocus() {
    focused_ = !focused_;
    send(focused_ ? "focus 1" : "focus 0");
}

void GameMonkey::step() {
    if (headless::quitPosted()) {
        ++report_.restarts;
        start();
        return;
    }
    // The rolls below are chances per thousand.
    const int roll = between(0, 999);
    if (!focused_) {
        // In the background the device mostly sits; sometimes the player still pokes at it.
        if (roll < 600) wait(static_cast<std::uint64_t>(between(1, longestBackgroundWaitS_)) * MS_PER_S);
        else if (roll < 900) toggleFocus();
        else if (roll < 960) tapAnywhere();
        else pressKey();
        return;
    }
    if (roll < 650) tapControlOfScreen();
    else if (roll < 720) tapAnywhere();
    else if (roll < 770) drag();
    else if (roll < 790) pressKey();
    else if (roll < 950) wait(static_cast<std::uint64_t>(between(0, SHORT_WAIT_MOST_MS)));
    else if (roll < 980) wait(static_cast<std::uint64_t>(between(0, THINKING_WAIT_MOST_MS)));
    else if (roll < 998) toggleFocus();
    else send("close");
}

void GameMonkey::tapControlOfScreen() {
    switch (gameState.screen) {
        case SCREEN_HOME: {
            // Mostly PLAY, so the levels get played; QUIT now and then ends the program.
            const int roll = between(0, 99);
            const HitRect& button = menuRects[roll < 75 ? MENU_PLAY : roll < 95 ? MENU_HELP : MENU_QUIT];
            tapInside(button.left, button.top, button.right, button.bottom);
            return;
        }
        case SCREEN_PLAY: tapPlayScreen(); return;
        case SCREEN_NEW_RECORD: tapRecordDialog(); return;
        case SCREEN_TUTORIAL_INTRO:
        case SCREEN_TUTORIAL_CONTROLS:
        case SCREEN_TUTORIAL_PLAYING:
        case SCREEN_TUTORIAL_STRATEGY: tapTutorial(); return;
        default: tapAnywhere(); return;  // credits and the end screens take any tap
    }
}

void GameMonkey::tapPlayScreen() {
    const int roll = between(0, 99);
    if (roll < 30) {
        solveLevel();
    } else if (roll < 50) {
        const HitRect& button = towerButtonRects[static_cast<std::size_t>(between(0, TOWER_BUTTON_COUNT - 1))];
        tapInside(button.left, button.top, button.right, button.bottom);
    } else if (roll < 80) {
        tapInside(gameState.boardLeft + 1, gameState.boardTop + 1, gameState.boardRight - 1, gameState.boardBottom - 1);
    } else {
        // HOME is rare: leaving the board every few taps would keep the game from getting anywhere.
        const int button = between(0, 9) == 0 ? PANEL_HOME : between(PANEL_PREV, PANEL_NEXT);
        const HitRect& rect = panelRects[static_cast<std::size_t>(button)];
        tapInside(rect.left, rect.top, rect.right, rect.bottom);
    }
}

// SOLVE, then the solution's own kind placed in one cell: the level ends through a real placement.
void GameMonkey::solveLevel() {
    const HitRect& solve = panelRects[PANEL_SOLVE];
    tapInside(solve.left, solve.top, solve.right, solve.bottom);
    if (gameState.screen != SCREEN_PLAY || gameState.columnCount <= 0 || gameState.rowCount <= 0) return;
    const int column = between(0, gameState.columnCount - 1);
    const int row = between(0, gameState.rowCount - 1);
    const int kind = gameState.solutionGrid[static_cast<std::size_t>(column * GRID_SIDE + row)];
    if (kind >= 1 && kind <= TOWER_BUTTON_COUNT) {
        const HitRect& button = towerButtonRects[static_cast<std::size_t>(kind - 1)];
        tapInside(button.left, button.top, button.right, button.bottom);
    }
    const int width = gameState.boardRight - gameState.boardLeft;
    const int height = gameState.boardBottom - gameState.boardTop;
    tap(gameState.boardLeft + width * (2 * column + 1) / (2 * gameState.columnCount),
        gameState.boardTop + height * (2 * row + 1) / (2 * gameState.rowCount));
    if (gameState.screen != SCREEN_PLAY) ++report_.levelsSolved;
}

void GameMonkey::tapRecordDialog() {
    if (chance(0.3)) {
        tapInside(okKey.left, okKey.top, okKey.right, okKey.bottom);
        return;
    }
    const HitRect key = nameKeyRect(between(FIRST_LETTER_KEY, DELETE_KEY));
    tapInside(key.left, key.top, key.right, key.bottom);
}

void GameMonkey::tapTutorial() {
    if (chance(0.6)) {
        tapAnywhere();  // hurries the page on
        return;
    }
    const HitRect& link = tutorialLinks[static_cast<std::size_t>(chance(0.3) ? TUTORIAL_HOME_LINK : between(1, 3))];
    tapInside(link.left, link.top, link.right, link.bottom);
}

std::string GameMonkey::checkInvariants() const {
    if (!isDescribedScreen(gameState.screen)) return "screen " + std::to_string(gameState.screen) + " is not a screen";
    if (gameState.initPending == 0) {
        if (gameState.level < 1 || gameState.level > gameState.maxLevel || gameState.maxLevel > LEVEL_COUNT)
            return "level " + std::to_string(gameState.level) + " of maxLevel " + std::to_string(gameState.maxLevel);
        if (gameState.columnCount < 1 || gameState.columnCount > GRID_SIDE || gameState.rowCount < 1 ||
            gameState.rowCount > GRID_SIDE)
            return "a board of " + std::to_string(gameState.columnCount) + " x " + std::to_string(gameState.rowCount);
        // Cells outside the board in play keep what a larger board left there; nothing reads them.
        for (int column = 0; column < gameState.columnCount; ++column)
            for (int row = 0; row < gameState.rowCount; ++row) {
                const std::int32_t cell = gameState.playerGrid[static_cast<std::size_t>(column * GRID_SIDE + row)];
                if (cell < 0 || cell > gameState.towerKindCount)
                    return "playerGrid cell " + std::to_string(cell) + " with " +
                           std::to_string(gameState.towerKindCount) + " tower kinds";
            }
        for (std::size_t level = 1; level < LEVEL_TABLE_SIZE; ++level)
            if (!textTerminated(gameState.recordNames[level]) || !textTerminated(gameState.recordTimes[level]))
                return "record text of level " + std::to_string(level) + " runs past its field";
    }
    return checkRecordsFile();
}

std::string GameMonkey::checkRecordsFile() const {
    const std::string path = folder_ + "/game.dat";
    if (gameState.initPending != 0 && !std::filesystem::exists(path)) return {};  // not created yet
    const std::vector<std::uint8_t> bytes = readWholeFile(path);
    if (bytes.size() < records::RECORDS_FILE_SIZE) return "game.dat holds " + std::to_string(bytes.size()) + " bytes";
    if (std::filesystem::exists(records::replacementPath(path))) return "a save left its replacement file behind";
    const records::RecordsContents contents = records::parseRecords(bytes);
    if (contents.maxLevel < 1 || contents.maxLevel > LEVEL_COUNT)
        return "game.dat holds maxLevel " + std::to_string(contents.maxLevel);
    if (contents.tutorialSeen != 0 && contents.tutorialSeen != 1)
        return "game.dat holds tutorialSeen " + std::to_string(contents.tutorialSeen);
    return {};
}

std::string GameMonkey::failure(const std::string& what) const {
    std::string text = what + " after step " + std::to_string(report_.steps) + " (monkey seed " +
                       std::to_string(seed_) + "); last commands:";
    for (const std::string& line : recentLines_) text += "\n  " + line;
    return text;
}

}  // namespace soak
