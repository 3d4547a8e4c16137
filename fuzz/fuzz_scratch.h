// The harnesses' scratch folder: in memory where the system has /dev/shm, so the records file's syncs
// cost nothing and the fuzzer runs at full speed; removed when the process ends.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

#include "support/scratch_folder.h"

namespace fuzz {

inline std::filesystem::path scratchParent() {
    const std::filesystem::path memory("/dev/shm");
    std::error_code error;
    return std::filesystem::is_directory(memory, error) ? memory : std::filesystem::temp_directory_path();
}

inline const std::string& scratchFolder() {
    static const ScratchFolder folder(scratchParent());
    return folder.path();
}

}  // namespace fuzz
