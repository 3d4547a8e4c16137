// A description of the sound engine as it stands, for the simulator's "sound" report.
#pragma once

#include <string>

// The engine's state as one JSON object (see the simulator's protocol).
std::string soundEngineReportJson();
