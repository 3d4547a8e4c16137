// Placeholder until this concern is written; replaced by its implementation.
#include "puzzle/board.h"
int countVisible(std::span<const std::int32_t>) { return 0; }
std::uint32_t evaluateMove(int, int) { return 0; }
std::uint32_t hitTestBoard(int, int, std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t&) { return 0; }
