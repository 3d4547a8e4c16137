// The player's arithmetic, one effect at a time, stepped tick by tick (one tick per buffer).
#include <gtest/gtest.h>

#include <algorithm>

#include "test_module.h"

using namespace music_test;

namespace {

constexpr std::int32_t ONE_BYTE = 1024;

// A module with one looping sample of `value` bytes and the given notes in pattern 0.
TestModule toneModule(std::int8_t value = 40, std::int32_t volume = 64) {
    TestModule m;
    TestSample s = flatSample(2048, value, 0, 2048);
    s.volume = volume;
    m.samples = {s};
    return m;
}

std::int16_t leftAt(const RenderedBuffer& b, std::size_t frame) {
    return static_cast<std::int16_t>(b.bytes[frame * 4] | (b.bytes[frame * 4 + 1] << 8));
}

std::int16_t rightAt(const RenderedBuffer& b, std::size_t frame) {
    return static_cast<std::int16_t>(b.bytes[frame * 4 + 2] | (b.bytes[frame * 4 + 3] << 8));
}

}  // namespace

TEST(PlayerTables, PeriodTableAnchors) {
    ModulePlayer player;
    EXPECT_NEAR(player.PeriodAt(0), 905.97, 0.01);
    EXPECT_NEAR(player.PeriodAt(8), 855.12, 0.01);
    EXPECT_NEAR(player.PeriodAt(104), 427.56, 0.01);
    EXPECT_NEAR(player.PeriodAt(288), 113.25, 0.01);
    EXPECT_NEAR(player.PeriodAt(487), 26.92, 0.01);
    for (int i = 1; i < ModulePlayer::PERIOD_COUNT; ++i) EXPECT_LT(player.PeriodAt(i), player.PeriodAt(i - 1)) << i;
}

TEST(PlayerTables, VolumeTableScalesSignedBytes) {
    ModulePlayer player;
    EXPECT_EQ(player.VolumeAt(64, 127), 127 * 127);
    EXPECT_EQ(player.VolumeAt(64, 128), -128 * 127);  // 16256 at most either way
    EXPECT_EQ(player.VolumeAt(0, 100), 0);
    EXPECT_EQ(player.VolumeAt(33, 0xFF), -127 * 33 / 64);  // truncated toward zero: -65
    player.BuildVolumeTable(100);
    EXPECT_EQ(player.VolumeAt(64, 100), 100 * 50);
}

TEST(PlayerTiming, TicksAndRowsAt11025) {
    TestModule m = toneModule();
    m.note(0, 1, 0, {0, 0, 0xF, 3}).note(0, 2, 0, {0, 0, 0xF, 0x7E});
    ModulePlayer player;
    loadForTicks(player, m);
    ASSERT_TRUE(player.StartMusic(false));
    EXPECT_EQ(player.SamplesPerTick(), 220u);
    EXPECT_EQ(player.SamplesPerBuffer(), 220u);
    const auto ticksOfRow = [&player] {
        int ticks = 0;
        const int row = player.RowIndex();
        do {
            renderTick(player);
            ++ticks;
        } while (player.RowIndex() == row + 1 && player.CurrentTick() != 0);
        return ticks;
    };
    EXPECT_EQ(ticksOfRow(), 6);  // row 0 at speed 6: 1320 frames
    EXPECT_EQ(ticksOfRow(), 3);  // row 1 sets speed 3: 660 frames
    EXPECT_EQ(ticksOfRow(), 3);  // the tempo command F7E changes nothing
    EXPECT_EQ(player.Speed(), 3);
}

TEST(PlayerEffects, VolumeSlideActsOnEveryTickIncludingTheFirst) {
    TestModule m = toneModule(40, 0);
    m.note(0, 0, 0, {1, 428, 0, 0}).note(0, 1, 0, {0, 0, 0xA, 0x20}).note(0, 2, 0, {0, 0, 0xA, 0x20});
    m.note(0, 3, 0, {0, 0, 0xA, 0x05});
    ModulePlayer player;
    loadForTicks(player, m);
    player.StartMusic(false);
    ASSERT_TRUE(renderUntilRow(player, 0, 2));
    EXPECT_EQ(player.Channel(0).volume, 12);
    ASSERT_TRUE(renderUntilRow(player, 0, 3));
    EXPECT_EQ(player.Channel(0).volume, 24);
    ASSERT_TRUE(renderUntilRow(player, 0, 4));
    EXPECT_EQ(player.Channel(0).volume, 0);  // down by 30, held at 0
}

