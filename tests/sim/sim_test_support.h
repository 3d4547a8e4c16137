// Helpers for driving the simulator in-process: a minimal JSON reader for its answers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace sim_test {

// The raw JSON text of a top-level field of a one-line answer, or "" when absent. Handles nested
// objects, arrays and strings.
inline std::string field(const std::string& json, const std::string& key) {
    const std::string quoted = "\"" + key + "\":";
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\') ++i;
            else if (c == '"') inString = false;
            continue;
        }
        if (depth == 1 && json.compare(i, quoted.size(), quoted) == 0) {
            std::size_t end = i + quoted.size();
            int inner = 0;
            bool innerString = false;
            for (; end < json.size(); ++end) {
                const char d = json[end];
                if (innerString) {
                    if (d == '\\') ++end;
                    else if (d == '"') innerString = false;
                    continue;
                }
                if (d == '"') innerString = true;
                else if (d == '{' || d == '[') ++inner;
                else if (d == '}' || d == ']') {
                    if (inner == 0) break;
                    --inner;
                } else if (d == ',' && inner == 0) break;
            }
            return json.substr(i + quoted.size(), end - i - quoted.size());
        }
        if (c == '"') inString = true;
        else if (c == '{' || c == '[') ++depth;
        else if (c == '}' || c == ']') --depth;
    }
    return {};
}

inline std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::string scratchPath(const std::string& name) {
    return (std::filesystem::path(::testing::TempDir()) / ("spirehold-sim-test-" + name)).string();
}

}  // namespace sim_test
