// Recorded hashes of rendered sound, kept as data beside the tests ("HASH  case" lines), as the trails
// keep theirs. A hash is recorded only from a build whose output the exact per-sample tests of the
// time had checked; after a deliberate change of what the engine plays, listen first, then
//   SPIREHOLD_RECORD_SOUND=1 build/test_sound   (and build/test_music)
// rewrites the files with the hashes seen. A case that sounds different leaves what it played as a WAV
// in BUILD/test-failures/<golden file's name>/, named in the failure.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <vector>

#include "sim/output_files.h"
#include "support/failure_folder.h"

struct Fnv {
    std::uint64_t value = 0xcbf29ce484222325ULL;
    void add(const void* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) value = (value ^ static_cast<const unsigned char*>(data)[i]) * 0x100000001b3ULL;
    }
};

// Sound as an output played it: interleaved little-endian samples in `format`.
struct PlayedSound {
    std::vector<std::uint8_t> samples;
    sim::PcmFormat format;
};

class GoldenFile {
public:
    // `name` is the file's path under tests/, e.g. "sound/formats.golden".
    explicit GoldenFile(const std::string& name)
        : path_(std::string(SPIREHOLD_SOURCE_DIR) + "/tests/" + name), failures_(name.substr(0, name.rfind('.'))) {
        std::ifstream in(path_);
        for (std::string line; std::getline(in, line);)
            if (line.size() > 18) recorded_[line.substr(18)] = line.substr(0, 16);
    }
    ~GoldenFile() {
        if (recording_) std::ofstream(path_) << seen_;
    }

    // The case's hash is the hash of what it played.
    void expect(const std::string& key, const PlayedSound& played) {
        Fnv hash;
        hash.add(played.samples.data(), played.samples.size());
        expect(key, hash, played);
    }
    // For a case whose hash holds more than the sound (`played` is what is written on a mismatch).
    void expect(const std::string& key, const Fnv& hash, const PlayedSound& played) {
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash.value));
        seen_ += std::string(hex) + "  " + key + "\n";
        if (recording_ || hex == recorded_[key]) return;
        const std::string wav = failures_.file(FailureFolder::fileNameOf(key) + ".wav");
        std::string error;
        const bool written = sim::writeWavFile(wav, played.samples, played.format, error);
        ADD_FAILURE() << key << " sounds different from the recording (" << hex << ", recorded "
                      << (recorded_[key].empty() ? "nothing" : recorded_[key]) << "); "
                      << (written ? "what it played is in " + wav : error);
    }

private:
    std::string path_, seen_;
    bool recording_ = std::getenv("SPIREHOLD_RECORD_SOUND") != nullptr;
    std::map<std::string, std::string> recorded_;
    FailureFolder failures_;
};
