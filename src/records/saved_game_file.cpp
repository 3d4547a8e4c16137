// The saved game's file operations, on the records' own storage rules.
#include "records/saved_game_file.h"

#include <unistd.h>

#include <span>

#include "platform/platform.h"
#include "records/records_file.h"
#include "records/records_location.h"
#include "records/records_storage.h"
#include "records/saved_game_format.h"

namespace {

constexpr std::string_view SAVED_GAME_FILE_NAME = "game.sav";

}  // namespace

std::string savedGameFilePath() { return records::pathBesideRecords(recordsFilePath(), SAVED_GAME_FILE_NAME); }

std::vector<std::uint8_t> readSavedGameFile(const std::string& path) {
    if (path.empty()) return {};
    std::vector<std::uint8_t> bytes(records::SAVED_GAME_SIZE_LIMIT + 1);
    const long length = records::readFileStart(path, bytes);
    bytes.resize(length < 0 ? 0 : static_cast<std::size_t>(length));
    return bytes;
}

bool writeSavedGameFile(const std::string& path, std::string_view text) {
    if (path.empty()) return false;
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    if (!records::replaceFileWith(path, bytes, ::write)) return false;
    platform::fileSaved(path);
    return true;
}
