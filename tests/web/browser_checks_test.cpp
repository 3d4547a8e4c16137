// The browser build played in headless Chromium (browser_checks.mjs), one CTest case per check. Each
// is skipped where its tools are missing: the built site (make web), node with playwright-core
// (scripts/install-web-test-deps.sh), Debian's Chromium, or the simulator that gives the expected frames.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace {

const std::string SOURCE_DIR = SPIREHOLD_SOURCE_DIR;
const std::string BINARY_DIR = SPIREHOLD_BINARY_DIR;

std::string siteFolder() {
    const char* chosen = std::getenv("SPIREHOLD_WEB_SITE");
    return chosen != nullptr && *chosen != '\0' ? chosen : SOURCE_DIR + "/build-web/site";
}

std::string chromiumPath() {
    const char* chosen = std::getenv("CHROMIUM");
    return chosen != nullptr && *chosen != '\0' ? chosen : "/usr/bin/chromium";
}

bool present(const std::string& path) { return ::access(path.c_str(), R_OK) == 0; }
bool runnable(const std::string& path) { return ::access(path.c_str(), X_OK) == 0; }
bool nodeInstalled() { return std::system("command -v node >/dev/null 2>&1") == 0; }

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (const char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// What is missing to run the checks, or empty.
std::string missingTools() {
    if (!present(siteFolder() + "/index.html") || !present(siteFolder() + "/spirehold.wasm")) {
        return "the built site in " + siteFolder() + " (make web)";
    }
    if (!nodeInstalled()) return "node";
    if (!present(SOURCE_DIR + "/tests/web/node_modules/playwright-core/package.json")) {
        return "playwright-core (scripts/install-web-test-deps.sh)";
    }
    if (!runnable(chromiumPath())) return "Chromium at " + chromiumPath();
    if (!runnable(BINARY_DIR + "/spirehold-sim")) return "spirehold-sim in " + BINARY_DIR;
    return {};
}

struct Outcome {
    int status = -1;
    std::string output;
};

Outcome runCheck(const std::string& check) {
    const std::string command = "node " + quoted(SOURCE_DIR + "/tests/web/browser_checks.mjs") + " " +
                                quoted(siteFolder()) + " " + quoted(BINARY_DIR + "/spirehold-sim") + " " +
                                quoted(check) + " 2>&1";
    Outcome outcome;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return outcome;
    std::array<char, 512> chunk{};
    while (std::fgets(chunk.data(), static_cast<int>(chunk.size()), pipe) != nullptr) outcome.output += chunk.data();
    const int status = ::pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

class BrowserCheck : public ::testing::TestWithParam<const char*> {};

TEST_P(BrowserCheck, HoldsInChromium) {
    const std::string missing = missingTools();
    if (!missing.empty()) GTEST_SKIP() << "needs " << missing;
    const Outcome outcome = runCheck(GetParam());
    EXPECT_EQ(outcome.status, 0) << outcome.output;
}

std::string checkName(const ::testing::TestParamInfo<const char*>& info) {
    std::string name = info.param;
    for (char& c : name) {
        if (c == '-') c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Site, BrowserCheck,
                         ::testing::Values("loads", "works-offline", "home-pixels", "click-play", "touch-tap",
                                           "records-survive-reload", "focus-follows-window",
                                           "audio-after-tap", "audio-without-worklet", "one-download",
                                           "fills-and-taps", "speaks-the-screens"),
                         checkName);

}  // namespace
