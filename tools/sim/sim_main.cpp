// spirehold-sim: the game on the headless device, driven by command lines on standard input.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "sim/simulator.h"

namespace {

constexpr int USAGE_EXIT_CODE = 2;
constexpr const char* USAGE =
    "usage: spirehold-sim [--dir DIR] [--seed N] [--display W,H,XPITCH,YPITCH,BPP] [--running]\n";

std::string makeTemporaryFolder() {
    std::error_code ignored;
    std::filesystem::path base = std::filesystem::temp_directory_path(ignored);
    if (base.empty()) base = "/tmp";
    std::string pattern = (base / "spirehold-sim-XXXXXX").string();
    return mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

}  // namespace

int main(int argc, char** argv) {
    sim::SimulatorOptions options;
    std::string error;
    if (!sim::parseSimulatorOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "spirehold-sim: %s\n%s", error.c_str(), USAGE);
        return USAGE_EXIT_CODE;
    }
    std::string temporaryFolder;
    std::error_code ignored;
    if (!options.dir.empty()) std::filesystem::create_directories(options.dir, ignored);
    if (options.dir.empty()) {
        temporaryFolder = makeTemporaryFolder();
        if (temporaryFolder.empty()) {
            std::fprintf(stderr, "spirehold-sim: cannot make a temporary folder\n");
            return EXIT_FAILURE;
        }
        options.dir = temporaryFolder;
    }
    {
        sim::Simulator simulator(options);
        std::string line;
        while (!simulator.quitRequested() && std::getline(std::cin, line)) {
            const std::string answer = simulator.handle(line);
            if (answer.empty()) continue;
            std::fputs(answer.c_str(), stdout);
            std::fputc('\n', stdout);
            std::fflush(stdout);
        }
    }
    if (!temporaryFolder.empty()) std::filesystem::remove_all(temporaryFolder, ignored);
    return EXIT_SUCCESS;
}
