// The simulator's "state" answer: the game state, the running timers and the last message box as JSON.
#pragma once

#include <string>

namespace sim {

// Every GameState field under its own name: arrays whole, texts as strings up to their terminator,
// images as loaded or not, displayProperties as an object.
std::string gameStateJson();

// [{"id":…,"ms":…,"callback":…}, …] in id order.
std::string timersJson();

// null, or {"text":…,"caption":…} of the last message box shown.
std::string messageBoxJson();

}  // namespace sim
