// The board's parts in words.
#include "game/board_words.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "puzzle/board_lines.h"

namespace {

// By kind: its height as its badge shows it (the park is no height), and what a cell holding it is.
constexpr std::array<const char*, NO_TOWER + 1> KIND_BADGES{"empty", "1", "2", "3", "4", "park", "5"};
constexpr std::array<const char*, NO_TOWER + 1> CELL_CONTENTS{"empty",  "tower 1", "tower 2", "tower 3",
                                                              "tower 4", "park",    "tower 5"};
constexpr std::array<const char*, 4> SIDE_NAMES{"top", "right", "bottom", "left"};

bool knownKind(std::int32_t kind) { return kind >= 0 && kind <= NO_TOWER; }

// Writes a name into its buffer piece by piece, cut short where it would not fit; by hand rather than
// by printf, as a board's sixty names are made whenever one of them changes.
class NameWriter {
public:
    explicit NameWriter(PartName& name) : name_(name) { name_[0] = '\0'; }

    NameWriter& operator<<(std::string_view text) {
        const std::size_t count = std::min(text.size(), name_.size() - 1 - length_);
        std::copy_n(text.data(), count, name_.data() + length_);
        length_ += count;
        name_[length_] = '\0';
        return *this;
    }
    // A number that does not fit is left out.
    NameWriter& operator<<(int number) {
        char* const end = name_.data() + name_.size() - 1;
        const auto written = std::to_chars(name_.data() + length_, end, number);
        if (written.ec == std::errc()) length_ = static_cast<std::size_t>(written.ptr - name_.data());
        name_[length_] = '\0';
        return *this;
    }

private:
    PartName& name_;
    std::size_t length_ = 0;
};

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
    NameWriter(name) << "Row " << row + 1 << ", column " << column + 1 << ", "
                     << (knownKind(kind) ? CELL_CONTENTS[static_cast<std::size_t>(kind)] : "unknown");
}

void nameViewpoint(PartName& name, const ScreenFacts& facts, BoardSide side, int line) {
    const auto viewpoint = static_cast<std::size_t>(viewpointOn(facts, side, line));
    NameWriter(name) << SIDE_NAMES[static_cast<std::size_t>(side)] << " " << static_cast<int>(facts.viewpointClues[viewpoint])
                     << (facts.viewpointLit[viewpoint] != 0 ? ", lit" : "");
}
