// The records file's operations: create the default file, load it at start-up, save it after changes.
// Failures are silent: the game plays on without a saved record.
#include "records/records_file.h"

#include <unistd.h>

#include "game/game_state.h"
#include "platform/platform.h"
#include "records/records_layout.h"
#include "records/records_location.h"
#include "records/records_storage.h"

std::string recordsFilePath() { return records::chooseRecordsPath(platform::programPath(), platform::userDataFolder); }

void ensureRecordsFile() {
    const std::string path = recordsFilePath();
    if (path.empty()) return;
    if (!records::fileReadable(path)) createDefaultRecords();
}

void createDefaultRecords() {
    const std::string path = recordsFilePath();
    if (path.empty()) return;
    if (records::createFileWith(path, records::defaultRecordsImage(), ::write)) platform::fileSaved(path);
}

void loadRecords() {
    const std::string path = recordsFilePath();
    if (path.empty()) return;
    records::RecordsImage image{};
    const long length = records::readFileStart(path, image);
    if (length < 0) return;
    const auto contents = records::parseRecords(std::span<const std::uint8_t>(image.data(), static_cast<std::size_t>(length)));
    records::applyRecords(contents, gameState);
}

void saveRecords() {
    const std::string path = recordsFilePath();
    if (path.empty()) return;
    if (records::overwriteFileStart(path, records::formatRecords(gameState), ::write)) platform::fileSaved(path);
}

std::int32_t playableLevel(std::int32_t maxLevel) { return maxLevel >= 1 && maxLevel <= LEVEL_COUNT ? maxLevel : 1; }
