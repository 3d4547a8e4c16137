// Loading MOD images: layouts, headers, note unpacking, sample data and images that lie.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "test_module.h"

using namespace music_test;

namespace {

std::vector<std::uint8_t> moduleWithPeriods(const std::vector<std::int32_t>& periods) {
    TestModule m;
    for (std::size_t i = 0; i < periods.size(); ++i) m.note(0, static_cast<int>(i), 0, {0, periods[i], 0, 0});
    return m.build();
}

bool load(ModulePlayer& player, const std::vector<std::uint8_t>& image) {
    return player.LoadModule(image.data(), static_cast<std::int32_t>(image.size()));
}

}  // namespace

TEST(ModuleLayout, SignatureChoosesChannelsAndSampleHeaders) {
    struct Case {
        const char* signature;
        int channels;
    };
    for (const Case c : {Case{"8CHN", 8}, Case{"M.K.", 4}, Case{"FLT4", 4}, Case{"FLT8", 8}, Case{"6CHN", 6}}) {
        TestModule m;
        m.signature = c.signature;
        m.channels = c.channels;
        m.samples.resize(31, flatSample(4, 1));
        m.samples[30] = flatSample(6, 31);  // only readable when all 31 headers are read
        ModulePlayer player;
        ASSERT_TRUE(load(player, m.build())) << c.signature;
        EXPECT_EQ(player.ChannelCount(), c.channels) << c.signature;
        EXPECT_EQ(player.Sample(31).length, 6) << c.signature;
        EXPECT_EQ(player.Sample(31).data[0], 31) << c.signature;
    }
}

TEST(ModuleLayout, ZeroSignatureMeansFifteenSamplesWithPatternsAfterTheOrderList) {
    TestModule m;
    m.signature.clear();
    m.samples = {flatSample(8, 5)};
    m.note(0, 0, 0, {1, 428, 0xC, 0x20}).note(0, 63, 3, {1, 214, 0xF, 3});
    std::vector<std::uint8_t> image = m.build();
    image.resize(std::max<std::size_t>(image.size(), 1084), 0);  // bytes 1080..1083 are zero
    ModulePlayer player;
    ASSERT_TRUE(load(player, image));
    EXPECT_EQ(player.ChannelCount(), 4);
    EXPECT_EQ(player.Cell(0, 0, 0).sampleNumber, 1);
    EXPECT_EQ(player.Cell(0, 0, 0).note, 103);
    EXPECT_EQ(player.Cell(0, 0, 0).param, 0x20);
    EXPECT_EQ(player.Cell(0, 63, 3).effect, 0xF);
    EXPECT_EQ(player.Sample(1).length, 8);
    EXPECT_EQ(player.Sample(1).data[7], 5);
}

TEST(ModuleLayout, FourChannelModuleLeavesCellsFourToSevenZero) {
    TestModule m;
    for (int c = 0; c < 4; ++c) m.note(0, 5, c, {1, 428, 0xA, 0x11});
    ModulePlayer player;
    ASSERT_TRUE(load(player, m.build()));
    for (int c = 4; c < 8; ++c) {
        const PatternCell cell = player.Cell(0, 5, c);
        EXPECT_EQ(cell.sampleNumber, 0);
        EXPECT_EQ(cell.note, 0);
        EXPECT_EQ(cell.effect, 0);
        EXPECT_EQ(cell.param, 0);
    }
    EXPECT_EQ(player.Cell(0, 5, 3).effect, 0xA);
}

TEST(ModuleLayout, NoteUnpacksSampleNumberFromBothNibbles) {
    TestModule m;
    m.note(0, 0, 0, {0x1F, 856, 0x3, 0x42});
    ModulePlayer player;
    ASSERT_TRUE(load(player, m.build()));
    const PatternCell cell = player.Cell(0, 0, 0);
    EXPECT_EQ(cell.sampleNumber, 0x1F);
    EXPECT_EQ(cell.note, 8);
    EXPECT_EQ(cell.effect, 3);
    EXPECT_EQ(cell.param, 0x42);
}

