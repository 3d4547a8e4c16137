// The headless audio output: buffers play in virtual time, whole frames only, and come back through the
// completion callback in the order written.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/headless/headless.h"

namespace {

constexpr std::uint32_t STREAM_BYTES = 4410;  // a tenth of a second of 16-bit stereo at 11025 Hz
constexpr std::size_t WHOLE_FRAME_BYTES = 4408;

struct Stream {
    std::array<std::array<std::uint8_t, STREAM_BYTES>, 2> data{};
    std::array<platform::AudioBufferHeader, 2> headers{};
    std::vector<std::pair<int, std::uint64_t>> completions;  // buffer, virtual ms
    bool refill = false;
    std::uint8_t nextFill = 1;
};

void onDone(void* instance, platform::AudioBufferHeader* header) {
    Stream& stream = *static_cast<Stream*>(instance);
    const int which = header == &stream.headers[0] ? 0 : 1;
    stream.completions.emplace_back(which, headless::now());
    if (!stream.refill) return;
    platform::audioUnprepare(header);
    stream.data[which].fill(stream.nextFill++);
    platform::audioPrepare(header);
    platform::audioWrite(header);
}

class HeadlessAudio : public ::testing::Test {
protected:
    void SetUp() override {
        headless::reset();
        ASSERT_TRUE(platform::audioOpen(2, 11025, 16, onDone, &stream));
        for (int i = 0; i < 2; ++i) {
            stream.data[i].fill(static_cast<std::uint8_t>(0xA0 + i));
            stream.headers[i].data = stream.data[i].data();
            stream.headers[i].length = STREAM_BYTES;
            stream.headers[i].user = &stream;
        }
    }

    void writeBoth() {
        for (auto& header : stream.headers) {
            ASSERT_TRUE(platform::audioPrepare(&header));
            ASSERT_TRUE(platform::audioWrite(&header));
        }
    }

    Stream stream;
};

TEST_F(HeadlessAudio, TwoBuffersCompleteInOrderAfterTheirPlayingTime) {
    writeBoth();
    EXPECT_EQ(headless::audioQueued(), 2u);
    headless::advance(99);
    EXPECT_TRUE(stream.completions.empty());
    headless::advance(200);
    // 1102 frames last 99.95 ms: the first completes at 100 ms, the second at 199.9 ms.
    const std::vector<std::pair<int, std::uint64_t>> expected{{0, 100}, {1, 200}};
    EXPECT_EQ(stream.completions, expected);
    EXPECT_EQ(headless::audioQueued(), 0u);
}

TEST_F(HeadlessAudio, OnlyWholeFramesArePlayedAndTheyKeepTheirOrder) {
    writeBoth();
    headless::advance(300);
    const std::vector<std::uint8_t>& played = headless::audioPlayed();
    ASSERT_EQ(played.size(), 2 * WHOLE_FRAME_BYTES);
    EXPECT_EQ(played.front(), 0xA0);
    EXPECT_EQ(played[WHOLE_FRAME_BYTES - 1], 0xA0);
    EXPECT_EQ(played[WHOLE_FRAME_BYTES], 0xA1);
    EXPECT_EQ(played.back(), 0xA1);
}

TEST_F(HeadlessAudio, ARefillingStreamPlaysWithoutGapsFrameForFrameWithTheClock) {
    stream.refill = true;
    writeBoth();
    headless::advance(1000);
    EXPECT_EQ(headless::audioPlayed().size(), 11025u * 4);
    EXPECT_EQ(headless::audioQueued(), 2u);
    EXPECT_EQ(stream.completions.size(), 10u);
}

TEST_F(HeadlessAudio, PartlyPlayedBuffersShowTheFramesPlayedSoFar) {
    writeBoth();
    headless::advance(50);
    EXPECT_EQ(headless::audioPlayed().size(), 551u * 4);  // 50 ms of 11025 Hz, rounded down
    headless::clearAudioPlayed();
    headless::advance(50);
    EXPECT_EQ(headless::audioPlayed().size(), (1102u - 551u) * 4);
}

TEST_F(HeadlessAudio, ResetHandsBackEveryQueuedBufferAndStopsPlaying) {
    writeBoth();
    headless::advance(10);
    platform::audioReset();
    ASSERT_EQ(stream.completions.size(), 2u);
    EXPECT_EQ(stream.completions[0].first, 0);
    EXPECT_EQ(stream.completions[1].first, 1);
    const std::size_t played = headless::audioPlayed().size();
    headless::advance(500);
    EXPECT_EQ(headless::audioPlayed().size(), played);
}

TEST_F(HeadlessAudio, BuffersWrittenFromInsideAResetCallbackStayQueued) {
    writeBoth();
    stream.refill = true;
    platform::audioReset();
    EXPECT_EQ(stream.completions.size(), 2u);
    EXPECT_EQ(headless::audioQueued(), 2u);
}

TEST_F(HeadlessAudio, UnpreparedOrQueuedBuffersAreRefused) {
    EXPECT_FALSE(platform::audioWrite(&stream.headers[0]));
    ASSERT_TRUE(platform::audioPrepare(&stream.headers[0]));
    EXPECT_TRUE(platform::audioWrite(&stream.headers[0]));
    EXPECT_FALSE(platform::audioWrite(&stream.headers[0]));
    EXPECT_FALSE(platform::audioUnprepare(&stream.headers[0]));
}

TEST_F(HeadlessAudio, ABufferWithoutAWholeFrameIsRefused) {
    stream.headers[0].length = 3;
    ASSERT_TRUE(platform::audioPrepare(&stream.headers[0]));
    EXPECT_FALSE(platform::audioWrite(&stream.headers[0]));
}

TEST_F(HeadlessAudio, NothingIsQueuedOnAClosedOutput) {
    platform::audioClose();
    ASSERT_TRUE(platform::audioPrepare(&stream.headers[0]));
    EXPECT_FALSE(platform::audioWrite(&stream.headers[0]));
    EXPECT_FALSE(headless::audioFormat().open);
}

TEST_F(HeadlessAudio, TheFormatAndTheVolumeWordAreReported) {
    const headless::AudioFormat format = headless::audioFormat();
    EXPECT_TRUE(format.open);
    EXPECT_EQ(format.channels, 2u);
    EXPECT_EQ(format.rate, 11025u);
    EXPECT_EQ(format.bits, 16u);
    platform::audioSetVolume(0xFF00);
    EXPECT_EQ(platform::audioGetVolume(), 0xFF00u);
    EXPECT_EQ(headless::audioVolume(), 0xFF00u);
}

TEST_F(HeadlessAudio, UnsupportedFormatsAreNotOpened) {
    EXPECT_FALSE(platform::audioOpen(3, 11025, 16, onDone, &stream));
    EXPECT_FALSE(platform::audioOpen(2, 11025, 12, onDone, &stream));
    EXPECT_FALSE(platform::audioOpen(2, 0, 16, onDone, &stream));
}

}  // namespace
