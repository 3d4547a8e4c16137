// Fuzzes the saved game's reader: any bytes are read without harm, and a game it reads is written and
// read back to the very same text and lights.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "puzzle/level_table.h"
#include "records/saved_game_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto game = records::parseSavedGame(std::span<const std::uint8_t>(data, size), LEVEL_COUNT);
    if (!game) return 0;
    const std::string text = records::formatSavedGame(*game);
    const auto again = records::parseSavedGame(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), LEVEL_COUNT);
    if (!again || records::formatSavedGame(*again) != text || again->board.viewpointLit != game->board.viewpointLit) {
        std::abort();
    }
    return 0;
}