TEST(ModuleNotes, PeriodsBecomeEighthSemitoneIndexes) {
    const std::vector<std::int32_t> periods{856, 428, 214, 0, 907, 113, 85, 914, 4095};
    const std::vector<std::int32_t> notes{8, 103, 199, -1, 0, 288, 327};
    ModulePlayer player;
    ASSERT_TRUE(load(player, moduleWithPeriods(periods)));
    for (std::size_t i = 0; i < notes.size(); ++i) EXPECT_EQ(player.Cell(0, static_cast<int>(i), 0).note, notes[i]) << periods[i];
    EXPECT_LT(player.Cell(0, 7, 0).note, 0);
    EXPECT_LT(player.Cell(0, 8, 0).note, 0);
}

TEST(ModuleSamples, HeaderFieldsAsStored) {
    TestModule m;
    m.samples.resize(4, flatSample(10, 0));
    m.samples[0].finetuneByte = 13;
    m.samples[1].finetuneByte = 15;
    m.samples[2].finetuneByte = 7;
    m.samples[3].volume = 200;
    m.samples[0].name = "soft lead";
    ModulePlayer player;
    ASSERT_TRUE(load(player, m.build()));
    EXPECT_EQ(player.Sample(1).finetune, -3);
    EXPECT_EQ(player.Sample(2).finetune, -1);
    EXPECT_EQ(player.Sample(3).finetune, 7);
    EXPECT_EQ(player.Sample(4).volume, 64);  // the volume table has rows 0..64 only
    EXPECT_EQ(player.Sample(1).name, L"soft lead");
    EXPECT_EQ(player.Sample(1).data.size(), 11u);
}

TEST(ModuleSamples, LoopEndIsClampedAndTheSeamRepeatsTheLoopStart) {
    TestModule m;
    TestSample big;
    for (int i = 0; i < 26594; ++i) big.data.push_back(static_cast<std::int8_t>(i * 7));
    big.loopStart = 5346;
    big.loopLength = 21246;
    m.samples = {flatSample(20, 3), big};
    ModulePlayer player;
    ASSERT_TRUE(load(player, m.build()));
    EXPECT_EQ(player.Sample(1).loopEnd, 0);
    const ModSample& s = player.Sample(2);
    EXPECT_EQ(s.length, 26594);
    EXPECT_EQ(s.loopEnd, 26592);
    EXPECT_EQ(s.data[26592], s.data[5346]);
    EXPECT_EQ(s.data[26591], static_cast<std::int8_t>(26591 * 7));
}

TEST(ModuleSamples, LoopStartPastTheEndReadsNothingOutside) {
    TestModule m;
    TestSample s = flatSample(100, 9);
    s.loopStart = 400;
    s.loopLength = 400;
    m.samples = {s};
    ModulePlayer player;
    ASSERT_TRUE(load(player, m.build()));
    EXPECT_EQ(player.Sample(1).loopEnd, 100);
    EXPECT_EQ(player.Sample(1).data.size(), 101u);
}

TEST(ModuleOrders, HighestEntryAnywhereDecidesThePatternCount) {
    TestModule m;
    m.orders = {0, 1, 0, 13};
    m.songLength = 2;
    ModulePlayer player;
    ASSERT_TRUE(load(player, m.build()));
    EXPECT_EQ(player.SongLength(), 2);
    EXPECT_EQ(player.PatternCount(), 14);
    EXPECT_EQ(player.Order(3), 13);
}

TEST(ModuleText, TitleIsReadAsLatin1UpToItsTerminator) {
    TestModule m;
    m.title = std::string("Caf\xE9 tune\0junk", 14);
    ModulePlayer player;
    ASSERT_TRUE(load(player, m.build()));
    EXPECT_EQ(player.Title(), L"Caf\u00E9 tune");
}

TEST(ModuleReload, SecondModuleReplacesEverySampleOfTheFirst) {
    TestModule first;
    first.signature = "M.K.";
    first.samples.resize(20, flatSample(16, 4));
    TestModule second;
    second.signature.clear();
    second.samples = {flatSample(8, 2)};
    ModulePlayer player;
    ASSERT_TRUE(load(player, first.build()));
    ASSERT_TRUE(load(player, second.build()));
    EXPECT_EQ(player.Sample(1).length, 8);
    EXPECT_EQ(player.Sample(20).length, 0);  // beyond the 15-sample layout: no sample
    EXPECT_TRUE(player.Sample(20).data.empty());
}

