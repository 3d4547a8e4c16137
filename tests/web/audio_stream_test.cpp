// The browser device's audio stream: buffers play whole frames in the order written, each is handed
// back once played, and a callback that refills keeps the two-buffer cycle going without a gap.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/web/audio_stream.h"

namespace {

using platform::AudioBufferHeader;
using web::AudioStream;
namespace buffers = platform::audio_buffers;
using Headers = std::vector<AudioBufferHeader*>;
using Floats = std::vector<float>;

struct Buffer {
    explicit Buffer(std::vector<std::uint8_t> bytes) : data(std::move(bytes)) {
        header.data = data.data();
        header.length = static_cast<std::uint32_t>(data.size());
    }
    std::vector<std::uint8_t> data;
    AudioBufferHeader header;
};

// A stream (8-bit mono unless told: sample 128 + n plays as n / 128 on both sides) and what it handed
// back; with `refill`, each buffer handed back is written again at once.
struct Rig {
    explicit Rig(std::uint32_t channels = 1, std::uint32_t bits = 8) {
        EXPECT_TRUE(stream.open(channels, 11025, bits, handedBack, this));
    }
    static void handedBack(void* instance, AudioBufferHeader* header) {
        auto* rig = static_cast<Rig*>(instance);
        rig->done.push_back(header);
        if (rig->refill) rig->queue(header);
    }
    bool queue(AudioBufferHeader* header) { return platform::audioPrepare(header) && stream.write(header); }
    Floats render(std::size_t frames, double step = 1.0) {
        Floats out(2 * frames, -9.0f);
        stream.render(out, step);
        return out;
    }
    AudioStream stream;
    Headers done;
    bool refill = false;
};

TEST(AudioStream, OnlyOneOrTwoChannelsOfEightOrSixteenBitsAtSomeRateOpen) {
    for (const std::uint32_t channels : {0, 3}) EXPECT_FALSE(AudioStream().open(channels, 11025, 16, nullptr, nullptr));
    EXPECT_FALSE(AudioStream().open(2, 11025, 12, nullptr, nullptr));
    EXPECT_FALSE(AudioStream().open(2, 0, 16, nullptr, nullptr));
    EXPECT_TRUE(AudioStream().open(1, 44100, 8, nullptr, nullptr));
}

// Only prepared buffers of a whole frame queue, each once; a reset hands back every one in order, a
// close none, and then nothing queues.
TEST(AudioStream, BuffersQueueOnceAndAResetHandsThemBackButACloseDoesNot) {
    Rig rig(2, 16);
    Buffer partFrame({1, 2, 3}), unprepared({1, 2, 3, 4}), a({1, 2, 3, 4}), b({5, 6, 7, 8});
    EXPECT_FALSE(rig.queue(&partFrame.header));
    EXPECT_FALSE(rig.stream.write(&unprepared.header));
    EXPECT_FALSE(rig.stream.write(nullptr));
    ASSERT_TRUE(rig.queue(&a.header) && rig.queue(&b.header));
    EXPECT_FALSE(rig.stream.write(&a.header));
    EXPECT_FALSE(platform::audioUnprepare(&a.header));
    rig.stream.reset();
    EXPECT_EQ(rig.done, (Headers{&a.header, &b.header}));
    EXPECT_EQ(a.header.flags & (buffers::DONE | buffers::QUEUED), buffers::DONE);
    EXPECT_EQ(rig.stream.queued(), 0u);
    ASSERT_TRUE(rig.queue(&a.header));
    rig.stream.close();
    EXPECT_EQ(rig.done.size(), 2u);
    EXPECT_EQ(a.header.flags & buffers::QUEUED, 0u);
    EXPECT_TRUE(platform::audioUnprepare(&a.header));
    EXPECT_FALSE(rig.queue(&b.header));
}

// 16-bit sound is signed and little-endian, 8-bit unsigned round 128; one channel feeds both sides;
// the volume word's low half is the level; a part frame at a buffer's end never plays.
TEST(AudioStream, EachFormatPlaysOnBothSidesAtTheVolumesLevel) {
    struct Case { std::uint32_t channels, bits, volume; std::vector<std::uint8_t> bytes; Floats out; };
    const Case cases[] = {{1, 8, buffers::FULL_VOLUME, {128, 0, 192}, {0, 0, -1, -1, 0.5f, 0.5f}},
                          {2, 16, 0xFFFF'4000, {0x00, 0x40, 0x00, 0xC0}, {0.125f, -0.125f}},  // 16384, -16384
                          {2, 16, 0, {0x00, 0x40, 0x00, 0xC0}, {0, 0}},
                          {2, 16, buffers::FULL_VOLUME, {0x00, 0x80, 0xFF, 0x7F, 1, 2, 3}, {-1, 1, 0, 0}}};
    for (const Case& c : cases) {
        Rig rig(c.channels, c.bits);
        rig.stream.setVolume(c.volume);
        Buffer buffer(c.bytes);
        ASSERT_TRUE(rig.queue(&buffer.header));
        const Floats out = rig.render(c.out.size() / 2);
        for (std::size_t i = 0; i < out.size(); ++i) EXPECT_NEAR(out[i], c.out[i], 1e-4) << c.bits << " bits, " << i;
    }
}

// An output at another rate steps through the stream: each output frame plays the source frame it
// falls on, silence where nothing is queued; a buffer is handed back once its last frame has played,
// and after a gap the next buffer plays from its start.
TEST(AudioStream, AnOutputAtAnotherRateHoldsOrSkipsFrames) {
    struct Case { double step; Floats left; std::size_t handedBack; };  // the left side in 128ths
    const Case cases[] = {{1.0, {1, 2, 3, 0}, 1}, {2.0, {1, 3, 0, 0}, 1}, {0.5, {1, 1, 2, 2}, 0}};
    for (const Case& c : cases) {
        Rig rig;
        EXPECT_EQ(rig.render(1), (Floats{0, 0}));
        Buffer buffer({129, 130, 131}), next({132});
        ASSERT_TRUE(rig.queue(&buffer.header));
        const Floats out = rig.render(4, c.step);
        for (std::size_t frame = 0; frame < 4; ++frame) EXPECT_EQ(out[2 * frame] * 128, c.left[frame]) << c.step;
        EXPECT_EQ(rig.done.size(), c.handedBack) << c.step;
        if (c.handedBack == 0) continue;
        ASSERT_TRUE(rig.queue(&next.header));
        EXPECT_EQ(rig.render(1)[0] * 128, 4) << c.step;
    }
}

// A step past a buffer's end carries on into the next, over a buffer shorter than a step.
TEST(AudioStream, AStepPastTheEndOfABufferCarriesIntoTheNextOnes) {
    Rig rig;
    Buffer a({129, 130, 131}), b({132}), c({133, 134});
    ASSERT_TRUE(rig.queue(&a.header) && rig.queue(&b.header) && rig.queue(&c.header));
    const Floats out = rig.render(4, 2.0), left{1, 3, 5, 0};
    for (std::size_t frame = 0; frame < 4; ++frame) EXPECT_EQ(out[2 * frame] * 128, left[frame]) << frame;
    EXPECT_EQ(rig.done, (Headers{&a.header, &b.header, &c.header}));
}

TEST(AudioStream, ARefillFromTheCallbackKeepsTwoBuffersCirculatingWithoutAGap) {
    Rig rig;
    rig.refill = true;
    Buffer a({129, 130, 131}), b({132, 133, 134});
    ASSERT_TRUE(rig.queue(&a.header) && rig.queue(&b.header));
    const Floats out = rig.render(24);
    for (std::size_t frame = 0; frame < 24; ++frame) EXPECT_EQ(out[2 * frame] * 128, static_cast<float>(frame % 6 + 1)) << frame;
    EXPECT_EQ(rig.done, (Headers{&a.header, &b.header, &a.header, &b.header, &a.header, &b.header, &a.header, &b.header}));
}

// The worklet's way: each buffer's frames are handed over once, in order; a report that one played
// hands back the oldest, whose refill is handed over next; a report with nothing handed over is ignored.
TEST(AudioStream, AnOutputOnItsOwnThreadTakesEachBufferOnceAndHandsThemBackAsPlayed) {
    Rig rig(2, 16);
    rig.refill = true;
    Buffer a({0x00, 0x40, 0x00, 0xC0}), b({0x00, 0x20, 0x00, 0xE0, 0, 0, 0, 0});
    rig.stream.played();
    ASSERT_TRUE(rig.queue(&a.header) && rig.queue(&b.header));
    Floats frames;
    EXPECT_EQ(rig.stream.handOver(frames), 1u);
    EXPECT_EQ(frames, (Floats{0.5f, -0.5f}));
    EXPECT_EQ(rig.stream.handOver(frames), 2u);
    EXPECT_EQ(frames, (Floats{0.25f, -0.25f, 0, 0}));
    EXPECT_EQ(rig.stream.handOver(frames), 0u);
    rig.stream.played();
    EXPECT_EQ(rig.done, Headers{&a.header});
    EXPECT_EQ(rig.stream.handOver(frames), 1u);
    for (int report = 0; report < 3; ++report) rig.stream.played();
    EXPECT_EQ(rig.done, (Headers{&a.header, &b.header, &a.header}));
    rig.refill = false;
    rig.stream.reset();
    EXPECT_EQ(rig.stream.handOver(frames), 0u);
}

}  // namespace
