// The records file's folder, chosen from the program's own location.
#include "records/records_location.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "records/records_storage.h"

namespace records {
namespace {

constexpr std::string_view RECORDS_FILE_NAME = "game.dat";
constexpr std::string_view PROGRAM_DISK = "\\Program Disk\\";
constexpr std::string_view NAND_PROGRAM_FILES = "\\Nand Disk\\Program Files\\";

// A device path uses backslashes only; anything with a slash is a POSIX path.
char separatorOf(std::string_view path) { return path.find('/') == std::string_view::npos ? '\\' : '/'; }

bool folderWritable(const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0; }

std::string folderOf(const std::string& recordsPath) {
    return recordsPath.substr(0, recordsPath.size() - RECORDS_FILE_NAME.size());
}

// "game.dat" in the user's data folder (created when missing); empty when there is no such folder.
std::string recordsPathInUserFolder(std::string (*userDataFolder)()) {
    std::string folder = userDataFolder();
    if (folder.empty()) return {};
    if (folder.back() != '/') folder += '/';
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder + std::string(RECORDS_FILE_NAME);
}

}  // namespace

std::string recordsPathBesideProgram(std::string_view programPath) {
    const std::size_t cut = programPath.rfind(separatorOf(programPath));
    if (cut == std::string_view::npos) return {};
    std::string path(programPath.substr(0, cut + 1));
    path += RECORDS_FILE_NAME;
    if (path.starts_with(PROGRAM_DISK)) path.replace(0, PROGRAM_DISK.size(), NAND_PROGRAM_FILES);
    return path;
}

std::string chooseRecordsPath(std::string_view programPath, std::string (*userDataFolder)()) {
    std::string beside = recordsPathBesideProgram(programPath);
    if (beside.empty()) return {};
    if (folderWritable(folderOf(beside))) return beside;

    std::string inUserFolder = recordsPathInUserFolder(userDataFolder);
    // With nowhere to save, the records beside the program are still worth playing with.
    const bool userFolderUsable =
        !inUserFolder.empty() && (folderWritable(folderOf(inUserFolder)) || fileReadable(inUserFolder));
    if (!userFolderUsable && fileReadable(beside)) return beside;
    return inUserFolder;
}

std::string pathBesideRecords(const std::string& recordsPath, std::string_view fileName) {
    if (recordsPath.empty()) return {};
    return folderOf(recordsPath) + std::string(fileName);
}

bool recordsPlaceWritable(const std::string& recordsPath) {
    return !recordsPath.empty() && folderWritable(folderOf(recordsPath));
}

}  // namespace records
