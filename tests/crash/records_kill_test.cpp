// Crash safety of the records file: a process killed at any moment while saving leaves game.dat whole,
// holding exactly the contents of one complete save, and the bytes beyond the 900 kept.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <set>
#include <thread>
#include <vector>

#include "game/game_state.h"
#include "platform/headless/headless.h"
#include "records/records_file.h"
#include "records/records_layout.h"
#include "records/temporary_folder.h"

namespace {

constexpr int KILL_ROUNDS = 150;
constexpr int LONGEST_LIFE_US = 30000;
constexpr int GENERATIONS_PER_ROUND = 1 << 16;  // more saves than a child makes before it is killed
constexpr char NUMBER_FORMAT[] = "%8d";
constexpr std::size_t NUMBER_BUFFER = 16;  // room for any int, so the format never cuts
const std::vector<std::uint8_t> TAIL = bytesOf("bytes a later version keeps after the 900\n");

// Numbers here stay within eight digits.
void writeNumber(RecordText& text, int number) {
    char digits[NUMBER_BUFFER];
    std::snprintf(digits, sizeof digits, NUMBER_FORMAT, number);
    std::memcpy(text.data(), digits, text.size() - 1);
    text.back() = '\0';
}

// Save number `generation`: every field differs from its neighbours', and the name of level 1 says
// which generation it is.
GameState generationState(int generation) {
    GameState state;
    state.soundOn = static_cast<std::uint32_t>(generation % 2);
    state.tutorialSeen = generation % 2;
    state.maxLevel = 1 + generation % LEVEL_COUNT;
    for (int level = 1; level <= LEVEL_COUNT; ++level) {
        writeNumber(state.recordNames[static_cast<std::size_t>(level)], generation);
        writeNumber(state.recordTimes[static_cast<std::size_t>(level)], generation * 7 + level);
    }
    return state;
}

std::vector<std::uint8_t> generationFile(int generation) {
    const records::RecordsImage image = records::formatRecords(generationState(generation));
    std::vector<std::uint8_t> bytes(image.size() + TAIL.size());
    std::memcpy(bytes.data(), image.data(), image.size());
    std::memcpy(bytes.data() + image.size(), TAIL.data(), TAIL.size());
    return bytes;
}

// Saves generation after generation until it is killed.
[[noreturn]] void saveForever(int firstGeneration) {
    for (int generation = firstGeneration;; ++generation) {
        gameState = generationState(generation);
        saveRecords();
    }
}

// The generation whose complete save the file holds, or -1 when it holds anything else.
int generationHeld(const std::vector<std::uint8_t>& bytes) {
    const records::RecordsContents contents = records::parseRecords(bytes);
    const int generation = std::atoi(contents.names[1].data());
    return bytes == generationFile(generation) ? generation : -1;
}

}  // namespace

TEST(RecordsCrashSafety, ASaveKilledAtAnyMomentLeavesTheOldFileOrTheNewWhole) {
    TemporaryFolder folder;
    ASSERT_FALSE(folder.path().empty());
    headless::configure(1, headless::STANDARD_DISPLAY, folder.path(), false);
    const std::string path = recordsFilePath();
    ASSERT_EQ(path, folder.file("game.dat"));
    writeBytes(path, generationFile(0));

    std::mt19937 random(KILL_ROUNDS);
    std::set<int> generationsSeen;
    int nextGeneration = 1;
    for (int round = 0; round < KILL_ROUNDS; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) saveForever(nextGeneration);
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, LONGEST_LIFE_US)(random)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        const int generation = generationHeld(readBytes(path));
        ASSERT_GE(generation, 0) << "game.dat is not one whole save after round " << round;
        generationsSeen.insert(generation);
        // The next child starts past anything this one may have written, so every save is told apart.
        nextGeneration += GENERATIONS_PER_ROUND;
    }
    // Kills must have fallen both before the first save ended and after later ones, or little was shown.
    EXPECT_GT(generationsSeen.size(), static_cast<std::size_t>(KILL_ROUNDS / 4));
    headless::reset();
}
