// The records file: its layout byte for byte, what any bytes read as, where it is kept, and saves that
// never create it, keep its tail and never leave it torn. Normal loads and saves of play are the trails'.
#include <gtest/gtest.h>

#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <thread>

#include "game/game_records.h"
#include "game/game_state.h"
#include "platform/headless/headless.h"
#include "records/records_file.h"
#include "records/records_layout.h"
#include "records/records_location.h"
#include "records/records_storage.h"
#include "support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

inline std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary) << std::string(bytes.begin(), bytes.end());
}

inline std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

inline constexpr uid_t NOBODY_ID = 65534;
inline constexpr gid_t NOGROUP_ID = 65534;

// Permission checks mean nothing to the superuser: run as root, a check goes to a forked child that first
// becomes the unprivileged "nobody" user, so those tests hold for root (as in CI) too.
// Makes `path` belong to the user that runOrdinarily checks as (when that is not this user already).
inline void giveToOrdinaryUser(const std::string& path) {
    if (::geteuid() == 0) static_cast<void>(::chown(path.c_str(), NOBODY_ID, NOGROUP_ID));
}

// The verdict of `check` run by an ordinary user. A child that cannot give up root, or that dies, gives
// false. The check must not use the test framework's assertions: a child cannot report them.
template <typename Check>
bool runOrdinarily(Check check) {
    if (::geteuid() != 0) return check();
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setresgid(NOGROUP_ID, NOGROUP_ID, NOGROUP_ID) == 0 &&
                             ::setresuid(NOBODY_ID, NOBODY_ID, NOBODY_ID) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string defaultFileText() {
    std::string expected = "10 1";
    for (int level = 1; level <= LEVEL_COUNT; ++level) expected += "--------       0";
    return expected;
}
std::string text(const RecordText& field) { return field.data(); }
std::string number(int value) {  // the numbers here stay within eight digits
    char digits[16];
    std::snprintf(digits, sizeof digits, "%8d", value);
    return digits;
}

TEST(RecordsLayout, ASaveWritesEveryFieldInItsWidth) {
    const auto defaults = records::defaultRecordsImage();
    EXPECT_EQ(std::string(defaults.begin(), defaults.end()), defaultFileText());
    records::RecordsContents contents;
    contents.soundFlag = 5, contents.tutorialSeen = 12, contents.maxLevel = 123;  // a set flag is 1; numbers are cut
    std::snprintf(contents.names[2].data(), RECORD_TEXT_SIZE, "ANN");  // texts are right-aligned
    std::snprintf(contents.times[2].data(), RECORD_TEXT_SIZE, "7");
    contents.names[3].fill('X');  // unterminated texts keep their first eight characters
    contents.times[3].fill('9');
    const auto file = records::formatRecords(contents);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 68), "1112" + std::string(16, ' ') + "     ANN       7" +
                                                             "XXXXXXXX99999999" + std::string(16, ' '));
}

TEST(RecordsLayout, HeaderNumbersReadAsAtoiReadsThem) {
    struct Case { const char* header; int sound, tutorial, level; };
    for (const Case c : {Case{"11 9", 1, 1, 9}, {"0156", 0, 1, 56}, {"ab-7", 0, 0, -7}, {"1+ 5", 1, 0, 5},
                         {"1 +5", 1, 0, 5}, {"--7x", 0, 0, 7}, {"9912", 9, 9, 12}, {"1\t 3", 1, 0, 3},
                         {"7\0\0" "7", 7, 0, 0}}) {
        auto image = records::defaultRecordsImage();
        std::memcpy(image.data(), c.header, 4);
        const records::RecordsContents contents = records::parseRecords(image);
        EXPECT_EQ(std::vector({contents.soundFlag, contents.tutorialSeen, contents.maxLevel}),
                  std::vector({c.sound, c.tutorial, c.level})) << c.header;
    }
}

