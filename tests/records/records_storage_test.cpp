// The records file's disk operations: create-only, whole reads, and saves that never leave a torn file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "ordinary_user.h"
#include "records/records_storage.h"
#include "temporary_folder.h"

namespace {

// A write that fails once a byte budget is spent, after writing what the budget allows.
std::size_t writeBudget = 0;
ssize_t writeWithinBudget(int fd, const void* data, std::size_t size) {
    if (writeBudget == 0) {
        errno = EIO;
        return -1;
    }
    const std::size_t allowed = size < writeBudget ? size : writeBudget;
    writeBudget -= allowed;
    return ::write(fd, data, allowed);
}

// A write that takes one byte at a time, as a slow device may.
ssize_t writeOneByte(int fd, const void* data, std::size_t size) { return ::write(fd, data, size > 0 ? 1 : 0); }

std::vector<std::uint8_t> pattern(std::size_t size, std::uint8_t first) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(first + i * 7);
    return bytes;
}

std::size_t filesIn(const std::string& folder) {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) count += entry.is_regular_file() ? 1 : 0;
    return count;
}

TEST(RecordsStorage, CreatingWritesTheBytesOnlyWhenTheFileIsMissing) {
    TemporaryFolder folder;
    const std::string path = folder.file("game.dat");
    const auto first = pattern(900, 1);
    EXPECT_TRUE(records::createFileWith(path, first, ::write));
    EXPECT_EQ(readBytes(path), first);
    EXPECT_FALSE(records::createFileWith(path, pattern(900, 2), ::write));
    EXPECT_EQ(readBytes(path), first);
    EXPECT_FALSE(records::createFileWith(folder.file("no/such/folder/game.dat"), first, ::write));
}

TEST(RecordsStorage, ReadingTakesAtMostTheBufferAndReportsMissingFiles) {
    TemporaryFolder folder;
    const std::string path = folder.file("game.dat");
    std::array<std::uint8_t, 900> buffer{};
    EXPECT_EQ(records::readFileStart(path, buffer), -1);
    writeBytes(path, bytesOf("10 1"));
    EXPECT_EQ(records::readFileStart(path, buffer), 4);
    writeBytes(path, pattern(1500, 3));
    EXPECT_EQ(records::readFileStart(path, buffer), 900);
    EXPECT_EQ(buffer[899], pattern(1500, 3)[899]);
    EXPECT_TRUE(records::fileReadable(path));
    EXPECT_FALSE(records::fileReadable(folder.file("other.dat")));
}

TEST(RecordsStorage, OverwritingNeverCreatesTheFile) {
    TemporaryFolder folder;
    const std::string path = folder.file("game.dat");
    EXPECT_FALSE(records::overwriteFileStart(path, pattern(900, 1), ::write));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(filesIn(folder.path()), 0u);
}

TEST(RecordsStorage, OverwritingKeepsTheTailAndTheFilesPermissions) {
    TemporaryFolder folder;
    const std::string path = folder.file("game.dat");
    auto old = pattern(1000, 5);
    writeBytes(path, old);
    ::chmod(path.c_str(), 0640);
    const auto image = pattern(900, 9);
    ASSERT_TRUE(records::overwriteFileStart(path, image, ::write));
    auto expected = image;
    expected.insert(expected.end(), old.begin() + 900, old.end());
    EXPECT_EQ(readBytes(path), expected);
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(filesIn(folder.path()), 1u);
}

TEST(RecordsStorage, OverwritingAShortFileLeavesTheWholeImage) {
    TemporaryFolder folder;
    const std::string path = folder.file("game.dat");
    writeBytes(path, bytesOf("10"));
    const auto image = pattern(900, 4);
    ASSERT_TRUE(records::overwriteFileStart(path, image, writeOneByte));
    EXPECT_EQ(readBytes(path), image);
}

TEST(RecordsStorage, ASaveInterruptedAtAnyByteLeavesTheOldFileWhole) {
    TemporaryFolder folder;
    const std::string path = folder.file("game.dat");
    const auto old = pattern(930, 11);
    const auto image = pattern(900, 200);
    for (std::size_t budget = 0; budget < old.size(); ++budget) {
        writeBytes(path, old);
        writeBudget = budget;
        ASSERT_FALSE(records::overwriteFileStart(path, image, writeWithinBudget)) << budget;
        ASSERT_EQ(readBytes(path), old) << budget;
        ASSERT_FALSE(std::filesystem::exists(records::replacementPath(path))) << budget;
    }
    writeBudget = old.size();
    ASSERT_TRUE(records::overwriteFileStart(path, image, writeWithinBudget));
    auto expected = image;
    expected.insert(expected.end(), old.begin() + 900, old.end());
    EXPECT_EQ(readBytes(path), expected);
}

TEST(RecordsStorage, ALeftoverReplacementFromACrashIsOverwritten) {
    TemporaryFolder folder;
    const std::string path = folder.file("game.dat");
    writeBytes(path, pattern(900, 1));
    writeBytes(records::replacementPath(path), pattern(5000, 2));
    const auto image = pattern(900, 3);
    ASSERT_TRUE(records::overwriteFileStart(path, image, ::write));
    EXPECT_EQ(readBytes(path), image);
    EXPECT_EQ(filesIn(folder.path()), 1u);
}

TEST(RecordsStorage, AFileTheUserMadeReadOnlyIsLeftAlone) {
    TemporaryFolder folder;
    const std::string path = folder.file("game.dat");
    const auto old = pattern(900, 1);
    writeBytes(path, old);
    ::chmod(path.c_str(), 0444);
    giveToOrdinaryUser(folder.path());
    giveToOrdinaryUser(path);
    EXPECT_TRUE(runOrdinarily([&] { return !records::overwriteFileStart(path, pattern(900, 2), ::write); }));
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(filesIn(folder.path()), 1u);
}

TEST(RecordsStorage, ASaveThroughALinkReplacesItsTargetAndKeepsTheLink) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.file("synced"));
    const std::string target = folder.file("synced/game.dat");
    const std::string link = folder.file("game.dat");
    writeBytes(target, pattern(900, 1));
    std::filesystem::create_symlink("synced/game.dat", link);
    EXPECT_TRUE(records::overwriteFileStart(link, pattern(900, 2), ::write));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(target), pattern(900, 2));
    EXPECT_EQ(filesIn(folder.file("synced")), 1u);  // no replacement file left beside the target
}

}  // namespace
