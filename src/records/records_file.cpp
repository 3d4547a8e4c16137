// The records file's operations: create the default file, read it at start-up, write it after changes.
// Failures are silent but for one line at start when no place for the file can be written: the game
// plays on without a saved record.
#include "records/records_file.h"

#include <unistd.h>

#include <cstdio>
#include <span>

#include "platform/platform.h"
#include "records/records_location.h"
#include "records/records_storage.h"

std::string recordsFilePath() { return records::chooseRecordsPath(platform::programPath(), platform::userDataFolder); }

namespace {

// An installed program's folder may hold the player's records from before it became read-only: the
// data folder starts from them, so they load now and the next save keeps them there.
bool adoptRecordsBesideProgram(const std::string& path) {
    const std::string beside = records::recordsPathBesideProgram(platform::programPath());
    if (beside.empty() || beside == path) return false;
    records::RecordsImage image{};
    const long length = records::readFileStart(beside, image);
    if (length < 0) return false;
    return records::createFileWith(path, std::span<const std::uint8_t>(image.data(), static_cast<std::size_t>(length)),
                                   ::write);
}

// Called once per start, so the player hears of it once; the game plays on without saving.
void reportRecordsNotKept() {
    std::fputs("spirehold: no folder for game.dat can be written; best times and progress will not be kept\n",
               stderr);
}

}  // namespace

void ensureRecordsFile() {
    const std::string path = recordsFilePath();
    if (!path.empty() && !records::fileReadable(path) && !adoptRecordsBesideProgram(path)) createDefaultRecords();
    if (!records::recordsPlaceWritable(path)) reportRecordsNotKept();
}

void createDefaultRecords() {
    const std::string path = recordsFilePath();
    if (path.empty()) return;
    if (records::createFileWith(path, records::defaultRecordsImage(), ::write)) platform::fileSaved(path);
}

bool readRecordsFile(records::RecordsContents& contents) {
    const std::string path = recordsFilePath();
    if (path.empty()) return false;
    records::RecordsImage image{};
    const long length = records::readFileStart(path, image);
    if (length < 0) return false;
    contents = records::parseRecords(std::span<const std::uint8_t>(image.data(), static_cast<std::size_t>(length)));
    return true;
}

void writeRecordsFile(const records::RecordsContents& contents) {
    const std::string path = recordsFilePath();
    if (path.empty()) return;
    if (records::overwriteFileStart(path, records::formatRecords(contents), ::write)) platform::fileSaved(path);
}
