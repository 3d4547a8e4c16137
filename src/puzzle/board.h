// The Board: everything that describes the puzzle in play, from its size and place on the screen to the
// player's towers, the hidden arrangement, the viewpoints and the last stylus hit. The level table, the
// generator, the rules and the drawing each take the Board they work on.
#pragma once

#include <array>
#include <cstdint>

inline constexpr int GRID_SIDE = 6;  // grids are GRID_SIDE x GRID_SIDE, column-major
inline constexpr int GRID_CELLS = GRID_SIDE * GRID_SIDE;
inline constexpr int VIEWPOINT_SLOTS = 25;  // used from index 1
inline constexpr int NO_TOWER = 6;          // selectedTower when no tower is chosen
inline constexpr int PARK = 5;              // the tower kind nobody sees

using Grid = std::array<std::int32_t, GRID_CELLS>;
using Viewpoints = std::array<std::int32_t, VIEWPOINT_SLOTS>;

struct Board {
    std::int32_t columnCount = 0, rowCount = 0, towerKindCount = 0;
    // The board's place, in 29-pixel screen cells.
    std::int32_t boardColumnOffset = 0, boardRowOffset = 0;
    // The chosen tower's panel index (kind - 1), or NO_TOWER.
    std::int32_t selectedTower = 0;
    Grid playerGrid{};
    Grid solutionGrid{};
    Viewpoints viewpointClues{};
    Viewpoints viewpointLit{};
    // The outer grid lines, as last drawn.
    std::int32_t boardLeft = 0, boardTop = 0, boardRight = 0, boardBottom = 0;
    // The last hit test's screen cell: its first pixel inside the grid lines and its 1-based column and row.
    std::int32_t hitCellLeft = 0, hitCellTop = 0, hitColumn = 0, hitRow = 0;
};

// True for a board size the grids can hold (1..6 each way).
constexpr bool boardSizeValid(int columns, int rows) {
    return columns >= 1 && columns <= GRID_SIDE && rows >= 1 && rows <= GRID_SIDE;
}

// Cell (column, row) of a grid; grids are stored column by column.
constexpr int cellIndex(int column, int row) { return column * GRID_SIDE + row; }
