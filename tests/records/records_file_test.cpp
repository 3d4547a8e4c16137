// The records file as the game uses it: created at the first start, loaded, saved, and a game that
// plays on when there is no file at all.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>

#include "game/game_state.h"
#include "platform/headless/headless.h"
#include "ordinary_user.h"
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

// The program's folder made read-only, with the player's records in it; the data folder is made
// (writable for the ordinary user) only when `withDataFolder`.
class ReadOnlyProgram : public RecordsFile {
protected:
    std::string dataFile;
    std::string beside = defaultFileText().replace(0, 4, "1137");

    void installReadOnly(bool withDataFolder) {
        writeBytes(path, bytesOf(beside));
        const std::string data = folder.path() + "/.local/share/spirehold";
        if (withDataFolder) std::filesystem::create_directories(data);
        for (const std::string& made : {folder.path() + "/.local", folder.path() + "/.local/share", data}) {
            giveToOrdinaryUser(made);
        }
        ::chmod(folder.path().c_str(), 0555);
        dataFile = data + "/game.dat";
    }
    void TearDown() override {
        ::chmod(folder.path().c_str(), 0700);
        RecordsFile::TearDown();
    }
};

TEST_F(ReadOnlyProgram, ItsRecordsAreLoadedAndSavedToTheDataFolder) {
    installReadOnly(true);
    EXPECT_TRUE(runOrdinarily([&] {
        startGame();
        const bool loaded = gameState.maxLevel == 37;
        gameState.maxLevel = 40;
        saveRecords();
        gameState.maxLevel = 0;
        startGame();
        return loaded && gameState.maxLevel == 40;
    }));
    EXPECT_EQ(readBytes(path), bytesOf(beside));
    EXPECT_EQ(readBytes(dataFile), bytesOf(beside.replace(2, 2, "40")));
}

TEST_F(ReadOnlyProgram, WithNoPlaceToWriteItSaysSoOnceAndPlaysOn) {
    installReadOnly(false);
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(runOrdinarily([] {
        startGame();
        saveRecords();
        return gameState.maxLevel == 37;
    }));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("game.dat"), std::string::npos);
    EXPECT_EQ(said.find('\n'), said.size() - 1);
    EXPECT_EQ(readBytes(path), bytesOf(beside));
}

TEST(PlayableLevel, AFurthestLevelOutsideTheTableResumesAtTheNearestLevel) {
    EXPECT_EQ(playableLevel(1), 1);
    EXPECT_EQ(playableLevel(37), 37);
    EXPECT_EQ(playableLevel(56), 56);
    EXPECT_EQ(playableLevel(0), 1);
    EXPECT_EQ(playableLevel(57), 56);
    EXPECT_EQ(playableLevel(-9), 1);
    EXPECT_EQ(playableLevel(99), 56);
}

}  // namespace
