// The board's parts in words.
#include "game/board_words.h"

#include <cstdio>

#include "puzzle/board_lines.h"

namespace {

// By kind: its height as its badge shows it (the park is no height), and what a cell holding it is.
constexpr std::array<const char*, NO_TOWER + 1> KIND_BADGES{"empty", "1", "2", "3", "4", "park", "5"};
constexpr std::array<const char*, NO_TOWER + 1> CELL_CONTENTS{"empty",  "tower 1", "tower 2", "tower 3",
                                                              "tower 4", "park",    "tower 5"};
constexpr std::array<const char*, 4> SIDE_NAMES{"top", "right", "bottom", "left"};

bool knownKind(std::int32_t kind) { return kind >= 0 && kind <= NO_TOWER; }

}  // namespace

const char* kindBadge(std::int32_t kind) {
    return knownKind(kind) ? KIND_BADGES[static_cast<std::size_t>(kind)] : "unknown";
}

int viewpointOn(const ScreenFacts& facts, BoardSide side, int line) {
    const int columns = facts.columnCount, rows = facts.rowCount;
    switch (side) {
        case BoardSide::Top: return topViewpoint(line);
        case BoardSide::Right: return rightViewpoint(columns, line);
        case BoardSide::Bottom: return bottomViewpoint(columns, rows, line);
        case BoardSide::Left: return leftViewpoint(columns, rows, line);
    }
    return 0;
}

void nameCell(PartName& name, const ScreenFacts& facts, int column, int row) {
    const std::int32_t kind = facts.playerGrid[static_cast<std::size_t>(cellIndex(column, row))];
    std::snprintf(name.data(), name.size(), "Row %d, column %d, %s", row + 1, column + 1,
                  knownKind(kind) ? CELL_CONTENTS[static_cast<std::size_t>(kind)] : "unknown");
}

void nameViewpoint(PartName& name, const ScreenFacts& facts, BoardSide side, int line) {
    const auto viewpoint = static_cast<std::size_t>(viewpointOn(facts, side, line));
    std::snprintf(name.data(), name.size(), "%s %d%s", SIDE_NAMES[static_cast<std::size_t>(side)],
                  static_cast<int>(facts.viewpointClues[viewpoint]), facts.viewpointLit[viewpoint] != 0 ? ", lit" : "");
}