TEST(ModuleFailures, NullOrTinyImageLoadsNothing) {
    ModulePlayer player;
    EXPECT_FALSE(player.LoadModule(nullptr, 5000));
    EXPECT_EQ(player.loaded, 0);
    const std::vector<std::uint8_t> tiny(100, 0);
    EXPECT_FALSE(load(player, tiny));
    EXPECT_EQ(player.loaded, 0);
    EXPECT_FALSE(player.StartMusic(true));
}

TEST(ModuleFailures, FailedLoadKeepsTheEarlierModule) {
    TestModule m;
    m.samples = {flatSample(10, 1)};
    ModulePlayer player;
    ASSERT_TRUE(load(player, m.build()));
    EXPECT_FALSE(player.LoadModule(nullptr, 0));
    EXPECT_FALSE(player.LoadModuleFile("/nonexistent/folder/tune.mod"));
    EXPECT_EQ(player.loaded, 1);
    EXPECT_EQ(player.Sample(1).length, 10);
}

TEST(ModuleFailures, HugeSampleLengthsAreBoundedByTheImage) {
    TestModule m;
    m.samples.resize(31, flatSample(4, 7));
    for (TestSample& s : m.samples) {
        s.lengthWords = 0xFFFF;
        s.loopStart = 0x1000;
        s.loopLength = 0xFFF0;
    }
    const std::vector<std::uint8_t> image = m.build();
    ModulePlayer player;
    ASSERT_TRUE(load(player, image));
    std::int64_t total = 0;
    for (int i = 1; i <= 31; ++i) {
        EXPECT_LE(player.Sample(i).loopEnd, player.Sample(i).length);
        total += player.Sample(i).length;
    }
    EXPECT_LE(total, static_cast<std::int64_t>(image.size()));
    EXPECT_EQ(player.Sample(1).length, 124);  // all that follows the patterns
}

// Plays a loaded module for a while with every kind of row; a bad image must not make it read or
// write outside what it owns (the sanitizer builds check that part).
static void playAWhile(ModulePlayer& player) {
    if (!player.StartMusic(true)) return;
    for (int i = 0; i < 40; ++i) renderBuffer(player, 4410);
}

TEST(ModuleFailures, TruncatedAtEveryOffsetLoadsWhatItHolds) {
    TestModule m;
    m.signature = "8CHN";
    m.channels = 8;
    m.samples = {flatSample(64, 20, 0, 64), flatSample(100, -20)};
    m.orders = {0, 1};
    for (int row = 0; row < 64; row += 3)
        for (int c = 0; c < 8; ++c) m.note(row % 2, row, c, {1 + (row + c) % 2, 428 - row, (row + c) % 16, row * 3});
    const std::vector<std::uint8_t> image = m.build();
    for (std::size_t size = 0; size <= image.size(); ++size) {
        ModulePlayer player;
        player.Configure(2, 11025, 16, 10);
        std::vector<std::uint8_t> part(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(size));
        const bool loaded = player.LoadModule(size == 0 ? nullptr : part.data(), static_cast<std::int32_t>(size));
        EXPECT_EQ(loaded, size >= 600) << size;
        if (size % 97 == 0 || size + 1 >= image.size()) playAWhile(player);
    }
}

TEST(ModuleFailures, RandomBytesNeverReadOutside) {
    std::mt19937 random(120);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::uint8_t> image(600 + random() % 6000);
        for (std::uint8_t& b : image) b = static_cast<std::uint8_t>(random());
        if (round % 3 == 0 && image.size() > 1084) std::memcpy(image.data() + 1080, "8CHN", 4);
        ModulePlayer player;
        player.Configure(1 + round % 2, 11025, round % 4 == 0 ? 8 : 16, 10);
        ASSERT_TRUE(load(player, image));
        EXPECT_LE(player.SongLength(), 128);
        EXPECT_LE(player.PatternCount(), 256);
        playAWhile(player);
    }
}

TEST(ModuleFailures, OrderEntriesUpTo255AllocateEveryPattern) {
    TestModule m;
    m.orders = {255, 0, 128};
    m.note(0, 0, 0, {40, 100, 0xE, 0x5F});  // a sample number beyond the 31 entries
    ModulePlayer player;
    ASSERT_TRUE(load(player, m.build()));
    EXPECT_EQ(player.PatternCount(), 256);
    EXPECT_EQ(player.Cell(255, 63, 7).note, 0);
    player.Configure(2, 11025, 16, 10);
    playAWhile(player);
}
