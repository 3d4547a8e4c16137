// The browser device's audio stream: buffers play whole frames in the order written, each is handed
// back once played, and a callback that refills keeps the two-buffer cycle going without a gap.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/web/audio_stream.h"

namespace {

using platform::AudioBufferHeader;
using web::AudioStream;

struct Buffer {
    explicit Buffer(std::vector<std::uint8_t> bytes) : data(std::move(bytes)) {
        header.data = data.data();
        header.length = static_cast<std::uint32_t>(data.size());
    }
    std::vector<std::uint8_t> data;
    AudioBufferHeader header;
};

// 16-bit stereo frames (left, right), little-endian.
Buffer stereoBuffer(const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> bytes;
    for (const std::int16_t sample : samples) {
        bytes.push_back(static_cast<std::uint8_t>(sample & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((sample >> 8) & 0xFF));
    }
    return Buffer(bytes);
}

struct Completions {
    std::vector<AudioBufferHeader*> done;
    AudioStream* stream = nullptr;
    bool refill = false;
};

void recordCompletion(void* instance, AudioBufferHeader* header) {
    auto* completions = static_cast<Completions*>(instance);
    completions->done.push_back(header);
    if (completions->refill) {
        AudioStream::prepare(header);
        completions->stream->write(header);
    }
}

class AudioStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        completions.stream = &stream;
        ASSERT_TRUE(stream.open(2, 11025, 16, recordCompletion, &completions));
    }

    bool queue(Buffer& buffer) { return AudioStream::prepare(&buffer.header) && stream.write(&buffer.header); }

    std::vector<float> render(std::size_t frames, double step = 1.0) {
        std::vector<float> out(2 * frames, -9.0f);
        stream.render(out, step);
        return out;
    }

    AudioStream stream;
    Completions completions;
};

TEST(AudioStreamFormats, OnlyOneOrTwoChannelsOfEightOrSixteenBitsOpen) {
    AudioStream stream;
    EXPECT_FALSE(stream.open(0, 11025, 16, nullptr, nullptr));
    EXPECT_FALSE(stream.open(3, 11025, 16, nullptr, nullptr));
    EXPECT_FALSE(stream.open(2, 11025, 12, nullptr, nullptr));
    EXPECT_FALSE(stream.open(2, 0, 16, nullptr, nullptr));
    EXPECT_TRUE(stream.open(1, 11025, 8, nullptr, nullptr));
}

TEST_F(AudioStreamTest, OnlyPreparedBuffersOfAWholeFrameQueueAndOnlyOnce) {
    Buffer partFrame = stereoBuffer({1});
    Buffer unprepared = stereoBuffer({1, 2});
    Buffer good = stereoBuffer({1, 2});
    EXPECT_FALSE(queue(partFrame));
    EXPECT_FALSE(stream.write(&unprepared.header));
    EXPECT_FALSE(stream.write(nullptr));
    EXPECT_TRUE(queue(good));
    EXPECT_FALSE(stream.write(&good.header));
    EXPECT_FALSE(AudioStream::unprepare(&good.header));
    stream.close();
    Buffer afterClose = stereoBuffer({1, 2});
    EXPECT_FALSE(queue(afterClose));
}

TEST_F(AudioStreamTest, FramesPlayInOrderAndEachBufferIsHandedBackAfterItsLastWholeFrame) {
    Buffer first = stereoBuffer({16384, -16384, 8192, -8192});
    Buffer second = stereoBuffer({-32768, 32767});
    second.header.length += 3;  // a trailing part frame is never played
    second.data.resize(second.header.length);
    second.header.data = second.data.data();
    ASSERT_TRUE(queue(first));
    ASSERT_TRUE(queue(second));

    EXPECT_EQ(render(1), (std::vector<float>{0.5f, -0.5f}));
    EXPECT_TRUE(completions.done.empty());
    EXPECT_EQ(render(1), (std::vector<float>{0.25f, -0.25f}));
    ASSERT_EQ(completions.done.size(), 1u);
    EXPECT_EQ(completions.done[0], &first.header);
    EXPECT_EQ(first.header.flags & (AudioStream::BUFFER_DONE | AudioStream::BUFFER_QUEUED), AudioStream::BUFFER_DONE);
    EXPECT_EQ(render(2), (std::vector<float>{-1.0f, 32767 / 32768.0f, 0.0f, 0.0f}));
    ASSERT_EQ(completions.done.size(), 2u);
    EXPECT_EQ(completions.done[1], &second.header);
}

TEST_F(AudioStreamTest, ARefillFromTheCallbackKeepsTwoBuffersCirculatingWithoutAGap) {
    completions.refill = true;
    Buffer a = stereoBuffer({100, 100, 200, 200, 300, 300});
    Buffer b = stereoBuffer({400, 400, 500, 500, 600, 600});
    ASSERT_TRUE(queue(a));
    ASSERT_TRUE(queue(b));
    const std::vector<float> out = render(24);
    for (std::size_t frame = 0; frame < 24; ++frame) {
        EXPECT_FLOAT_EQ(out[2 * frame], static_cast<float>(100 * (frame % 6 + 1)) / 32768) << frame;
    }
    ASSERT_EQ(completions.done.size(), 8u);
    for (std::size_t i = 0; i < completions.done.size(); ++i) {
        EXPECT_EQ(completions.done[i], i % 2 == 0 ? &a.header : &b.header);
    }
}

