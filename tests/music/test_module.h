// Builds small MOD images by hand for the music tests: a few samples, a few notes, nothing else.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>
#include <vector>

#include "sound/module_player.h"

namespace music_test {

struct TestSample {
    std::vector<std::int8_t> data;
    std::int32_t finetuneByte = 0;
    std::int32_t volume = 64;
    std::int32_t loopStart = 0;     // bytes, even
    std::int32_t loopLength = 0;    // bytes, even
    std::int32_t lengthWords = -1;  // header length when it should differ from the data
};

struct TestNote {
    std::int32_t sample = 0, period = 0, effect = 0, param = 0;
};

struct TestModule {
    std::string signature = "M.K.";  // an empty signature builds the 15-sample layout
    std::int32_t channels = 4;
    std::vector<TestSample> samples;
    std::vector<std::uint8_t> orders{0};
    std::map<std::tuple<int, int, int>, TestNote> notes{};  // (pattern, row, channel)

    void note(int pattern, int row, int channel, TestNote value) { notes[{pattern, row, channel}] = value; }

    std::vector<std::uint8_t> build() const {
        const bool longLayout = !signature.empty();
        const std::size_t song = 20 + 30 * (longLayout ? 31 : 15), headerBytes = song + 2 + 128 + (longLayout ? 4 : 0);
        const int patternCount = *std::max_element(orders.begin(), orders.end()) + 1;
        std::vector<std::uint8_t> out(headerBytes + static_cast<std::size_t>(patternCount) * 64 * channels * 4, 0);
        const auto putWord = [&out](std::size_t at, std::int32_t value) {
            out[at] = static_cast<std::uint8_t>(value >> 8), out[at + 1] = static_cast<std::uint8_t>(value);
        };
        std::memcpy(out.data(), "test", 4);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const TestSample& s = samples[i];
            const std::size_t at = 20 + 30 * i;
            putWord(at + 22, s.lengthWords >= 0 ? s.lengthWords : static_cast<std::int32_t>(s.data.size() / 2));
            out[at + 24] = static_cast<std::uint8_t>(s.finetuneByte);
            out[at + 25] = static_cast<std::uint8_t>(s.volume);
            putWord(at + 26, s.loopStart / 2);
            putWord(at + 28, s.loopLength / 2);
        }
        out[song] = static_cast<std::uint8_t>(orders.size());
        out[song + 1] = 127;
        std::copy(orders.begin(), orders.end(), out.begin() + static_cast<std::ptrdiff_t>(song + 2));
        if (longLayout) std::memcpy(out.data() + 1080, signature.data(), 4);
        for (const auto& [where, n] : notes) {
            const auto [pattern, row, channel] = where;
            const std::size_t at = headerBytes + ((static_cast<std::size_t>(pattern) * 64 + row) * channels + channel) * 4;
            putWord(at, (n.sample & 0xF0) << 8 | (n.period & 0x0FFF));
            out[at + 2] = static_cast<std::uint8_t>(((n.sample & 0x0F) << 4) | (n.effect & 0x0F));
            out[at + 3] = static_cast<std::uint8_t>(n.param);
        }
        for (const TestSample& s : samples) out.insert(out.end(), s.data.begin(), s.data.end());
        return out;
    }
};

inline TestSample flatSample(std::int32_t length, std::int8_t value, std::int32_t loopStart = 0, std::int32_t loopLength = 0) {
    return {std::vector<std::int8_t>(static_cast<std::size_t>(length), value), 0, 64, loopStart, loopLength};
}

// Loads the module into a player for `channels` x `bits` at `rate`, ten buffers a second.
inline bool load(ModulePlayer& player, const std::vector<std::uint8_t>& image, std::uint8_t channels = 2, std::uint8_t bits = 16,
                 std::uint32_t rate = 11025) {
    player.Configure(channels, rate, bits, 10);
    return player.LoadModule(image.empty() ? nullptr : image.data(), static_cast<std::int32_t>(image.size()));
}

// Renders one buffer of `length` bytes.
inline std::vector<std::uint8_t> renderBuffer(ModulePlayer& player, std::uint32_t length, bool* result = nullptr) {
    std::vector<std::uint8_t> bytes(length, 0);
    platform::AudioBufferHeader header{.data = bytes.data(), .length = length};
    const bool rendered = player.RenderMusic(&header);
    if (result != nullptr) *result = rendered;
    return bytes;
}

}  // namespace music_test
