// The browser build played in headless Chromium (browser_checks.mjs), one CTest case per check. Each
// is skipped where its tools are missing: the built site (make web; SPIREHOLD_WEB_SITE names another),
// playwright-core (scripts/install-web-test-deps.sh), node, Chromium (CHROMIUM names another), or the
// simulator that gives the expected frames. A failed check leaves the page as it was in
// BUILD/test-failures/web-CHECK/page.png.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "support/failure_folder.h"

namespace {

const std::string SOURCE_DIR = SPIREHOLD_SOURCE_DIR;
const std::string SIMULATOR = std::string(SPIREHOLD_BINARY_DIR) + "/spirehold-sim";

std::string chosenOr(const char* variable, const std::string& fallback) {
    const char* chosen = std::getenv(variable);
    return chosen != nullptr && *chosen != '\0' ? chosen : fallback;
}

class BrowserCheck : public ::testing::TestWithParam<const char*> {};

// The check's own output goes to the test's, where CTest shows it on a failure.
TEST_P(BrowserCheck, HoldsInChromium) {
    const std::string site = chosenOr("SPIREHOLD_WEB_SITE", SOURCE_DIR + "/build-web/site");
    for (const std::string& needed : {site + "/spirehold.wasm", SOURCE_DIR + "/tests/web/node_modules/playwright-core",
                                      chosenOr("CHROMIUM", "/usr/bin/chromium"), SIMULATOR}) {
        if (::access(needed.c_str(), R_OK) != 0) GTEST_SKIP() << "needs " << needed;
    }
    if (std::system("command -v node >/dev/null 2>&1") != 0) GTEST_SKIP() << "needs node";
    const FailureFolder failures(std::string("web-") + GetParam());
    const std::string command = "SPIREHOLD_FAILURE_SHOT='" + failures.pathOf("page.png") + "' node '" + SOURCE_DIR +
                                "/tests/web/browser_checks.mjs' '" + site + "' '" + SIMULATOR + "' " + GetParam();
    EXPECT_EQ(std::system(command.c_str()), 0);
}

INSTANTIATE_TEST_SUITE_P(Site, BrowserCheck,
                         ::testing::Values("firstVisit", "reloadOffline", "matchesSimulator", "focusFollowsWindow",
                                           "fillsAndTaps", "speaksTheScreens", "playAgainBesideThePicture",
                                           "soundAfterTap", "stillScreenSleeps", "keepsTheGame", "playsByKeyboard", "axeFindsNothing"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
