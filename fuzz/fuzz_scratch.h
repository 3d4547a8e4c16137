// The harnesses' scratch folder: in memory where the system has /dev/shm, so the records file's syncs
// cost nothing and the fuzzer runs at full speed; removed when the process ends.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace fuzz {

class ScratchFolder {
public:
    ScratchFolder() {
        const std::filesystem::path memory("/dev/shm");
        std::error_code error;
        const std::filesystem::path parent =
            std::filesystem::is_directory(memory, error) ? memory : std::filesystem::temp_directory_path();
        std::string pattern = (parent / "spirehold-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline const std::string& scratchFolder() {
    static const ScratchFolder folder;
    return folder.path();
}

}  // namespace fuzz
