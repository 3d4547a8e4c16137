// Fuzzes the simulator's command parser: any lines, one game per input, with the game's invariants and
// its records file checked after every line. Paths are pinned to a scratch file and long waits
// shortened, so the fuzzer neither writes elsewhere nor stalls in virtual days.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_scratch.h"
#include "sim/simulator.h"
#include "soak/game_invariants.h"

namespace {

constexpr std::uint64_t LONGEST_WAIT_MS = 250;
constexpr std::size_t MOST_LINES = 48;

bool isNumber(const std::string& word) {
    return !word.empty() && word.size() < 19 && word.find_first_not_of("0123456789") == std::string::npos;
}

// The line as the fuzzer wrote it, unless it names a file or a long wait.
std::string tamed(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words{std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
    if (words.empty()) return line;
    const std::string& command = words[0];
    const std::string scratch = fuzz::scratchFolder() + "/out";
    if ((command == "frame" || command == "display" || command == "audio") && words.size() >= 2)
        words[1] = scratch + (command == "audio" ? ".wav" : words[1].size() % 3 == 0 ? ".png" : ".ppm");
    if (command == "resource" && words.size() >= 4) words[3] = scratch;
    if (command == "wait" || command == "audio") {
        std::string& ms = words.back();
        if (isNumber(ms) && std::stoull(ms) > LONGEST_WAIT_MS) ms = std::to_string(LONGEST_WAIT_MS);
    }
    std::string joined;
    for (const std::string& word : words) joined += (joined.empty() ? "" : " ") + word;
    return joined;
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
        if (const std::string broken = gameInvariantBroken(options.dir); !broken.empty()) {
            std::fprintf(stderr, "%s after \"%s\"\n", broken.c_str(), line.c_str());
            std::abort();
        }
    }
    return 0;
}
