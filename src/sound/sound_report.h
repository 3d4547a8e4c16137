// A description of the sound engine as it stands, for the simulator's "sound" report.
#pragma once

#include <string>

#include "sound/sound_engine.h"

// The engine's state as one JSON object (see the simulator's protocol).
std::string soundEngineReportJson(const SoundEngine& engine = soundEngine);