TEST(PlayerEffects, SetVolumeIsLimitedTo64) {
    TestModule m = toneModule(40, 10);
    m.note(0, 0, 0, {1, 428, 0xC, 80});
    ModulePlayer player;
    loadForTicks(player, m);
    player.StartMusic(false);
    renderTick(player);
    EXPECT_EQ(player.Channel(0).volume, 64);
    EXPECT_EQ(player.Channel(0).mixVolume, 64);
}

TEST(PlayerEffects, ArpeggioThirdTickStepPlaysTheHighNibble) {
    TestModule m = toneModule();
    m.samples[0].finetuneByte = 2;
    m.note(0, 0, 0, {1, 428, 0x0, 0x37});
    ModulePlayer player;
    loadForTicks(player, m);
    player.StartMusic(false);
    for (int t = 0; t <= 4; ++t) renderTick(player);  // ticks 0..4
    EXPECT_FLOAT_EQ(player.Channel(0).frequency, AMIGA_CLOCK / player.PeriodAt(2 + 103 + 24));
    renderTick(player);  // tick 5: 5 mod 3 = 2, the low nibble
    EXPECT_FLOAT_EQ(player.Channel(0).frequency, AMIGA_CLOCK / player.PeriodAt(2 + 103 + 56));
    EXPECT_FLOAT_EQ(player.Channel(0).period, player.PeriodAt(2 + 103));
}

TEST(PlayerEffects, SlideUpStopsAtPeriod54) {
    TestModule m = toneModule();
    m.note(0, 0, 0, {1, 856, 0x1, 0xFF});
    for (int row = 1; row < 8; ++row) m.note(0, row, 0, {0, 0, 0x1, 0xFF});
    ModulePlayer player;
    loadForTicks(player, m);
    player.StartMusic(false);
    ASSERT_TRUE(renderUntilRow(player, 0, 8));
    EXPECT_FLOAT_EQ(player.Channel(0).period, 54.0f);
    EXPECT_FLOAT_EQ(player.Channel(0).frequency, AMIGA_CLOCK / 54.0f);
}

TEST(PlayerEffects, TonePortamentoGlidesToTheTargetWithoutPassingIt) {
    TestModule m = toneModule();
    m.note(0, 0, 0, {1, 428, 0, 0}).note(0, 1, 0, {0, 404, 0x3, 5});
    ModulePlayer player;
    loadForTicks(player, m);
    player.StartMusic(false);
    ASSERT_TRUE(renderUntilRow(player, 0, 1));
    const float start = player.Channel(0).period;
    renderTick(player);
    EXPECT_FLOAT_EQ(player.Channel(0).period, start - 5.0f);
    ASSERT_TRUE(renderUntilRow(player, 0, 2));
    EXPECT_FLOAT_EQ(player.Channel(0).period, player.PeriodAt(player.Cell(0, 1, 0).note));
}

TEST(PlayerEffects, SampleOffsetStartsAt256BytesPerStep) {
    TestModule m = toneModule();
    m.note(0, 0, 0, {1, 0, 0x9, 2});  // no note yet: the channel has no pitch and stays put
    ModulePlayer player;
    loadForTicks(player, m);
    player.StartMusic(false);
    renderTick(player);
    EXPECT_EQ(player.Channel(0).position, 512 * ONE_BYTE);
}

TEST(PlayerEffects, VibratoAndTremoloFollowTheSineTable) {
    TestModule m = toneModule(40, 32);
    m.note(0, 0, 0, {1, 428, 0x7, 0x84}).note(0, 0, 1, {1, 428, 0x4, 0x88});
    ModulePlayer player;
    loadForTicks(player, m);
    player.StartMusic(false);
    renderTick(player);  // position 0: no change
    EXPECT_EQ(player.Channel(0).mixVolume, 32);
    renderTick(player);  // position 8: sine 180
    EXPECT_EQ(player.Channel(0).mixVolume, 32 + (180 * 4 >> 6));
    EXPECT_FLOAT_EQ(player.Channel(1).frequency, AMIGA_CLOCK / (player.Channel(1).period + (180 * 8 >> 7)));
    for (int t = 0; t < 3; ++t) renderTick(player);  // positions 16, 24, then 0 of the negative half
    EXPECT_TRUE(player.Channel(0).waveNegative);
    renderTick(player);  // position 8 of the negative half
    EXPECT_EQ(player.Channel(0).mixVolume, 32 - (180 * 4 >> 6));
}