TEST(RecordsLayout, TextsKeepAnyBytesUpToAZeroRightAlignedAndAShortFileTakesTheDefaultForWhatItLacks) {
    auto bytes = bytesOf(defaultFileText() + "TAIL DATA 0000");
    std::memcpy(bytes.data() + 4, "AB\0CDEFG\0\0\0\0\0\0\0\0", 16);
    std::memcpy(bytes.data() + 884, "a\xff~ \x01z!?", 8);
    auto contents = records::parseRecords(bytes);
    EXPECT_EQ(text(contents.names[1]) + text(contents.times[1]), "      AB        ");
    EXPECT_EQ(text(contents.names[56]) + text(contents.times[56]), "a\xff~ \x01z!?       0");
    records::RecordsContents saved;
    saved.soundFlag = 0, saved.tutorialSeen = 1, saved.maxLevel = 37;
    for (int level = 1; level <= LEVEL_COUNT; ++level) {
        std::memcpy(saved.names[level].data(), number(level).c_str(), RECORD_TEXT_SIZE);
        std::memcpy(saved.times[level].data(), number(level * 13).c_str(), RECORD_TEXT_SIZE);
    }
    const auto file = records::formatRecords(saved);
    for (std::size_t length = 0; length <= records::RECORDS_FILE_SIZE; ++length) {
        contents = records::parseRecords(std::span<const std::uint8_t>(file.data(), length));
        EXPECT_EQ(std::vector({contents.soundFlag, contents.tutorialSeen, contents.maxLevel}),
                  std::vector({length >= 1 ? 0 : 1, length >= 2 ? 1 : 0, length >= 4 ? 37 : 1})) << length;
        for (int level = 1; level <= LEVEL_COUNT; ++level) {
            const std::size_t nameEnd = 16u * static_cast<std::size_t>(level) - 4;
            ASSERT_EQ(text(contents.names[level]), length >= nameEnd ? number(level) : "--------") << length;
            ASSERT_EQ(text(contents.times[level]), length >= nameEnd + 8 ? number(level * 13) : "       0") << length;
        }
    }
}

TEST(RecordsLocation, TheRecordsLieBesideTheProgramOrMoveToTheNandDisk) {
    const char* const cases[][2] = {
        {"/usr/games/spirehold", "/usr/games/game.dat"}, {"/spirehold", "/game.dat"},
        {"/opt/games/", "/opt/games/game.dat"}, {"/home/a\\b/spirehold", "/home/a\\b/game.dat"},
        {"/Program Disk/spirehold", "/Program Disk/game.dat"}, {"spirehold", ""}, {"", ""},
        {"\\Program Disk\\Games\\Spirehold.exe", "\\Nand Disk\\Program Files\\Games\\game.dat"},
        {"\\Program Disk\\Spirehold.exe", "\\Nand Disk\\Program Files\\game.dat"},
        {"\\Storage Card\\Spirehold.exe", "\\Storage Card\\game.dat"},
        {"\\program disk\\Spirehold.exe", "\\program disk\\game.dat"}, {"\\Program Disk", "\\game.dat"},
        {"\\Program Disks\\x.exe", "\\Program Disks\\game.dat"}};
    for (const auto& [program, records] : cases) EXPECT_EQ(records::recordsPathBesideProgram(program), records) << program;
}

std::string userFolderPath;  // the user's data folder as the device names it

TEST(RecordsLocation, AnUnwritableProgramFolderSendsThemToTheUsersDataFolderMadeAndEndedWithASlash) {
    ScratchFolder folder;
    userFolderPath = folder.file("data");
    const auto userFolder = [] { return userFolderPath; };
    EXPECT_EQ(records::chooseRecordsPath("/no/such/place/spirehold", userFolder), folder.file("data/game.dat"));
    EXPECT_TRUE(fs::is_directory(userFolderPath));
}

// A write that fails once a byte budget is spent, and takes a few bytes at a time until then, as a slow
// device may.
constexpr std::size_t BYTES_PER_WRITE = 7, BUDGET_STEP = 3;  // steps that meet every place in a write
std::size_t writeBudget = 0;
ssize_t writeWithinBudget(int fd, const void* data, std::size_t size) {
    if (writeBudget == 0) return errno = EIO, -1;
    const std::size_t allowed = std::min({size, writeBudget, BYTES_PER_WRITE});
    writeBudget -= allowed;
    return ::write(fd, data, allowed);
}

std::vector<std::uint8_t> pattern(std::size_t size, std::uint8_t first) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(first + i * 7);
    return bytes;
}
std::size_t filesIn(const std::string& folder) {
    const fs::directory_iterator entries(folder);
    return static_cast<std::size_t>(std::count_if(begin(entries), end(entries), [](auto& e) { return e.is_regular_file(); }));
}