// The worklet's way: each buffer's frames are handed over once, in order; a report that one played
// hands back the oldest, whose refill is handed over next; a report with nothing handed over is ignored.
TEST_F(AudioStreamTest, AnOutputOnItsOwnThreadTakesEachBufferOnceAndHandsThemBackAsPlayed) {
    completions.refill = true;
    Buffer a = stereoBuffer({16384, -16384});
    Buffer b = stereoBuffer({8192, -8192, 0, 0});
    stream.played();
    ASSERT_TRUE(queue(a));
    ASSERT_TRUE(queue(b));
    std::vector<float> frames;
    EXPECT_EQ(stream.handOver(frames), 1u);
    EXPECT_EQ(frames, (std::vector<float>{0.5f, -0.5f}));
    EXPECT_EQ(stream.handOver(frames), 2u);
    EXPECT_EQ(frames, (std::vector<float>{0.25f, -0.25f, 0, 0}));
    EXPECT_EQ(stream.handOver(frames), 0u);
    stream.played();
    EXPECT_EQ(completions.done, (std::vector<AudioBufferHeader*>{&a.header}));
    EXPECT_EQ(stream.handOver(frames), 1u);
    stream.played();
    stream.played();
    stream.played();
    EXPECT_EQ(completions.done, (std::vector<AudioBufferHeader*>{&a.header, &b.header, &a.header}));
    completions.refill = false;
    stream.reset();
    EXPECT_EQ(stream.handOver(frames), 0u);
}

TEST_F(AudioStreamTest, NothingQueuedPlaysSilenceAndTheNextBufferStartsAtItsBeginning) {
    EXPECT_EQ(render(2), (std::vector<float>{0, 0, 0, 0}));
    Buffer buffer = stereoBuffer({3276, 3276, 6553, 6553, 9830, 9830});
    ASSERT_TRUE(queue(buffer));
    const std::vector<float> out = render(2, 2.0);
    EXPECT_FLOAT_EQ(out[0], 3276 / 32768.0f);
    EXPECT_FLOAT_EQ(out[2], 9830 / 32768.0f);
    EXPECT_EQ(completions.done.size(), 1u);
    EXPECT_EQ(render(1), (std::vector<float>{0, 0}));
}

TEST_F(AudioStreamTest, AFasterOutputHoldsEachFrameForItsShare) {
    Buffer buffer = stereoBuffer({1000, 1000, 2000, 2000});
    ASSERT_TRUE(queue(buffer));
    const std::vector<float> out = render(4, 0.5);
    EXPECT_FLOAT_EQ(out[0], out[2]);
    EXPECT_FLOAT_EQ(out[4], out[6]);
    EXPECT_FLOAT_EQ(out[4], 2000 / 32768.0f);
    EXPECT_EQ(completions.done.size(), 1u);
}

TEST(AudioStreamFormats, EightBitMonoIsCentredAndFeedsBothSides) {
    AudioStream stream;
    ASSERT_TRUE(stream.open(1, 11025, 8, nullptr, nullptr));
    Buffer buffer(std::vector<std::uint8_t>{128, 0, 192});
    ASSERT_TRUE(AudioStream::prepare(&buffer.header) && stream.write(&buffer.header));
    std::vector<float> out(6);
    stream.render(out, 1.0);
    EXPECT_EQ(out, (std::vector<float>{0.0f, 0.0f, -1.0f, -1.0f, 0.5f, 0.5f}));
}

TEST_F(AudioStreamTest, TheVolumeWordScalesBothSides) {
    stream.setVolume(0x8000'7FFF);  // the low word is the level
    Buffer buffer = stereoBuffer({16384, -16384});
    ASSERT_TRUE(queue(buffer));
    const std::vector<float> out = render(1);
    EXPECT_NEAR(out[0], 0.25f, 1e-4);
    EXPECT_NEAR(out[1], -0.25f, 1e-4);
}

TEST_F(AudioStreamTest, ResetHandsEverythingBackInOrderAndCloseHandsBackNothing) {
    Buffer a = stereoBuffer({1, 1});
    Buffer b = stereoBuffer({2, 2});
    ASSERT_TRUE(queue(a));
    ASSERT_TRUE(queue(b));
    stream.reset();
    EXPECT_EQ(completions.done, (std::vector<AudioBufferHeader*>{&a.header, &b.header}));
    EXPECT_EQ(stream.queued(), 0u);

    ASSERT_TRUE(queue(a));
    stream.close();
    EXPECT_EQ(completions.done.size(), 2u);
    EXPECT_EQ(a.header.flags & AudioStream::BUFFER_QUEUED, 0u);
    EXPECT_TRUE(AudioStream::unprepare(&a.header));
}

}  // namespace
