// Recorded play sessions replayed through the simulator: after every line of a trail, three hashes must
// equal the recorded ones: the picture (every frame presented), the sound (every sample played) and the
// state (the commands' answers and the simulator's whole `state` answer). One trail line thus pins whole
// screens, sounds and rules at once, and a line that differs says which of the three it is and leaves
// what it got in BUILD/test-failures/trails/TRAIL/line-N/: the last frame presented (frame.png), the
// sound the line played in the output's format (sound.wav) and the answers with the state (state.json).
//
// The recorded hashes were taken from a build whose frames and sound the independent models of the
// other suites and an outside frame-by-frame review had found exact; they are never blessed blindly.
// After a deliberate change of what the game shows or plays, re-record and look at the frames first:
//   SPIREHOLD_RECORD_TRAILS=1 build/test_trails
//
// Trail files (tests/trails/*.trail): simulator commands, each behind its recorded hashes
// ("PICTURE SOUND STATE  command"); `@seed N`, `@display W,H,XPITCH,YPITCH,BPP`, `@running yes` (another
// copy runs) and `@records FILE` (a records file put beside the program before it starts) may head a
// trail, and the command `@solve` places the shown puzzle's answer tower by tower, as a player who knows
// it would.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "sim/output_files.h"
#include "sim/simulator.h"
#include "sound/golden.h"
#include "support/answer_taps.h"
#include "support/failure_folder.h"
#include "support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

const fs::path TRAIL_DIR = fs::path(SPIREHOLD_SOURCE_DIR) / "tests" / "trails";
constexpr std::size_t MISMATCHES_SHOWN = 3;

// What a trail line pins, each part under its own hash, in the order the line holds them:
// "PICTURE SOUND STATE  command".
enum Part { PICTURE, SOUND, STATE, PART_COUNT };
constexpr const char* PART_NAMES[PART_COUNT] = {"picture", "sound", "state"};
constexpr std::size_t HASH_DIGITS = 16;
const std::regex RECORDED_LINE("((?:[0-9a-f]{16} ){2}[0-9a-f]{16})  (.*)");

std::string hexOf(const Fnv& hash) {
    char text[HASH_DIGITS + 1];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash.value));
    return text;
}

// One part's hash out of "PICTURE SOUND STATE" ("" out of "").
std::string hashOf(const std::string& hashes, int part) {
    return hashes.empty() ? "" : hashes.substr(part * (HASH_DIGITS + 1), HASH_DIGITS);
}

struct TrailLine {
    std::string recorded;  // "PICTURE SOUND STATE"; empty for a comment, a heading or a line not yet recorded
    std::string command;
};

std::vector<TrailLine> readTrail(const fs::path& path) {
    std::vector<TrailLine> lines;
    std::ifstream file(path);
    std::smatch match;
    for (std::string text; std::getline(file, text);) {
        if (std::regex_match(text, match, RECORDED_LINE)) lines.push_back({match[1], match[2]});
        else lines.push_back({"", text});
    }
    return lines;
}

std::string heading(const std::vector<TrailLine>& lines, const std::string& key) {
    for (const TrailLine& line : lines)
        if (line.command.starts_with(key + " ")) return line.command.substr(key.size() + 1);
    return "";
}

bool isCommand(const std::string& command) {
    return !command.empty() && command.front() != '#' && command.front() != '@';
}

// What one trail line got: the hash of each part, and what the parts hold, to be written out when the
// line differs from its recording.
struct LinePlayed {
    std::array<Fnv, PART_COUNT> hashes;
    std::vector<std::uint8_t> sound;
    std::vector<std::string> answers;  // the commands' own, then the `state` answer

    std::string hex() const { return hexOf(hashes[PICTURE]) + " " + hexOf(hashes[SOUND]) + " " + hexOf(hashes[STATE]); }
};

class TrailPlayer {
public:
    explicit TrailPlayer(const sim::SimulatorOptions& options) : simulator_(options), display_(options.display) {
        headless::setPresentHook([this] {
            const headless::DisplayMemory memory = headless::displayMemory();
            line_.hashes[PICTURE].add(memory.words.data(), memory.words.size_bytes());
        });
    }
    ~TrailPlayer() { headless::setPresentHook(nullptr); }

    const LinePlayed& play(const std::string& command) {
        line_ = {};
        if (command == "@solve") placeTheAnswer([this](int x, int y) { send("tap " + std::to_string(x) + " " + std::to_string(y)); });
        else send(command);
        addAnswer(simulator_.handle("state"));
        return line_;
    }

