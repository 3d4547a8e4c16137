// Placeholder until this concern is written; replaced by its implementation.
#include "shell/shell.h"
bool startApplication() { return false; }
int runApplication() { return 0; }
std::intptr_t windowProcedure(platform::Message, std::uint32_t, std::uint32_t) { return 0; }
void keyDown(std::uint32_t) {}