TEST(RecordsStorage, CreatingOnlyMakesAMissingFileAndReadingTakesAtMostTheBuffer) {
    ScratchFolder folder;
    const std::string path = folder.file("game.dat");
    std::array<std::uint8_t, records::RECORDS_FILE_SIZE> buffer{};
    EXPECT_EQ(records::readFileStart(path, buffer), -1);
    EXPECT_FALSE(records::fileReadable(path) || records::overwriteFileStart(path, pattern(900, 1), ::write));
    EXPECT_EQ(filesIn(folder.path()), 0u);
    EXPECT_TRUE(records::createFileWith(path, pattern(4, 1), ::write));
    EXPECT_FALSE(records::createFileWith(path, pattern(900, 2), ::write));
    EXPECT_FALSE(records::createFileWith(folder.file("no/such/folder/game.dat"), pattern(4, 1), ::write));
    EXPECT_EQ(records::readFileStart(path, buffer), 4);
    EXPECT_EQ(readBytes(path), pattern(4, 1));
    writeBytes(path, pattern(1500, 3));
    EXPECT_EQ(records::readFileStart(path, buffer), 900);
    EXPECT_EQ(buffer[899], pattern(1500, 3)[899]);
}

TEST(RecordsStorage, ASaveFailingAtAnyPointLeavesTheOldFileWholeAndOneThatEndsKeepsTailAndPermissions) {
    ScratchFolder folder;
    const std::string path = folder.file("game.dat");
    const auto old = pattern(930, 11);
    auto saved = pattern(900, 200);
    saved.insert(saved.end(), old.begin() + 900, old.end());
    for (std::size_t budget = 0; budget <= old.size(); budget += BUDGET_STEP) {
        writeBytes(path, old);
        ::chmod(path.c_str(), 0640);
        writeBytes(records::replacementPath(path), pattern(5000, 2));  // left over from a crash
        writeBudget = budget;
        const bool done = records::overwriteFileStart(path, pattern(900, 200), writeWithinBudget);
        ASSERT_EQ(done, budget == old.size()) << budget;
        ASSERT_EQ(readBytes(path), done ? saved : old) << budget;
        ASSERT_EQ(filesIn(folder.path()), 1u) << budget;
    }
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    writeBytes(path, bytesOf("10"));  // a short file gets the whole image
    ASSERT_TRUE(records::overwriteFileStart(path, pattern(900, 4), ::write));
    EXPECT_EQ(readBytes(path), pattern(900, 4));
}

TEST(RecordsStorage, AReadOnlyFileIsLeftAloneAndALinkIsWrittenThrough) {
    ScratchFolder folder;
    const std::string path = folder.file("game.dat"), target = folder.file("synced/game.dat");
    writeBytes(path, pattern(900, 1));
    ::chmod(path.c_str(), 0444);
    giveToOrdinaryUser(folder.path());
    giveToOrdinaryUser(path);
    EXPECT_TRUE(runOrdinarily([&] { return !records::overwriteFileStart(path, pattern(900, 2), ::write); }));
    EXPECT_EQ(readBytes(path), pattern(900, 1));
    EXPECT_EQ(filesIn(folder.path()), 1u);
    fs::create_directory(folder.file("synced"));
    fs::rename(path, target);
    fs::create_symlink("synced/game.dat", path);
    ::chmod(target.c_str(), 0644);
    EXPECT_TRUE(records::overwriteFileStart(path, pattern(900, 2), ::write));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(readBytes(target), pattern(900, 2));
    EXPECT_EQ(filesIn(folder.file("synced")), 1u);  // no replacement left beside the target
}

class RecordsFile : public ::testing::Test {
protected:
    ScratchFolder folder;
    std::string path = folder.file("game.dat");
    void SetUp() override { headless::configure(1, headless::STANDARD_DISPLAY, folder.path(), false); }
    void TearDown() override { resetGameState(); headless::reset(); }
    static void startGame() { resetGameState(); ensureRecordsFile(); loadRecords(); }
};

TEST_F(RecordsFile, AShortFileOrNoneOrNoPlaceForOneLoadsWhatThereIsWithoutWritingAndPlaysFromLevelOne) {
    writeBytes(path, bytesOf("9137"));  // a sound flag other than 0 leaves the sound as it is
    startGame();
    EXPECT_EQ(gameState.soundOn, 1u);
    writeBytes(path, bytesOf("0137ZZ"));
    startGame();
    EXPECT_EQ(std::vector({static_cast<int>(gameState.soundOn), gameState.maxLevel}), std::vector({0, 37}));
    EXPECT_EQ(text(gameState.recordNames[1]), "--------");
    EXPECT_EQ(readBytes(path), bytesOf("0137ZZ"));
    fs::remove(path);
    fs::create_directory(path);  // a folder where the file should be
    startGame();
    saveRecords();
    EXPECT_EQ(gameState.maxLevel, 0);
    EXPECT_EQ(text(gameState.recordNames[1]), "");
    EXPECT_TRUE(fs::is_directory(path));
    const std::string notAFolder = folder.file("plain-file");
    writeBytes(notAFolder, bytesOf("x"));
    headless::configure(1, headless::STANDARD_DISPLAY, notAFolder, false);
    EXPECT_EQ(recordsFilePath(), "");
    startGame();
    saveRecords();
    EXPECT_EQ(gameState.maxLevel, 0);
    EXPECT_EQ(readBytes(notAFolder), bytesOf("x"));
}

