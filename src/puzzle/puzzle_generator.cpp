// Placeholder until this concern is written; replaced by its implementation.
#include "puzzle/puzzle_generator.h"
void generatePuzzle(int, int) {}
