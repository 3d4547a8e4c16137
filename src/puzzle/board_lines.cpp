// Reading a board's rows and columns in viewing order for the visible count.
#include "puzzle/board_lines.h"

#include <array>

namespace {

// Gathers `length` cells starting at `first` and stepping by `step`, then counts them.
int countAlong(const Grid& grid, int first, int step, int length) {
    std::array<std::int32_t, GRID_SIDE> line{};
    for (int i = 0; i < length; ++i) line[i] = grid[first + i * step];
    return countVisible(std::span<const std::int32_t>(line.data(), static_cast<std::size_t>(length)));
}

}  // namespace

int countVisible(std::span<const std::int32_t> line) {
    std::int32_t tallest = 0;
    int count = 0;
    for (std::int32_t kind : line) {
        if (kind > tallest && kind != PARK) {
            ++count;
            tallest = kind;
        }
    }
    return count;
}

int countFromTop(const Grid& grid, int rows, int column) {
    return countAlong(grid, cellIndex(column, 0), 1, rows);
}

int countFromBottom(const Grid& grid, int rows, int column) {
    return countAlong(grid, cellIndex(column, rows - 1), -1, rows);
}

int countFromLeft(const Grid& grid, int columns, int row) {
    return countAlong(grid, cellIndex(0, row), GRID_SIDE, columns);
}

int countFromRight(const Grid& grid, int columns, int row) {
    return countAlong(grid, cellIndex(columns - 1, row), -GRID_SIDE, columns);
}