TEST(PlayerEffects, NewSampleAndNoteTakeTheNewSamplesFinetune) {
    TestModule m = toneModule();
    TestSample tuned = flatSample(64, 10, 0, 64);
    tuned.finetuneByte = 5;
    m.samples.push_back(tuned);
    m.note(0, 0, 0, {1, 428, 0, 0}).note(0, 1, 0, {2, 428, 0, 0});
    ModulePlayer player;
    loadForTicks(player, m);
    player.StartMusic(false);
    renderTick(player);
    EXPECT_FLOAT_EQ(player.Channel(0).period, player.PeriodAt(103));
    ASSERT_TRUE(renderUntilRow(player, 0, 2));
    EXPECT_FLOAT_EQ(player.Channel(0).period, player.PeriodAt(108));
}

TEST(PlayerJumps, PositionJumpKeepsTheRow) {
    TestModule m = toneModule();
    m.orders = {0, 1, 2};
    m.note(0, 10, 0, {0, 0, 0xB, 2});
    ModulePlayer player;
    loadForTicks(player, m);
    player.StartMusic(false);
    ASSERT_TRUE(renderUntilRow(player, 0, 10));
    for (int t = 0; t < 6; ++t) renderTick(player);
    EXPECT_EQ(player.OrderIndex(), 2);
    EXPECT_EQ(player.RowIndex(), 11);
}

TEST(PlayerJumps, PatternBreakGoesToTheNextOrderAtTheChosenRow) {
    TestModule m = toneModule();
    m.orders = {0, 1, 1};
    m.note(0, 10, 2, {0, 0, 0xD, 0x12}).note(1, 20, 0, {0, 0, 0xD, 0x99});
    ModulePlayer player;
    loadForTicks(player, m);
    player.StartMusic(false);
    ASSERT_TRUE(renderUntilRow(player, 0, 10));
    for (int t = 0; t < 6; ++t) renderTick(player);
    EXPECT_EQ(player.OrderIndex(), 1);
    EXPECT_EQ(player.RowIndex(), 12);
    ASSERT_TRUE(renderUntilRow(player, 1, 20, 400));
    for (int t = 0; t < 6; ++t) renderTick(player);
    EXPECT_EQ(player.OrderIndex(), 2);
    EXPECT_EQ(player.RowIndex(), 0);  // 99 is above 63
}

TEST(PlayerJumps, BreakAndJumpInOneRowTakeTheOrderOfTheLaterChannel) {
    TestModule m = toneModule();
    m.orders = {0, 0, 0, 0};
    m.note(0, 3, 0, {0, 0, 0xD, 0x07}).note(0, 3, 1, {0, 0, 0xB, 3});
    ModulePlayer player;
    loadForTicks(player, m);
    player.StartMusic(false);
    ASSERT_TRUE(renderUntilRow(player, 0, 3));
    for (int t = 0; t < 6; ++t) renderTick(player);
    EXPECT_EQ(player.OrderIndex(), 3);
    EXPECT_EQ(player.RowIndex(), 7);
}

TEST(PlayerJumps, JumpPastTheEndStopsWithoutLoop) {
    TestModule m = toneModule();
    m.orders = {0};
    m.note(0, 2, 0, {0, 0, 0xB, 5});
    ModulePlayer player;
    loadForTicks(player, m);
    player.StartMusic(false);
    ASSERT_TRUE(renderUntilRow(player, 0, 2));
    const RenderedBuffer last = renderTick(player);
    EXPECT_FALSE(last.result);
    EXPECT_FALSE(player.IsMusicPlaying());
}

TEST(PlayerJumps, BreakPastTheEndWithLoopLastsOneTickAndRestarts) {
    TestModule m = toneModule();
    m.orders = {0};
    m.note(0, 2, 0, {0, 0, 0xD, 0x20});
    ModulePlayer player;
    loadForTicks(player, m);
    player.StartMusic(true);
    ASSERT_TRUE(renderUntilRow(player, 0, 2));
    EXPECT_TRUE(renderTick(player).result);
    EXPECT_EQ(player.OrderIndex(), 0);
    EXPECT_EQ(player.RowIndex(), 20);
    EXPECT_EQ(player.CurrentTick(), 0);  // the next tick starts row 20
    EXPECT_TRUE(player.IsMusicPlaying());
}

