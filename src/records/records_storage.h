// File operations under the records file and the saved game: whole reads, create-only writes and saves
// that replace the file in one step, so that an interrupted save leaves either the old file or the new
// one.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace records {

// How bytes reach a file descriptor; tests pass one that fails part-way.
using WriteFunction = ssize_t (*)(int fd, const void* data, std::size_t size);

// True when the file can be opened for reading.
bool fileReadable(const std::string& path);

// Reads up to buffer.size() bytes from the start of the file into buffer; returns how many were read,
// or -1 when the file cannot be opened or read.
long readFileStart(const std::string& path, std::span<std::uint8_t> buffer);

// Creates the file holding `bytes`; fails (false) when it already exists or cannot be made.
bool createFileWith(const std::string& path, std::span<const std::uint8_t> bytes, WriteFunction write);

// Overwrites the start of an existing, writable file with `bytes`, keeping whatever the file holds
// beyond them. The new contents go to a temporary file in the same folder, reach the disk, and then
// take the old file's name; a link is followed, and the file it leads to is the one replaced. Never
// creates the file: false (and nothing changed) when it is missing or when any step fails.
bool overwriteFileStart(const std::string& path, std::span<const std::uint8_t> bytes, WriteFunction write);

// Makes the file hold exactly `bytes`, creating it when missing: the bytes go to a temporary file in the
// same folder, which then takes the file's name (a link is followed, as above). Nothing is synced to
// the disk. False when any step fails; the old file, if any, is then left as it was.
bool replaceFileWith(const std::string& path, std::span<const std::uint8_t> bytes, WriteFunction write);

// The temporary file that overwriteFileStart and replaceFileWith write beside `path`.
std::string replacementPath(const std::string& path);

}  // namespace records
