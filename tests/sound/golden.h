// Recorded hashes of rendered sound, kept as data beside the tests ("HASH  case" lines), as the trails
// keep theirs. A hash is recorded only from a build whose output the exact per-sample tests of the
// time had checked; after a deliberate change of what the engine plays, listen first, then
//   SPIREHOLD_RECORD_SOUND=1 build/test_sound   (and build/test_music)
// rewrites the files with the hashes seen.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>

struct Fnv {
    std::uint64_t value = 0xcbf29ce484222325ULL;
    void add(const void* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) value = (value ^ static_cast<const unsigned char*>(data)[i]) * 0x100000001b3ULL;
    }
};

class GoldenFile {
public:
    explicit GoldenFile(const std::string& name) : path_(std::string(SPIREHOLD_SOURCE_DIR) + "/tests/" + name) {
        std::ifstream in(path_);
        for (std::string line; std::getline(in, line);)
            if (line.size() > 18) recorded_[line.substr(18)] = line.substr(0, 16);
    }
    ~GoldenFile() {
        if (recording_) std::ofstream(path_) << seen_;
    }
    void expect(const std::string& key, const Fnv& hash) {
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash.value));
        seen_ += std::string(hex) + "  " + key + "\n";
        if (recording_) return;
        EXPECT_EQ(hex, recorded_[key]) << key << " sounds different from the recording";
    }

private:
    std::string path_, seen_;
    bool recording_ = std::getenv("SPIREHOLD_RECORD_SOUND") != nullptr;
    std::map<std::string, std::string> recorded_;
};