TEST(PlayerSong, EndOfTheLastOrderWrapsWithLoopAndStopsWithout) {
    for (const bool loop : {true, false}) {
        TestModule m = toneModule();
        m.orders = {0, 0};
        m.note(0, 0, 0, {1, 428, 0, 0});
        ModulePlayer player;
        loadForTicks(player, m);
        player.StartMusic(loop);
        ASSERT_TRUE(renderUntilRow(player, 1, 63, 2000));
        const RenderedBuffer lastRow = renderTick(player);
        EXPECT_EQ(lastRow.result, loop);
        EXPECT_EQ(player.IsMusicPlaying(), loop);
        if (loop) {
            EXPECT_EQ(player.OrderIndex(), 0);
            EXPECT_EQ(player.RowIndex(), 0);
        }
    }
}

TEST(PlayerSong, SpeedZeroEndsTheMusicAtTheEndOfTheBuffer) {
    TestModule m = toneModule();
    m.note(0, 1, 0, {0, 0, 0xF, 0});
    ModulePlayer player;
    loadForTicks(player, m);
    player.StartMusic(true);
    ASSERT_TRUE(renderUntilRow(player, 0, 1));
    EXPECT_FALSE(renderTick(player).result);
    EXPECT_FALSE(player.IsMusicPlaying());
}

TEST(PlayerControl, StartWhilePlayingKeepsTheLoopFlagAndStopRestarts) {
    TestModule m = toneModule();
    m.orders = {0, 0};
    ModulePlayer player;
    loadForTicks(player, m);
    EXPECT_TRUE(player.StartMusic(true));
    ASSERT_TRUE(renderUntilRow(player, 1, 3, 2000));
    EXPECT_TRUE(player.StartMusic(false));
    EXPECT_TRUE(player.Looping());
    EXPECT_EQ(player.OrderIndex(), 1);
    player.StopMusic();
    EXPECT_TRUE(player.StartMusic(false));
    EXPECT_FALSE(player.Looping());
    EXPECT_EQ(player.OrderIndex(), 0);
    EXPECT_EQ(player.RowIndex(), 0);
}

TEST(PlayerControl, PausedWritesSilenceAndDoesNotMove) {
    TestModule m = toneModule();
    m.note(0, 0, 0, {1, 428, 0, 0});
    ModulePlayer player;
    loadForTicks(player, m);
    player.StartMusic(true);
    for (int t = 0; t < 8; ++t) renderTick(player);
    const int order = player.OrderIndex(), row = player.RowIndex(), tick = player.CurrentTick();
    const std::int32_t position = player.Channel(0).position;
    player.PauseMusic(true);
    std::vector<std::uint8_t> bytes(880, 0x55);
    platform::AudioBufferHeader header;
    header.data = bytes.data();
    header.length = 880;
    EXPECT_FALSE(player.RenderMusic(&header));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 0), 880);
    EXPECT_EQ(player.OrderIndex(), order);
    EXPECT_EQ(player.RowIndex(), row);
    EXPECT_EQ(player.CurrentTick(), tick);
    EXPECT_EQ(player.Channel(0).position, position);
    player.PauseMusic(false);
    EXPECT_TRUE(renderTick(player).result);
}

TEST(PlayerControl, StoppedPlayerLeavesTheBufferAlone) {
    ModulePlayer player;
    player.Configure(2, 11025, 16, 10);
    std::vector<std::uint8_t> bytes(4410, 0x55);
    platform::AudioBufferHeader header;
    header.data = bytes.data();
    header.length = 4410;
    EXPECT_TRUE(player.RenderMusic(&header));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 0x55), 4410);
}

TEST(PlayerControl, ConfigureRefusesWhatCannotMakeABuffer) {
    ModulePlayer player;
    EXPECT_FALSE(player.Configure(3, 11025, 16, 10));
    EXPECT_FALSE(player.Configure(0, 11025, 16, 10));
    EXPECT_FALSE(player.Configure(2, 11025, 16, 0));
    EXPECT_TRUE(player.Configure(1, 8000, 8, 10));
    EXPECT_EQ(player.SamplesPerBuffer(), 800u);
}

TEST(PlayerMixer, NonLoopingSampleStopsOneFrameShortOfItsEnd) {
    TestModule m;
    m.samples = {flatSample(1000, 50)};
    ModulePlayer player;
    loadForTicks(player, m);
    ModChannel& ch = player.Channel(0);
    ch.sampleNumber = 1;
    ch.position = 900 * ONE_BYTE;
    ch.frequency = 11025.0f;  // a step of exactly one byte
    ch.mixVolume = 64;
    std::vector<std::int32_t> left(220, 7), right(220, 7);
    player.MixChannels(left.data(), right.data(), 0, 220);
    const int rendered = static_cast<int>(std::count(left.begin(), left.end(), 50 * 127));
    EXPECT_EQ(rendered, 99);
    EXPECT_EQ(left[99], 0);
    EXPECT_EQ(ch.position, 999 * ONE_BYTE);
    EXPECT_EQ(std::count(right.begin(), right.end(), 0), 220);
}

