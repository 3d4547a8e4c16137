// Where a failing check leaves what it got, for a developer to look at: BUILD/test-failures/NAME, under
// the build folder the tests were built in. The folder is emptied when the check starts, so that it holds
// only the last run's findings, and made only when a file is written, so a passing check leaves none.
#pragma once

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <system_error>

class FailureFolder {
public:
    explicit FailureFolder(const std::string& name)
        : path_(std::filesystem::path(SPIREHOLD_BINARY_DIR) / "test-failures" / name) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    // The path of NAME inside the folder (which may name a subfolder), made ready to be written.
    std::string file(const std::string& name) const {
        const std::filesystem::path path = path_ / name;
        std::error_code ignored;
        std::filesystem::create_directories(path.parent_path(), ignored);
        return path.string();
    }

    // The path of NAME inside the folder, for a writer that makes the folders it needs.
    std::string pathOf(const std::string& name) const { return (path_ / name).string(); }

    // `text` with everything but letters and digits turned into '-': a file name for a case's title.
    static std::string fileNameOf(std::string text) {
        std::replace_if(text.begin(), text.end(), [](unsigned char c) { return std::isalnum(c) == 0; }, '-');
        return text;
    }

private:
    std::filesystem::path path_;
};
