// Stylus input: marks at stylus-down, commands at stylus-up, and the shared level operations.
#pragma once

#include <cstdint>

// A screen rectangle, inclusive on all four sides.
struct HitRect {
    std::int32_t left, top, right, bottom;
};

constexpr bool pointInRect(int x, int y, const HitRect& rect) {
    return rect.left <= x && x <= rect.right && rect.top <= y && y <= rect.bottom;
}

void stylusDown(int x, int y);
void stylusUp(int x, int y);

// setupLevel and generatePuzzle for the current level.
void startLevel();
// The common ending of the two level-end screens: on to the next level.
void advanceLevel();
// Opens the tutorial at its first page, clearing the pages' progress.
void enterTutorial();
// Asks the window to close (deactivation, then close).
void closeApplication();
