// Builds small MOD images by hand for the music tests: a few samples, a few notes, nothing else.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "sound/module_player.h"

namespace music_test {

constexpr float AMIGA_CLOCK = 3579545.25f;

struct TestSample {
    std::vector<std::int8_t> data;
    std::int32_t finetuneByte = 0;
    std::int32_t volume = 64;
    std::int32_t loopStart = 0;   // bytes, even
    std::int32_t loopLength = 0;  // bytes, even
    std::int32_t lengthWords = -1;  // header length when it should differ from the data
    std::string name;
};

struct TestNote {
    std::int32_t sample = 0;
    std::int32_t period = 0;
    std::int32_t effect = 0;
    std::int32_t param = 0;
};

struct TestModule {
    std::string signature = "M.K.";  // an empty signature builds the 15-sample layout
    std::int32_t channels = 4;
    std::string title = "test";
    std::vector<TestSample> samples;
    std::vector<std::uint8_t> orders{0};
    std::int32_t songLength = -1;  // -1: the number of orders
    std::map<std::tuple<int, int, int>, TestNote> notes;  // (pattern, row, channel)

    TestModule& note(int pattern, int row, int channel, TestNote value) {
        notes[{pattern, row, channel}] = value;
        return *this;
    }
    std::vector<std::uint8_t> build() const;
};

// A sample of `length` bytes all holding `value`.
TestSample flatSample(std::int32_t length, std::int8_t value, std::int32_t loopStart = 0, std::int32_t loopLength = 0);

// Loads the module into a player set up for 16-bit stereo at 11025 Hz with one tick per buffer, so
// each RenderTick call moves the song on by exactly one tick.
void loadForTicks(ModulePlayer& player, const TestModule& module);

// Renders one buffer; its bytes and the player's result.
struct RenderedBuffer {
    std::vector<std::uint8_t> bytes;
    bool result = false;
};
RenderedBuffer renderBuffer(ModulePlayer& player, std::uint32_t length);
RenderedBuffer renderTick(ModulePlayer& player);

// Renders ticks until the player is at row `row` of order `order` at tick 0 (at most `limit` ticks);
// false when it never got there.
bool renderUntilRow(ModulePlayer& player, int order, int row, int limit = 10000);

}  // namespace music_test
