// spirehold-sim's line protocol as a library: the game on the headless device, driven one command
// line at a time, so that the program, tests and fuzzers all drive it the same way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless/headless.h"

namespace sim {

struct SimulatorOptions {
    std::string dir;  // the program's folder; must exist
    std::uint32_t seed = 1;
    platform::DisplayProperties display = headless::STANDARD_DISPLAY;
    bool runningCopy = false;
};

// Reads the command line (--dir DIR, --seed N, --display W,H,XPITCH,YPITCH,BPP, --running). Returns
// false with `error` set on anything it does not understand.
bool parseSimulatorOptions(const std::vector<std::string>& arguments, SimulatorOptions& options, std::string& error);

// Reads "W,H,XPITCH,YPITCH,BPP"; the format flags follow from the bits per pixel.
bool parseDisplayOption(std::string_view text, platform::DisplayProperties& display, std::string& error);

// The game, started on the headless device up to its message loop (clock at 0, no tick yet). There is
// one device and one game state per process, so only one Simulator may exist at a time.
class Simulator {
public:
    explicit Simulator(const SimulatorOptions& options);
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Carries out one protocol line and returns its one-line JSON answer (without the newline), or an
    // empty string for a blank line or a comment.
    std::string handle(std::string_view line);

    // "quit" was handled: the caller should end.
    bool quitRequested() const { return quitRequested_; }

private:
    struct Answer;

    void snapshotFrame();
    bool running() const;
    std::string finishAnswer(const Answer& answer) const;
    void carryOut(const std::vector<std::string>& words, Answer& answer);
    void wait(std::uint64_t ms, Answer& answer);
    void writeFrame(const std::string& path, Answer& answer);
    void writeDisplay(const std::string& path, Answer& answer);
    void writeResource(const std::vector<std::string>& words, Answer& answer);
    void recordAudio(const std::vector<std::string>& words, Answer& answer);
    void reportState(Answer& answer);

    bool started_ = false;
    bool quitRequested_ = false;
    std::vector<std::uint16_t> lastFrame_;
};

}  // namespace sim
