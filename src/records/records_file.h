// The records file "game.dat": sound setting, tutorial flag, furthest level, and the best time and
// name of every level, 900 bytes of fixed-position text.
#pragma once

#include <string>

// Where the records file lives for the running program ("" when there is no place for it).
std::string recordsFilePath();

// Creates the default file unless a records file can already be opened.
void ensureRecordsFile();
void createDefaultRecords();
// Fills soundOn, tutorialSeen, maxLevel, recordNames and recordTimes from the file.
void loadRecords();
// Writes those fields back; never creates the file.
void saveRecords();