TEST(PlayerMixer, LoopingSampleWrapsAndStepZeroRendersNothing) {
    TestModule m;
    TestSample s;
    for (int i = 0; i < 16; ++i) s.data.push_back(static_cast<std::int8_t>(i));
    s.loopStart = 4;
    s.loopLength = 12;
    m.samples = {s};
    ModulePlayer player;
    loadForTicks(player, m);
    ModChannel& ch = player.Channel(1);
    ch.sampleNumber = 1;
    ch.mixVolume = 64;
    std::vector<std::int32_t> left(40, 0), right(40, 0);
    player.MixChannels(left.data(), right.data(), 0, 40);  // no pitch yet
    EXPECT_EQ(std::count(right.begin(), right.end(), 0), 40);
    ch.frequency = 11025.0f;
    player.MixChannels(left.data(), right.data(), 0, 40);
    EXPECT_EQ(right[15], 15 * 127);
    EXPECT_EQ(right[16], 4 * 127);  // back to the loop start
    EXPECT_EQ(right[28], 4 * 127);
    EXPECT_EQ(std::count(left.begin(), left.end(), 0), 40);  // channel 1 is on the right
}

TEST(PlayerMixer, ALoopWithoutLengthPlaysOnceAndFallsSilent) {
    for (const std::int32_t loopStart : {8, 20}) {  // at its end (length 0), beyond the sample's end
        TestModule m;
        TestSample s;
        for (int i = 0; i < 16; ++i) s.data.push_back(static_cast<std::int8_t>(i));
        s.loopStart = loopStart;
        s.loopLength = loopStart == 8 ? 0 : 4;
        m.samples = {s};
        ModulePlayer player;
        loadForTicks(player, m);
        ModChannel& ch = player.Channel(0);
        ch.sampleNumber = 1;
        ch.mixVolume = 64;
        ch.frequency = 11025.0f;
        std::vector<std::int32_t> left(40, 0), right(40, 0);
        player.MixChannels(left.data(), right.data(), 0, 40);
        EXPECT_EQ(left[9], 9 * 127) << loopStart;
        EXPECT_EQ(std::count(left.begin() + 15, left.end(), 0), 25) << loopStart;
    }
}

TEST(PlayerMixer, InterpolatesAcrossTheLoopSeam) {
    TestModule m;
    TestSample s;
    for (int i = 0; i < 12; ++i) s.data.push_back(static_cast<std::int8_t>(i * 10));
    s.loopStart = 2;
    s.loopLength = 8;  // loop end 10: byte 10 now repeats byte 2
    m.samples = {s};
    ModulePlayer player;
    loadForTicks(player, m);
    ModChannel& ch = player.Channel(0);
    ch.sampleNumber = 1;
    ch.mixVolume = 64;
    ch.position = 9 * ONE_BYTE + 512;
    ch.frequency = 11025.0f;
    std::int32_t left[1] = {0}, right[1] = {0};
    player.MixChannels(left, right, 0, 1);
    EXPECT_EQ(left[0], (90 * 127 + 20 * 127) / 2);
}

TEST(PlayerOutput, ConversionsToEachFormat) {
    struct Case {
        std::uint8_t channels, bits;
    };
    // Channel 0 (left) plays a flat 100 at full volume: mix value 12700 in every frame.
    for (const Case c : {Case{2, 16}, Case{1, 16}, Case{2, 8}, Case{1, 8}}) {
        TestModule m = toneModule(100);
        m.note(0, 0, 0, {1, 428, 0, 0});
        ModulePlayer player;
        player.Configure(c.channels, 11025, c.bits, 10);
        const std::vector<std::uint8_t> image = m.build();
        player.LoadModule(image.data(), static_cast<std::int32_t>(image.size()));
        player.StartMusic(true);
        const RenderedBuffer b = renderBuffer(player, c.bits / 8u * c.channels * 11025 / 10);
        if (c.bits == 16 && c.channels == 2) {
            EXPECT_EQ(leftAt(b, 0), 6350);
            EXPECT_EQ(rightAt(b, 1101), 0);
            EXPECT_EQ(b.bytes[4408], 0);  // the half frame at the end stays as it was
        } else if (c.bits == 16) {
            EXPECT_EQ(static_cast<std::int16_t>(b.bytes[0] | (b.bytes[1] << 8)), 6350);
        } else if (c.channels == 2) {
            EXPECT_EQ(b.bytes[0], 128 + (12700 >> 9));
            EXPECT_EQ(b.bytes[1], 128);
        } else {
            EXPECT_EQ(b.bytes[1101], 128 + (12700 >> 9));
        }
    }
}

