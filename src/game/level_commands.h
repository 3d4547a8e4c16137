// The operations that several commands share: starting a level, moving on, opening the tutorial and
// closing the program.
#pragma once

// setupLevel and generatePuzzle for the current level, with the clock at 0 and no answer shown.
void startLevel();
// The common ending of the two level-end screens: on to the next level.
void advanceLevel();
// Opens the tutorial at its first page, clearing the pages' progress.
void enterTutorial();
// Asks the window to close (deactivation, then close).
void closeApplication();