TEST_F(RecordsFile, AReadOnlyProgramFolderSaysOnceWhenThereIsNoPlaceToWriteAndOtherwiseUsesTheDataFolder) {
    const std::string beside = defaultFileText().replace(0, 4, "1137").substr(0, 20);  // the data folder starts from it
    const std::string data = folder.path() + "/.local/share/spirehold";
    writeBytes(path, bytesOf(beside));
    ::chmod(folder.path().c_str(), 0555);
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(runOrdinarily([] { return startGame(), saveRecords(), gameState.maxLevel == 37; }));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("game.dat"), std::string::npos);
    EXPECT_EQ(said.find('\n'), said.size() - 1);
    fs::create_directories(data);
    for (const char* made : {"/.local", "/.local/share", "/.local/share/spirehold"}) giveToOrdinaryUser(folder.path() + made);
    EXPECT_TRUE(runOrdinarily([] {
        startGame();
        const bool loaded = gameState.maxLevel == 37;
        gameState.maxLevel = 40;
        saveRecords();
        startGame();
        return loaded && gameState.maxLevel == 40;
    }));
    EXPECT_EQ(readBytes(path), bytesOf(beside));
    EXPECT_EQ(readBytes(data + "/game.dat"), bytesOf(defaultFileText().replace(0, 4, "1140")));
}

// Crash safety: a process killed at any moment while saving leaves game.dat whole, holding exactly the
// contents of one complete save, and the bytes beyond the 900 kept.
constexpr int KILL_ROUNDS = 150;
constexpr int LONGEST_LIFE_US = 30000;
constexpr int GENERATIONS_PER_ROUND = 1 << 16;  // more saves than a child makes before it is killed
const std::string TAIL = "bytes a later version keeps after the 900\n";

// Save number `generation`: every field differs from its neighbours', and level 1's name says which it is.
records::RecordsContents generationContents(int generation) {
    records::RecordsContents contents;
    contents.soundFlag = generation % 2;
    contents.tutorialSeen = generation % 2;
    contents.maxLevel = 1 + generation % LEVEL_COUNT;
    for (int level = 1; level <= LEVEL_COUNT; ++level) {
        std::memcpy(contents.names[level].data(), number(generation).c_str(), RECORD_TEXT_SIZE);
        std::memcpy(contents.times[level].data(), number(generation * 7 + level).c_str(), RECORD_TEXT_SIZE);
    }
    return contents;
}

// The generation whose complete save the file holds, or -1 when it holds anything else.
int generationHeld(const std::vector<std::uint8_t>& bytes) {
    const int generation = std::atoi(records::parseRecords(bytes).names[1].data());
    const records::RecordsImage image = records::formatRecords(generationContents(generation));
    return bytes == bytesOf(std::string(image.begin(), image.end()) + TAIL) ? generation : -1;
}

TEST(RecordsCrashSafety, ASaveKilledAtAnyMomentLeavesTheOldFileOrTheNewWhole) {
    ScratchFolder folder;
    headless::configure(1, headless::STANDARD_DISPLAY, folder.path(), false);
    ASSERT_EQ(recordsFilePath(), folder.file("game.dat"));
    writeBytes(recordsFilePath(), bytesOf(std::string(records::RECORDS_FILE_SIZE, ' ') + TAIL));
    writeRecordsFile(generationContents(0));
    std::mt19937 random(KILL_ROUNDS);
    std::set<int> generationsSeen;
    for (int round = 0; round < KILL_ROUNDS; ++round) {
        // Each child starts past anything the one before may have written, so every save is told apart.
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {  // saves until it is killed
            for (int generation = 1 + round * GENERATIONS_PER_ROUND;; ++generation) {
                writeRecordsFile(generationContents(generation));
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution(0, LONGEST_LIFE_US)(random)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        const int generation = generationHeld(readBytes(recordsFilePath()));
        ASSERT_GE(generation, 0) << "game.dat is not one whole save after round " << round;
        generationsSeen.insert(generation);
    }
    // Kills must have fallen both before the first save ended and after later ones, or little was shown.
    EXPECT_GT(generationsSeen.size(), static_cast<std::size_t>(KILL_ROUNDS / 4));
    headless::reset();
}

}  // namespace
