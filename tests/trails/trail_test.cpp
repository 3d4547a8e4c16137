// Recorded play sessions replayed through the simulator: after every line of a trail, one hash of every
// frame presented, every sample played and the whole game state (the simulator's `state` answer) must
// equal the recorded one. One trail line thus pins whole screens, sounds and rules at once.
//
// The recorded hashes were taken from a build whose frames and sound the independent models of the
// other suites and an outside frame-by-frame review had found exact; they are never blessed blindly.
// After a deliberate change of what the game shows or plays, re-record and look at the frames first:
//   SPIREHOLD_RECORD_TRAILS=1 build/test_trails
//
// Trail files (tests/trails/*.trail): simulator commands, each behind its recorded hash; `@seed N`,
// `@display W,H,XPITCH,YPITCH,BPP`, `@running yes` (another copy runs) and `@records FILE` (a records
// file put beside the program before it starts) may head a trail, and the
// command `@solve` places the shown puzzle's answer tower by tower, as a player who knows it would.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <unistd.h>

#include "game/controls.h"
#include "game/game_state.h"
#include "platform/headless/headless.h"
#include "puzzle/board_lines.h"
#include "sim/simulator.h"
#include "sound/golden.h"

namespace {

namespace fs = std::filesystem;

const fs::path TRAIL_DIR = fs::path(SPIREHOLD_SOURCE_DIR) / "tests" / "trails";
constexpr int HASH_DIGITS = 16;

std::string hexOf(const Fnv& hash) {
    char text[HASH_DIGITS + 1];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash.value));
    return text;
}

struct TrailLine {
    std::string recorded;  // empty for a comment, a heading or a line not yet recorded
    std::string command;
};

std::vector<TrailLine> readTrail(const fs::path& path) {
    std::vector<TrailLine> lines;
    std::ifstream file(path);
    for (std::string text; std::getline(file, text);) {
        const bool hashed = text.size() > HASH_DIGITS + 2 && text.compare(HASH_DIGITS, 2, "  ") == 0;
        if (hashed) lines.push_back({text.substr(0, HASH_DIGITS), text.substr(HASH_DIGITS + 2)});
        else lines.push_back({"", text});
    }
    return lines;
}

std::string heading(const std::vector<TrailLine>& lines, const std::string& key) {
    for (const TrailLine& line : lines)
        if (line.command.starts_with(key + " ")) return line.command.substr(key.size() + 1);
    return "";
}

bool isCommand(const std::string& command) {
    return !command.empty() && command.front() != '#' && command.front() != '@';
}

class TrailPlayer {
public:
    explicit TrailPlayer(const sim::SimulatorOptions& options) : simulator_(options) {
        headless::setPresentHook([this] {
            const headless::DisplayMemory memory = headless::displayMemory();
            hash_.add(memory.words.data(), memory.words.size_bytes());
        });
    }
    ~TrailPlayer() { headless::setPresentHook(nullptr); }

    std::string play(const std::string& command) {
        hash_ = Fnv{};
        if (command == "@solve") placeTheAnswer();
        else send(command);
        const std::string state = simulator_.handle("state");
        hash_.add(state.data(), state.size());
        return hexOf(hash_);
    }

private:
    void send(const std::string& command) {
        const std::string answer = simulator_.handle(command);
        hash_.add(answer.data(), answer.size());
        const std::vector<std::uint8_t>& played = headless::audioPlayed();
        hash_.add(played.data(), played.size());
    }

    void tapCentre(const HitRect& rect) {
        send("tap " + std::to_string((rect.left + rect.right) / 2) + " " + std::to_string((rect.top + rect.bottom) / 2));
    }

    void place(int column, int row) {
        const int kind = gameState.board.solutionGrid[cellIndex(column, row)];
        if (gameState.board.selectedTower != kind - 1) tapCentre(towerButtonRects[kind - 1]);
        const int left = gameState.board.boardLeft + column * SCREEN_CELL, top = gameState.board.boardTop + row * SCREEN_CELL;
        tapCentre({left, top, left + SCREEN_CELL - 1, top + SCREEN_CELL - 1});
    }

    // Every cell that differs from the answer; when none does (SOLVE showed it), the first one again,
    // since only a placement completes a level.
    void placeTheAnswer() {
        bool placed = false;
        for (int column = 0; column < gameState.board.columnCount; ++column) {
            for (int row = 0; row < gameState.board.rowCount; ++row) {
                const int cell = cellIndex(column, row);
                if (gameState.board.solutionGrid[cell] == gameState.board.playerGrid[cell]) continue;
                place(column, row);
                placed = true;
            }
        }
        if (!placed) place(0, 0);
    }

    sim::Simulator simulator_;
    Fnv hash_;
};

class Trail : public ::testing::TestWithParam<std::string> {};

TEST_P(Trail, ReplaysFrameForFrameAndSampleForSample) {
    const fs::path path = TRAIL_DIR / (GetParam() + ".trail");
    std::vector<TrailLine> lines = readTrail(path);
    ASSERT_FALSE(lines.empty()) << path;
    const fs::path programDir =
        fs::path(::testing::TempDir()) / ("spirehold-trail-" + GetParam() + "-" + std::to_string(::getpid()));
    fs::remove_all(programDir);
    fs::create_directories(programDir);
    if (const std::string records = heading(lines, "@records"); !records.empty())
        fs::copy_file(TRAIL_DIR / records, programDir / "game.dat");
    sim::SimulatorOptions options{.dir = programDir.string()};
    if (const std::string seed = heading(lines, "@seed"); !seed.empty()) options.seed = std::stoul(seed);
    options.runningCopy = heading(lines, "@running") == "yes";
    std::string error;
    if (const std::string display = heading(lines, "@display"); !display.empty()) {
        ASSERT_TRUE(sim::parseDisplayOption(display, options.display, error)) << error;
    }

    const bool recording = std::getenv("SPIREHOLD_RECORD_TRAILS") != nullptr;
    {
        TrailPlayer player(options);
        int mismatches = 0;
        for (std::size_t number = 0; number < lines.size(); ++number) {
            TrailLine& line = lines[number];
            if (!isCommand(line.command) && line.command != "@solve") continue;
            const std::string hash = player.play(line.command);
            if (hash != line.recorded && !recording && mismatches++ < 3)
                ADD_FAILURE() << path.filename().string() << ":" << number + 1 << " `" << line.command
                              << "` differs from the recording (the first three differences are shown)";
            line.recorded = hash;
        }
    }
    fs::remove_all(programDir);
    if (!recording) return;
    std::ofstream out(path);
    for (const TrailLine& line : lines) out << (line.recorded.empty() ? "" : line.recorded + "  ") << line.command << "\n";
}

std::vector<std::string> trailNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(TRAIL_DIR))
        if (entry.path().extension() == ".trail") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Recorded, Trail, ::testing::ValuesIn(trailNames()),
                         [](const auto& trail) { return trail.param; });

}  // namespace
