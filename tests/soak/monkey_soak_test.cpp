// The monkey soak: random play across every screen and level for hours of game time. The normal suite
// plays six minutes; SPIREHOLD_SOAK_HOURS=24 (and SPIREHOLD_SOAK_SEED) run the long one.
#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "records/temporary_folder.h"
#include "soak/game_monkey.h"

namespace {

// The short run is mostly play; the long one puts the device aside for up to half an hour at a time.
constexpr double SHORT_SOAK_HOURS = 0.1;
constexpr int SHORT_BACKGROUND_WAIT_S = 60;
constexpr int LONG_BACKGROUND_WAIT_S = 30 * 60;
constexpr std::uint32_t DEFAULT_SEED = 20261206;
constexpr double MS_PER_HOUR = 3600.0 * 1000.0;

double soakHours() {
    const char* hours = std::getenv("SPIREHOLD_SOAK_HOURS");
    return hours != nullptr ? std::atof(hours) : SHORT_SOAK_HOURS;
}

std::uint32_t soakSeed() {
    const char* seed = std::getenv("SPIREHOLD_SOAK_SEED");
    return seed != nullptr ? static_cast<std::uint32_t>(std::strtoul(seed, nullptr, 10)) : DEFAULT_SEED;
}

}  // namespace

TEST(MonkeySoak, HoursOfRandomPlayKeepTheGameAndItsRecordsSound) {
    TemporaryFolder folder;
    ASSERT_FALSE(folder.path().empty());
    const double hours = soakHours();
    soak::GameMonkey monkey(folder.path(), soakSeed(),
                            hours > SHORT_SOAK_HOURS ? LONG_BACKGROUND_WAIT_S : SHORT_BACKGROUND_WAIT_S);
    const std::string problem = monkey.play(static_cast<std::uint64_t>(hours * MS_PER_HOUR));
    const soak::MonkeyReport& report = monkey.report();
    std::printf("soak: %.2f virtual hours, %llu steps, %u restarts, %u levels solved, highest level %u, "
                "%d screens seen\n",
                static_cast<double>(report.virtualMs) / MS_PER_HOUR, static_cast<unsigned long long>(report.steps),
                report.restarts, report.levelsSolved, report.highestLevel, std::popcount(report.screensSeen));
    EXPECT_EQ(problem, "");
    // The run must have gone where the game goes, or it proves little.
    EXPECT_GT(report.levelsSolved, 0u);
    EXPECT_GT(report.highestLevel, 1u);
}
