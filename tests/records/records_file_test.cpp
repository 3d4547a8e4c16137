// The records file as the game uses it: created at the first start, loaded, saved, and a game that
// plays on when there is no file at all.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "game/game_state.h"
#include "platform/headless/headless.h"
#include "records/records_file.h"
#include "temporary_folder.h"

namespace {

std::string defaultFileText() {
    std::string expected = "10 1";
    for (int level = 1; level <= 56; ++level) expected += "--------       0";
    return expected;
}

class RecordsFile : public ::testing::Test {
protected:
    TemporaryFolder folder;
    std::string path;

    void SetUp() override {
        resetGameState();
        headless::configure(1, headless::STANDARD_DISPLAY, folder.path(), false);
        path = folder.file("game.dat");
    }
    void TearDown() override {
        resetGameState();
        headless::reset();
    }
    static void startGame() {
        ensureRecordsFile();
        loadRecords();
    }
};

TEST_F(RecordsFile, LivesBesideTheProgram) { EXPECT_EQ(recordsFilePath(), path); }

TEST_F(RecordsFile, FirstStartCreatesAndLoadsTheDefaultFile) {
    startGame();
    EXPECT_EQ(readBytes(path), bytesOf(defaultFileText()));
    EXPECT_EQ(gameState.maxLevel, 1);
    EXPECT_EQ(gameState.tutorialSeen, 0);
    EXPECT_EQ(gameState.soundOn, 1u);
    EXPECT_STREQ(gameState.recordNames[56].data(), "--------");
    EXPECT_STREQ(gameState.recordTimes[1].data(), "       0");
}

TEST_F(RecordsFile, AnExistingFileIsLeftUntouchedAndLoaded) {
    std::string file = defaultFileText();
    file.replace(0, 4, "0142");
    file.replace(4, 16, "     ANN      83");
    writeBytes(path, bytesOf(file));
    startGame();
    EXPECT_EQ(readBytes(path), bytesOf(file));
    EXPECT_EQ(gameState.soundOn, 0u);
    EXPECT_EQ(gameState.tutorialSeen, 1);
    EXPECT_EQ(gameState.maxLevel, 42);
    EXPECT_STREQ(gameState.recordNames[1].data(), "     ANN");
    EXPECT_STREQ(gameState.recordTimes[1].data(), "      83");
}

TEST_F(RecordsFile, ASaveWithTheSoundOffIsLoadedWithTheSoundOff) {
    startGame();
    gameState.soundOn = 0;
    gameState.tutorialSeen = 1;
    gameState.maxLevel = 9;
    std::snprintf(gameState.recordNames[8].data(), RECORD_TEXT_SIZE, "%8s", "ANN");
    std::snprintf(gameState.recordTimes[8].data(), RECORD_TEXT_SIZE, "%8i", 83);
    saveRecords();
    const auto bytes = readBytes(path);
    ASSERT_EQ(bytes.size(), 900u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "01 9");
    EXPECT_EQ(std::string(bytes.begin() + 116, bytes.begin() + 132), "     ANN      83");
    resetGameState();
    startGame();
    EXPECT_EQ(gameState.soundOn, 0u);
    EXPECT_EQ(gameState.maxLevel, 9);
    EXPECT_STREQ(gameState.recordNames[8].data(), "     ANN");
}

TEST_F(RecordsFile, SavingNeverCreatesTheFile) {
    gameState.maxLevel = 3;
    saveRecords();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(RecordsFile, ALongerFileKeepsItsTailAfterASave) {
    writeBytes(path, bytesOf(defaultFileText() + "notes kept by someone"));
    startGame();
    gameState.maxLevel = 56;
    saveRecords();
    const auto bytes = readBytes(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "1056");
    EXPECT_EQ(std::string(bytes.begin() + 900, bytes.end()), "notes kept by someone");
}

TEST_F(RecordsFile, AShortFileLoadsTheDefaultForWhatItLacks) {
    writeBytes(path, bytesOf("0137ZZ"));
    startGame();
    EXPECT_EQ(gameState.soundOn, 0u);
    EXPECT_EQ(gameState.maxLevel, 37);
    EXPECT_STREQ(gameState.recordNames[1].data(), "--------");
    EXPECT_EQ(readBytes(path).size(), 6u);  // loading never writes
}

TEST_F(RecordsFile, AFileThatCannotBeReadLeavesTheFieldsAndTheGamePlaysFromLevelOne) {
    std::filesystem::create_directory(path);  // a folder where the file should be
    gameState.recordNames[1][0] = 'Q';
    startGame();
    EXPECT_EQ(gameState.maxLevel, 0);
    EXPECT_EQ(gameState.soundOn, 1u);
    EXPECT_EQ(gameState.recordNames[1][0], 'Q');
    EXPECT_EQ(playableLevel(gameState.maxLevel), 1);
    saveRecords();
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(RecordsFile, NoPlaceForTheFileMeansNoFileOperationAtAll) {
    const std::string notAFolder = folder.file("plain-file");
    writeBytes(notAFolder, bytesOf("x"));
    headless::configure(1, headless::STANDARD_DISPLAY, notAFolder, false);
    EXPECT_EQ(recordsFilePath(), "");
    startGame();
    saveRecords();
    EXPECT_EQ(gameState.maxLevel, 0);
    EXPECT_EQ(playableLevel(gameState.maxLevel), 1);
    EXPECT_EQ(readBytes(notAFolder), bytesOf("x"));
}

TEST(PlayableLevel, OnlyLevelsOneToFiftySixArePlayable) {
    EXPECT_EQ(playableLevel(1), 1);
    EXPECT_EQ(playableLevel(37), 37);
    EXPECT_EQ(playableLevel(56), 56);
    EXPECT_EQ(playableLevel(0), 1);
    EXPECT_EQ(playableLevel(57), 1);
    EXPECT_EQ(playableLevel(-9), 1);
    EXPECT_EQ(playableLevel(99), 1);
}

}  // namespace
