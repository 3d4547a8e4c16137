// Fuzzes the simulator's command parser: any lines, one game per input, with the game's invariants and
// its records file checked after every line. Paths are pinned to a scratch file and long waits
// shortened, so the fuzzer neither writes elsewhere nor stalls in virtual days.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_scratch.h"
#include "game/game_state.h"
#include "records/records_file.h"
#include "records/records_layout.h"
#include "records/records_storage.h"
#include "sim/simulator.h"

namespace {

constexpr std::uint64_t LONGEST_WAIT_MS = 250;
constexpr std::size_t MOST_LINES = 48;

std::vector<std::string> splitWords(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

bool isNumber(const std::string& word) {
    return !word.empty() && word.size() < 19 && std::all_of(word.begin(), word.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
}

// The line as the fuzzer wrote it, unless it names a file or a long wait.
std::string tamed(const std::string& line) {
    std::vector<std::string> words = splitWords(line);
    if (words.empty()) return line;
    const std::string& command = words[0];
    const std::string scratch = fuzz::scratchFolder() + "/out";
    if (command == "frame" || command == "display") {
        if (words.size() >= 2) words[1] = scratch + (words[1].size() % 3 == 0 ? ".png" : ".ppm");
    } else if (command == "resource") {
        if (words.size() >= 4) words[3] = scratch;
    } else if (command == "audio") {
        if (words.size() >= 2) words[1] = scratch + ".wav";
    }
    if ((command == "wait" || command == "audio") && !words.empty()) {
        std::string& ms = words.back();
        if (isNumber(ms) && std::stoull(ms) > LONGEST_WAIT_MS) ms = std::to_string(LONGEST_WAIT_MS);
    }
    std::string joined;
    for (const std::string& word : words) joined += (joined.empty() ? "" : " ") + word;
    return joined;
}

bool isScreen(std::uint32_t screen) {
    return screen == SCREEN_HOME || screen == SCREEN_CREDITS || (screen >= SCREEN_PLAY && screen <= SCREEN_GAME_COMPLETE) ||
           (screen >= SCREEN_TUTORIAL_INTRO && screen <= SCREEN_TUTORIAL_STRATEGY);
}

// What any sequence of commands must leave true once the game has started.
void checkGame() {
    if (!isScreen(gameState.screen)) std::abort();
    if (gameState.initPending != 0) return;
    if (gameState.level < 1 || gameState.level > gameState.maxLevel || gameState.maxLevel > LEVEL_COUNT) std::abort();
    std::array<std::uint8_t, records::RECORDS_FILE_SIZE> file{};
    if (records::readFileStart(recordsFilePath(), file) != static_cast<long>(file.size())) std::abort();
    const records::RecordsContents contents = records::parseRecords(file);
    if (contents.maxLevel < 1 || contents.maxLevel > LEVEL_COUNT) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sim::SimulatorOptions options;
    options.dir = fuzz::scratchFolder();
    std::filesystem::remove(options.dir + "/game.dat");
    std::filesystem::remove(options.dir + "/game.sav");
    sim::Simulator simulator(options);

    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    std::size_t lines = 0;
    for (std::string line; lines < MOST_LINES && !simulator.quitRequested() && std::getline(input, line); ++lines) {
        simulator.handle(tamed(line));
        checkGame();
    }
    return 0;
}
