// A monkey that plays the whole game through the simulator's protocol: random taps biased toward the
// controls of the screen in front of it, drags, hardware keys, focus changes and waits short and long,
// restarting the program with the same folder whenever it ends. After every step it checks what must
// always hold of the game state and the records file.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <string>

#include "sim/simulator.h"

namespace soak {

struct MonkeyReport {
    std::uint64_t steps = 0;
    std::uint64_t virtualMs = 0;  // summed over every run of the program
    std::uint32_t restarts = 0;
    std::uint32_t highestLevel = 0;
    std::uint32_t screensSeen = 0;  // bit per screen id, after any step
    std::uint32_t levelsSolved = 0;
};

class GameMonkey {
public:
    // `folder` must exist; the game's records file lives there across restarts. While the game is in
    // the background the monkey waits up to `longestBackgroundWaitS` seconds at a time.
    GameMonkey(std::string folder, std::uint32_t seed, int longestBackgroundWaitS);
    ~GameMonkey();
    GameMonkey(const GameMonkey&) = delete;
    GameMonkey& operator=(const GameMonkey&) = delete;

    // Plays until `virtualMs` of game time have passed. Returns "" when every check held after every
    // step, else what failed, the seed and the last commands, enough to replay the run.
    std::string play(std::uint64_t virtualMs);

    const MonkeyReport& report() const { return report_; }

private:
    void start();
    void step();
    std::string send(const std::string& line);
    void tap(int x, int y);
    void tapInside(int left, int top, int right, int bottom);
    void tapAnywhere();
    void drag();
    void pressKey();
    void wait(std::uint64_t ms);
    void toggleFocus();
    void tapControlOfScreen();
    void tapPlayScreen();
    void solveLevel();
    void tapRecordDialog();
    void tapTutorial();
    int between(int low, int high);
    bool chance(double probability);
    std::string checkInvariants() const;
    std::string checkRecordsFile() const;
    std::string failure(const std::string& what) const;

    std::string folder_;
    std::uint32_t seed_;
    int longestBackgroundWaitS_;
    std::mt19937 random_;
    std::unique_ptr<sim::Simulator> simulator_;
    bool focused_ = true;
    std::uint64_t runStartMs_ = 0;
    std::deque<std::string> recentLines_;
    MonkeyReport report_;
};

}  // namespace soak
