// Where the records file is kept: the device's rule on the program path, and the fallback to the
// user's data folder for a program whose own folder cannot be written.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "ordinary_user.h"
#include "records/records_location.h"
#include "temporary_folder.h"

namespace {

using records::chooseRecordsPath;
using records::recordsPathBesideProgram;

TEST(RecordsLocation, PosixPathsKeepTheRecordsBesideTheProgram) {
    EXPECT_EQ(recordsPathBesideProgram("/usr/games/spirehold"), "/usr/games/game.dat");
    EXPECT_EQ(recordsPathBesideProgram("/spirehold"), "/game.dat");
    EXPECT_EQ(recordsPathBesideProgram("/opt/games/"), "/opt/games/game.dat");
    EXPECT_EQ(recordsPathBesideProgram("/home/a\\b/spirehold"), "/home/a\\b/game.dat");
    EXPECT_EQ(recordsPathBesideProgram("/Program Disk/spirehold"), "/Program Disk/game.dat");
}

TEST(RecordsLocation, APathWithoutSeparatorHasNoRecordsFile) {
    EXPECT_EQ(recordsPathBesideProgram("spirehold"), "");
    EXPECT_EQ(recordsPathBesideProgram(""), "");
}

TEST(RecordsLocation, DevicePathsMoveFromTheProgramDiskToTheNandDisk) {
    EXPECT_EQ(recordsPathBesideProgram("\\Program Disk\\Games\\Spirehold.exe"),
              "\\Nand Disk\\Program Files\\Games\\game.dat");
    EXPECT_EQ(recordsPathBesideProgram("\\Program Disk\\Spirehold.exe"), "\\Nand Disk\\Program Files\\game.dat");
    EXPECT_EQ(recordsPathBesideProgram("\\Storage Card\\Spirehold.exe"), "\\Storage Card\\game.dat");
    EXPECT_EQ(recordsPathBesideProgram("\\program disk\\Spirehold.exe"), "\\program disk\\game.dat");
    EXPECT_EQ(recordsPathBesideProgram("\\Program Disk"), "\\game.dat");
    EXPECT_EQ(recordsPathBesideProgram("\\Program Disks\\x.exe"), "\\Program Disks\\game.dat");
}

int userFolderAsked = 0;
std::string userFolderPath;
std::string userFolder() {
    ++userFolderAsked;
    return userFolderPath;
}

class RecordsPlace : public ::testing::Test {
protected:
    TemporaryFolder folder;
    void SetUp() override {
        userFolderAsked = 0;
        userFolderPath = folder.path() + "/data/spirehold/";
    }
};

TEST_F(RecordsPlace, AWritableProgramFolderKeepsTheRecords) {
    EXPECT_EQ(chooseRecordsPath(folder.path() + "/spirehold", userFolder), folder.path() + "/game.dat");
    EXPECT_EQ(userFolderAsked, 0);
}

TEST_F(RecordsPlace, AnUnwritableProgramFolderSendsThemToTheUsersDataFolder) {
    EXPECT_EQ(chooseRecordsPath(folder.path() + "/missing/spirehold", userFolder), userFolderPath + "game.dat");
    EXPECT_TRUE(std::filesystem::is_directory(userFolderPath));
    EXPECT_EQ(chooseRecordsPath("\\Program Disk\\Spirehold.exe", userFolder), userFolderPath + "game.dat");
}

TEST_F(RecordsPlace, AReadOnlyProgramFolderSendsThemToTheUsersDataFolder) {
    const std::string installed = folder.path() + "/installed";
    std::filesystem::create_directory(installed);
    ::chmod(installed.c_str(), 0555);
    giveToOrdinaryUser(folder.path());
    EXPECT_TRUE(runOrdinarily([&] {
        return chooseRecordsPath(installed + "/spirehold", userFolder) == userFolderPath + "game.dat";
    }));
    EXPECT_TRUE(std::filesystem::is_directory(userFolderPath));
    EXPECT_FALSE(std::filesystem::exists(installed + "/game.dat"));
}

TEST_F(RecordsPlace, AUsersFolderWithoutTrailingSlashStillGetsOne) {
    userFolderPath = folder.path() + "/data";
    EXPECT_EQ(chooseRecordsPath("/no/such/place/spirehold", userFolder), folder.path() + "/data/game.dat");
}

TEST_F(RecordsPlace, NoPlaceAtAllGivesNoPath) {
    userFolderPath = "";
    EXPECT_EQ(chooseRecordsPath("/no/such/place/spirehold", userFolder), "");
    EXPECT_EQ(chooseRecordsPath("spirehold", userFolder), "");
    EXPECT_EQ(userFolderAsked, 1);
}

}  // namespace
