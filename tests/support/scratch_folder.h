// A test's own scratch folder: made fresh under the temporary folder ($TMPDIR, else /tmp) with a name no
// other run shares, and removed with everything in it when the test is done with it, passed or failed,
// so that the suite leaves the temporary folder as it found it.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

class ScratchFolder {
public:
    explicit ScratchFolder(const std::filesystem::path& parent = std::filesystem::temp_directory_path()) {
        std::string pattern = (parent / "spirehold-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    // Tests take the owner's rights away from the folder itself; they are given back to remove it.
    ~ScratchFolder() {
        std::error_code ignored;
        if (path_.empty()) return;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }

    // Empty when no folder could be made.
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};
