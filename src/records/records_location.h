// Where the records file lives: beside the program, as on the device, or in the user's data folder
// when the program's folder cannot be written (an installed game).
#pragma once

#include <string>
#include <string_view>

namespace records {

// The device's rule as a pure function of the program's full path: cut after the last separator ("/",
// or "\" in a path without "/") and append "game.dat"; a backslash path that begins with
// "\Program Disk\" moves to the same folder under "\Nand Disk\Program Files\". Empty when the path
// holds no separator.
std::string recordsPathBesideProgram(std::string_view programPath);

// The records file of the program at `programPath`: beside it when its folder is writable, otherwise
// "game.dat" in the folder that `userDataFolder` names (created when missing; called only then). When
// that folder can be neither written nor read from, a readable file beside the program is read as it
// stands. Empty when there is no place at all.
std::string chooseRecordsPath(std::string_view programPath, std::string (*userDataFolder)());

// The file called `fileName` in the records file's folder; empty when `recordsPath` is.
std::string pathBesideRecords(const std::string& recordsPath, std::string_view fileName);

// True when a records file at `recordsPath` (from chooseRecordsPath) can be saved: its folder is writable.
bool recordsPlaceWritable(const std::string& recordsPath);

}  // namespace records