TEST(PlayerOutput, EightLoudChannelsSaturateInEveryFormat) {
    struct Case {
        std::uint8_t channels, bits;
        std::int32_t first;
    };
    // All eight channels play a flat 127 at full volume: 4 x 16129 in each mix buffer.
    for (const Case c : {Case{2, 16, 32258}, Case{1, 16, 32767}, Case{2, 8, 254}, Case{1, 8, 255}}) {
        TestModule m = toneModule(127);
        m.signature = "8CHN";
        m.channels = 8;
        for (int channel = 0; channel < 8; ++channel) m.note(0, 0, channel, {1, 428, 0, 0});
        ModulePlayer player;
        player.Configure(c.channels, 11025, c.bits, 10);
        const std::vector<std::uint8_t> image = m.build();
        player.LoadModule(image.data(), static_cast<std::int32_t>(image.size()));
        player.StartMusic(true);
        const RenderedBuffer b = renderBuffer(player, c.bits / 8u * c.channels * 11025 / 10);
        EXPECT_EQ(c.bits == 16 ? leftAt(b, 0) : b.bytes[0], c.first) << int{c.channels} << "x" << int{c.bits};
    }
}

TEST(PlayerOutput, ChannelsArePlacedLeftRightRightLeft) {
    TestModule m = toneModule(100);
    m.signature = "8CHN";
    m.channels = 8;
    ModulePlayer player;
    loadForTicks(player, m);
    for (int c = 0; c < 8; ++c) {
        ModChannel& ch = player.Channel(c);
        ch = ModChannel{};
        ch.sampleNumber = c == 5 ? 1 : 0;
        ch.frequency = 11025.0f;
        ch.mixVolume = 64;
    }
    std::int32_t left[4] = {}, right[4] = {};
    player.MixChannels(left, right, 0, 4);
    EXPECT_EQ(right[0], 12700);
    EXPECT_EQ(left[0], 0);
}

TEST(PlayerEffects, ExtendedEffectsAtRowStartAndNoteCut) {
    TestModule m = toneModule(40, 20);
    m.note(0, 0, 0, {1, 428, 0xE, 0x13});  // fine slide up by 3
    m.note(0, 1, 0, {0, 0, 0xE, 0x25});    // fine slide down by 5
    m.note(0, 2, 0, {0, 0, 0xE, 0xA7});    // fine volume up by 7
    m.note(0, 3, 0, {0, 0, 0xE, 0xBF});    // fine volume down by 15
    m.note(0, 4, 0, {1, 0, 0xE, 0x5E});    // the sample's finetune becomes -2 for good
    m.note(0, 5, 0, {0, 428, 0xE, 0xC2});  // cut on tick 2
    ModulePlayer player;
    loadForTicks(player, m);
    player.StartMusic(false);
    renderTick(player);
    EXPECT_FLOAT_EQ(player.Channel(0).period, player.PeriodAt(103) - 3.0f);
    ASSERT_TRUE(renderUntilRow(player, 0, 2));
    EXPECT_FLOAT_EQ(player.Channel(0).period, player.PeriodAt(103) + 2.0f);
    ASSERT_TRUE(renderUntilRow(player, 0, 3));
    EXPECT_EQ(player.Channel(0).volume, 27);
    ASSERT_TRUE(renderUntilRow(player, 0, 4));
    EXPECT_EQ(player.Channel(0).volume, 12);
    ASSERT_TRUE(renderUntilRow(player, 0, 5));
    EXPECT_EQ(player.Sample(1).finetune, -2);
    renderTick(player);
    renderTick(player);
    EXPECT_FLOAT_EQ(player.Channel(0).period, player.PeriodAt(101));
    EXPECT_EQ(player.Channel(0).volume, 20);
    renderTick(player);  // tick 2
    EXPECT_EQ(player.Channel(0).volume, 0);
    EXPECT_EQ(player.Channel(0).mixVolume, 0);
}
