// Placeholder until this concern is written; replaced by its implementation.
#include "records/records_file.h"
std::string recordsFilePath() { return {}; }
void ensureRecordsFile() {}
void createDefaultRecords() {}
void loadRecords() {}
void saveRecords() {}
