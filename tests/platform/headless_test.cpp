// The headless device in virtual time: audio plays whole frames and completes in order, before a timer
// due at the same millisecond; the program's own loop sleeps to the next event.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/headless/headless.h"

namespace {

constexpr std::uint32_t STREAM_BYTES = 4410;  // 1102.5 frames of 16-bit stereo: a tenth of a second
constexpr std::size_t WHOLE_FRAME_BYTES = 4408;

std::vector<std::string> events;

struct Stream {
    std::array<std::array<std::uint8_t, STREAM_BYTES>, 2> data{};
    std::array<platform::AudioBufferHeader, 2> headers{};
    bool refill = false;
};

void onDone(void* instance, platform::AudioBufferHeader* header) {
    Stream& stream = *static_cast<Stream*>(instance);
    const int which = header == &stream.headers[0] ? 0 : 1;
    events.push_back("audio" + std::to_string(which) + "@" + std::to_string(headless::now()));
    if (!stream.refill) return;
    platform::audioUnprepare(header);
    platform::audioPrepare(header);
    platform::audioWrite(header);
}

void onTimer(std::uint32_t id) { events.push_back("timer" + std::to_string(id) + "@" + std::to_string(headless::now())); }

class HeadlessAudio : public ::testing::Test {
protected:
    void SetUp() override {
        headless::reset();
        events.clear();
        platform::createWindow("Test", platform::defaultWindowProcedure);
        ASSERT_TRUE(platform::audioOpen(2, 11025, 16, onDone, &stream));
        for (int i = 0; i < 2; ++i) {
            stream.data[i].fill(static_cast<std::uint8_t>(0xA0 + i));
            stream.headers[i] = {stream.data[i].data(), STREAM_BYTES, 0, &stream, 0, 0};
            ASSERT_TRUE(platform::audioPrepare(&stream.headers[i]));
            ASSERT_TRUE(platform::audioWrite(&stream.headers[i]));
        }
    }
    Stream stream;
};

TEST_F(HeadlessAudio, WholeFramesPlayInOrderAndCompleteBeforeATimerOfTheSameMillisecond) {
    platform::setTimer(5, 100, onTimer);
    headless::advance(50);
    EXPECT_EQ(headless::audioPlayed().size(), 551u * 4);  // 50 ms of 11025 Hz, rounded down
    headless::advance(150);
    EXPECT_EQ(events, (std::vector<std::string>{"audio0@100", "timer5@100", "audio1@200", "timer5@200"}));
    const std::vector<std::uint8_t>& played = headless::audioPlayed();
    ASSERT_EQ(played.size(), 2 * WHOLE_FRAME_BYTES);
    EXPECT_EQ(played[WHOLE_FRAME_BYTES - 1], 0xA0);
    EXPECT_EQ(played[WHOLE_FRAME_BYTES], 0xA1);
}

TEST_F(HeadlessAudio, ResetHandsBackEveryBufferInOrderAndStopsButKeepsBuffersWrittenMeanwhile) {
    headless::advance(10);
    stream.refill = true;
    platform::audioReset();
    EXPECT_EQ(events, (std::vector<std::string>{"audio0@10", "audio1@10"}));
    EXPECT_EQ(headless::audioQueued(), 2u);
    headless::advance(100);  // what was written meanwhile plays from the reset, not after what went back
    EXPECT_EQ(events.back(), "audio0@110");
    stream.refill = false;
    platform::audioReset();
    const std::size_t played = headless::audioPlayed().size();
    headless::advance(500);
    EXPECT_EQ(headless::audioPlayed().size(), played);
}

TEST_F(HeadlessAudio, ABufferWithoutAWholeFrameAndAFormatTheDeviceLacksAreRefused) {
    platform::AudioBufferHeader partFrame{stream.data[0].data(), 3};
    ASSERT_TRUE(platform::audioPrepare(&partFrame));
    EXPECT_FALSE(platform::audioWrite(&partFrame));
    for (const auto& [channels, rate, bits] : {std::array{3u, 11025u, 16u}, {0u, 11025u, 16u}, {2u, 0u, 16u}, {2u, 11025u, 12u}})
        EXPECT_FALSE(platform::audioOpen(channels, rate, bits, onDone, &stream)) << channels << " " << rate << " " << bits;
}

TEST_F(HeadlessAudio, TheProgramsOwnLoopSleepsToTheNextEventAndEndsWhenNothingCanArrive) {
    platform::setTimer(1, 16, nullptr);
    platform::MessageRecord record;
    ASSERT_TRUE(platform::getMessage(record));
    EXPECT_EQ(platform::tickCount(), 16u);
    platform::killTimer(1);
    EXPECT_FALSE(platform::getMessage(record));
    EXPECT_EQ(events, (std::vector<std::string>{"audio0@100", "audio1@200"}));
}

}  // namespace
