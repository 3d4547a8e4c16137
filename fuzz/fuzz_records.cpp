// Fuzzes the records file: any bytes as game.dat are loaded, saved and loaded again, and the second
// load must read back exactly what was saved.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

#include "fuzz_scratch.h"
#include "game/game_records.h"
#include "game/game_state.h"
#include "platform/headless/headless.h"
#include "records/records_file.h"

namespace {

// Everything the records file keeps, as the game holds it.
auto savedFields() {
    return std::tuple(gameState.soundOn, gameState.tutorialSeen, gameState.maxLevel, gameState.recordNames,
                      gameState.recordTimes);
}

void putFuzzedRecordsFile(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(recordsFilePath().c_str(), "wb");
    if (file == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    headless::configure(1, headless::STANDARD_DISPLAY, fuzz::scratchFolder(), false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    putFuzzedRecordsFile(data, size);
    resetGameState();
    loadRecords();
    saveRecords();
    const auto saved = savedFields();

    resetGameState();
    loadRecords();
    if (savedFields() != saved) std::abort();
    return 0;
}
