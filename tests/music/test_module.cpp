// Hand-made MOD images for the music tests.
#include "test_module.h"

#include <algorithm>
#include <cstring>

namespace music_test {
namespace {

constexpr int TICK_RATE = 11025;
constexpr int BUFFERS_FOR_ONE_TICK = 50;

void putWord(std::vector<std::uint8_t>& out, std::size_t at, std::int32_t value) {
    out[at] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

std::vector<std::uint8_t> TestModule::build() const {
    const bool longLayout = !signature.empty();
    const int sampleHeaders = longLayout ? 31 : 15;
    int patternCount = 0;
    for (std::uint8_t order : orders) patternCount = std::max(patternCount, order + 1);
    const std::size_t headerBytes = 20 + 30 * sampleHeaders + 2 + 128 + (longLayout ? 4 : 0);
    std::vector<std::uint8_t> out(headerBytes + static_cast<std::size_t>(patternCount) * 64 * channels * 4, 0);
    std::memcpy(out.data(), title.data(), std::min<std::size_t>(20, title.size()));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const TestSample& s = samples[i];
        const std::size_t at = 20 + 30 * i;
        std::memcpy(out.data() + at, s.name.data(), std::min<std::size_t>(22, s.name.size()));
        putWord(out, at + 22, s.lengthWords >= 0 ? s.lengthWords : static_cast<std::int32_t>(s.data.size() / 2));
        out[at + 24] = static_cast<std::uint8_t>(s.finetuneByte);
        out[at + 25] = static_cast<std::uint8_t>(s.volume);
        putWord(out, at + 26, s.loopStart / 2);
        putWord(out, at + 28, s.loopLength / 2);
    }
    const std::size_t song = 20 + 30 * static_cast<std::size_t>(sampleHeaders);
    out[song] = static_cast<std::uint8_t>(songLength >= 0 ? songLength : static_cast<int>(orders.size()));
    out[song + 1] = 127;
    std::copy(orders.begin(), orders.end(), out.begin() + static_cast<std::ptrdiff_t>(song + 2));
    if (longLayout) std::memcpy(out.data() + 1080, signature.data(), 4);
    for (const auto& [where, n] : notes) {
        const auto [pattern, row, channel] = where;
        const std::size_t at = headerBytes + ((static_cast<std::size_t>(pattern) * 64 + row) * channels + channel) * 4;
        out[at] = static_cast<std::uint8_t>((n.sample & 0xF0) | ((n.period >> 8) & 0x0F));
        out[at + 1] = static_cast<std::uint8_t>(n.period & 0xFF);
        out[at + 2] = static_cast<std::uint8_t>(((n.sample & 0x0F) << 4) | (n.effect & 0x0F));
        out[at + 3] = static_cast<std::uint8_t>(n.param);
    }
    for (const TestSample& s : samples)
        for (std::int8_t b : s.data) out.push_back(static_cast<std::uint8_t>(b));
    return out;
}

TestSample flatSample(std::int32_t length, std::int8_t value, std::int32_t loopStart, std::int32_t loopLength) {
    TestSample s;
    s.data.assign(static_cast<std::size_t>(length), value);
    s.loopStart = loopStart;
    s.loopLength = loopLength;
    return s;
}

void loadForTicks(ModulePlayer& player, const TestModule& module) {
    player.Configure(2, TICK_RATE, 16, BUFFERS_FOR_ONE_TICK);
    const std::vector<std::uint8_t> image = module.build();
    player.LoadModule(image.data(), static_cast<std::int32_t>(image.size()));
}

RenderedBuffer renderBuffer(ModulePlayer& player, std::uint32_t length) {
    RenderedBuffer rendered;
    rendered.bytes.assign(length, 0);
    platform::AudioBufferHeader header;
    header.data = rendered.bytes.data();
    header.length = length;
    rendered.result = player.RenderMusic(&header);
    return rendered;
}

RenderedBuffer renderTick(ModulePlayer& player) { return renderBuffer(player, player.SamplesPerBuffer() * 4); }

bool renderUntilRow(ModulePlayer& player, int order, int row, int limit) {
    for (int i = 0; i < limit; ++i) {
        if (player.OrderIndex() == order && player.RowIndex() == row && player.CurrentTick() == 0) return true;
        renderTick(player);
    }
    return false;
}

}  // namespace music_test
