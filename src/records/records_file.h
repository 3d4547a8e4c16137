// The records file "game.dat": sound setting, tutorial flag, furthest level, and the best time and
// name of every level, 900 bytes of fixed-position text.
#pragma once

#include <string>

#include "records/records_layout.h"

// Where the records file lives for the running program ("" when there is no place for it): beside the
// program, or in the user's data folder when the program's folder is not writable.
std::string recordsFilePath();

// Creates the records file unless one can already be opened: from the file beside a read-only program
// when there is one, else the default file. Says so once on standard error when no place for the file
// can be written.
void ensureRecordsFile();
// Creates the default file; does nothing when the file exists or cannot be made.
void createDefaultRecords();
// Reads the file's contents; false (contents untouched) when it cannot be read. Fields a short file does
// not hold take the default file's values.
bool readRecordsFile(records::RecordsContents& contents);
// Writes the contents, keeping any bytes beyond the 900; never creates the file. The old file is
// replaced whole or not at all.
void writeRecordsFile(const records::RecordsContents& contents);