    // The display as it stands, so after the last frame the line presented, upright whatever its layout.
    std::vector<std::uint16_t> picture() const {
        std::vector<std::uint16_t> pixels;
        for (int y = 0; y < display_.height; ++y)
            for (int x = 0; x < display_.width; ++x) pixels.push_back(headless::displayPixel(x, y));
        return pixels;
    }
    const platform::DisplayProperties& display() const { return display_; }

private:
    void addAnswer(const std::string& answer) {
        line_.hashes[STATE].add(answer.data(), answer.size());
        line_.answers.push_back(answer);
    }

    void send(const std::string& command) {
        addAnswer(simulator_.handle(command));
        const std::vector<std::uint8_t>& played = headless::audioPlayed();
        line_.hashes[SOUND].add(played.data(), played.size());
        line_.sound.insert(line_.sound.end(), played.begin(), played.end());
    }

    sim::Simulator simulator_;
    platform::DisplayProperties display_;
    LinePlayed line_;
};

// Writes what the line got into `folder` and says where, or what could not be written.
std::string leaveWhatItGot(const FailureFolder& failures, const std::string& folder, const TrailPlayer& player,
                           const LinePlayed& line) {
    std::string error;
    const platform::DisplayProperties& display = player.display();
    const headless::AudioFormat output = headless::audioFormat();  // rate 0 while the output was never opened
    const sim::PcmFormat format = output.rate != 0 ? sim::PcmFormat{output.channels, output.rate, output.bits} : sim::PcmFormat{};
    std::ofstream json(failures.file(folder + "/state.json"));
    json << "{\"answers\":[";
    for (std::size_t i = 0; i + 1 < line.answers.size(); ++i) json << (i > 0 ? "," : "") << line.answers[i];
    json << "],\"state\":" << line.answers.back() << "}\n";
    const bool written = sim::writeFrameFile(failures.file(folder + "/frame.png"), player.picture(), display.width, display.height, error) &&
                         sim::writeWavFile(failures.file(folder + "/sound.wav"), line.sound, format, error);
    return written ? "what it got is in " + failures.file(folder) + "/ (frame.png, sound.wav, state.json)" : error;
}

std::string differingParts(const std::string& recorded, const std::string& got) {
    std::string parts;
    for (int part = 0; part < PART_COUNT; ++part)
        if (hashOf(recorded, part) != hashOf(got, part)) parts += (parts.empty() ? "" : ", ") + std::string(PART_NAMES[part]);
    return parts;
}

class Trail : public ::testing::TestWithParam<std::string> {};

TEST_P(Trail, ReplaysFrameForFrameAndSampleForSample) {
    const fs::path path = TRAIL_DIR / (GetParam() + ".trail");
    std::vector<TrailLine> lines = readTrail(path);
    ASSERT_FALSE(lines.empty()) << path;
    const ScratchFolder programDir;
    if (const std::string records = heading(lines, "@records"); !records.empty())
        fs::copy_file(TRAIL_DIR / records, programDir.file("game.dat"));
    sim::SimulatorOptions options{.dir = programDir.path()};
    if (const std::string seed = heading(lines, "@seed"); !seed.empty()) options.seed = std::stoul(seed);
    options.runningCopy = heading(lines, "@running") == "yes";
    std::string error;
    if (const std::string display = heading(lines, "@display"); !display.empty()) {
        ASSERT_TRUE(sim::parseDisplayOption(display, options.display, error)) << error;
    }

    const bool recording = std::getenv("SPIREHOLD_RECORD_TRAILS") != nullptr;
    const FailureFolder failures("trails/" + GetParam());
    TrailPlayer player(options);
    std::size_t mismatches = 0;
    for (std::size_t number = 0; number < lines.size(); ++number) {
        TrailLine& line = lines[number];
        if (!isCommand(line.command) && line.command != "@solve") continue;
        const LinePlayed& played = player.play(line.command);
        const std::string got = played.hex();
        if (got != line.recorded && !recording && mismatches++ < MISMATCHES_SHOWN) {
            const std::string folder = "line-" + std::to_string(number + 1);
            ADD_FAILURE() << path.filename().string() << ":" << number + 1 << " `" << line.command << "` "
                          << (line.recorded.empty() ? "has no recording" : "differs from the recording in " + differingParts(line.recorded, got))
                          << "; " << leaveWhatItGot(failures, folder, player, played)
                          << " (the first " << MISMATCHES_SHOWN << " differing lines are shown)";
        }
        line.recorded = got;
    }
    if (!recording) return;
    std::ofstream out(path);
    for (const TrailLine& line : lines) out << (line.recorded.empty() ? "" : line.recorded + "  ") << line.command << "\n";
}

std::vector<std::string> trailNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(TRAIL_DIR))
        if (entry.path().extension() == ".trail") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Recorded, Trail, ::testing::ValuesIn(trailNames()),
                         [](const auto& trail) { return trail.param; });

}  // namespace
