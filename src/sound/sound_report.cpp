// Placeholder until this concern is written; replaced by its implementation.
#include "sound/sound_report.h"
std::string soundEngineReportJson() { return "{}"; }
