// The records image: the default file, what a save writes byte for byte, and what any bytes read as.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include "game/game_state.h"
#include "records/records_layout.h"
#include "temporary_folder.h"

namespace {

using records::RECORDS_FILE_SIZE;

std::string text(const records::RecordsImage& image) { return std::string(image.begin(), image.end()); }
std::string text(const RecordText& field) { return field.data(); }

void setText(RecordText& field, const char* value) {
    field.fill(0);
    std::memcpy(field.data(), value, std::min(std::strlen(value), field.size() - 1));
}

std::string defaultFileText() {
    std::string expected = "10 1";
    for (int level = 1; level <= 56; ++level) expected += "--------       0";
    return expected;
}

class RecordsLayout : public ::testing::Test {
protected:
    void SetUp() override { resetGameState(); }
    void TearDown() override { resetGameState(); }
};

TEST_F(RecordsLayout, DefaultFileIsExactlyAsDesigned) {
    const std::string expected = defaultFileText();
    ASSERT_EQ(expected.size(), 900u);
    EXPECT_EQ(text(records::defaultRecordsImage()), expected);
}

TEST_F(RecordsLayout, HeaderNumbersAreWrittenInTheirFieldWidths) {
    gameState.soundOn = 1;
    gameState.tutorialSeen = 1;
    gameState.maxLevel = 9;
    EXPECT_EQ(text(records::formatRecords(gameState)).substr(0, 4), "11 9");
    gameState.soundOn = 0;
    gameState.maxLevel = 56;
    EXPECT_EQ(text(records::formatRecords(gameState)).substr(0, 4), "0156");
    gameState.soundOn = 5;  // any set flag is written as 1
    gameState.tutorialSeen = 0;
    gameState.maxLevel = 1;
    EXPECT_EQ(text(records::formatRecords(gameState)).substr(0, 4), "10 1");
}

TEST_F(RecordsLayout, NumbersTooWideForTheirFieldKeepTheirFirstCharacters) {
    gameState.tutorialSeen = 12;
    gameState.maxLevel = 123;
    EXPECT_EQ(text(records::formatRecords(gameState)).substr(0, 4), "1112");
    gameState.tutorialSeen = -1;
    gameState.maxLevel = -5;
    EXPECT_EQ(text(records::formatRecords(gameState)).substr(0, 4), "1--5");
}

TEST_F(RecordsLayout, NamesAndTimesAreRightAlignedInEightCharacters) {
    setText(gameState.recordNames[1], "     ANN");
    setText(gameState.recordTimes[1], "      83");
    setText(gameState.recordNames[2], "ANN");  // shorter texts are padded on the left
    setText(gameState.recordTimes[2], "7");
    setText(gameState.recordNames[56], "ABCDEFGH");
    setText(gameState.recordTimes[56], "12345678");
    const std::string file = text(records::formatRecords(gameState));
    ASSERT_EQ(file.size(), 900u);
    EXPECT_EQ(file.substr(4, 16), "     ANN      83");
    EXPECT_EQ(file.substr(20, 16), "     ANN       7");
    EXPECT_EQ(file.substr(884, 16), "ABCDEFGH12345678");
    EXPECT_EQ(file.substr(36, 16), std::string(16, ' '));  // empty fields
}

TEST_F(RecordsLayout, UnterminatedTextsKeepTheirFirstEightCharacters) {
    gameState.recordNames[3].fill('X');
    gameState.recordTimes[3].fill('9');
    const std::string file = text(records::formatRecords(gameState));
    EXPECT_EQ(file.substr(36, 16), "XXXXXXXX99999999");
    EXPECT_EQ(file.substr(52, 4), "    ");
}

TEST_F(RecordsLayout, DefaultFileReadsAsAFirstStart) {
    const auto image = records::defaultRecordsImage();
    const auto contents = records::parseRecords(image);
    EXPECT_EQ(contents.soundFlag, 1);
    EXPECT_EQ(contents.tutorialSeen, 0);
    EXPECT_EQ(contents.maxLevel, 1);
    for (int level = 1; level <= 56; ++level) {
        EXPECT_EQ(text(contents.names[level]), "--------");
        EXPECT_EQ(text(contents.times[level]), "       0");
    }
}

TEST_F(RecordsLayout, WhatIsSavedLoadsBack) {
    gameState.soundOn = 0;
    gameState.tutorialSeen = 1;
    gameState.maxLevel = 37;
    for (int level = 1; level <= 56; ++level) {
        char field[16];
        std::snprintf(field, sizeof field, "%8s", level % 2 ? "ZOE" : "MAXIMILI");
        setText(gameState.recordNames[level], field);
        std::snprintf(field, sizeof field, "%8i", level * 13);
        setText(gameState.recordTimes[level], field);
    }
    const GameState saved = gameState;
    const auto image = records::formatRecords(saved);
    resetGameState();
    records::applyRecords(records::parseRecords(image), gameState);
    EXPECT_EQ(gameState.soundOn, 0u);
    EXPECT_EQ(gameState.tutorialSeen, 1);
    EXPECT_EQ(gameState.maxLevel, 37);
    EXPECT_EQ(gameState.recordNames, saved.recordNames);
    EXPECT_EQ(gameState.recordTimes, saved.recordTimes);
}

TEST_F(RecordsLayout, OnlyASoundValueOfZeroTurnsTheSoundOff) {
    auto image = records::defaultRecordsImage();
    for (char sound : {'1', '7', 'x', ' ', '0'}) {
        image[0] = static_cast<std::uint8_t>(sound);
        for (std::uint32_t before : {0u, 1u}) {
            gameState.soundOn = before;
            records::applyRecords(records::parseRecords(image), gameState);
            const bool readsAsZero = sound == 'x' || sound == ' ' || sound == '0';
            EXPECT_EQ(gameState.soundOn, readsAsZero ? 0u : before) << sound;
        }
    }
}

TEST_F(RecordsLayout, HeaderNumbersAreReadAsAtoiReadsThem) {
    struct Case {
        const char* header;
        int sound, tutorial, level;
    };
    const Case cases[] = {
        {"11 9", 1, 1, 9}, {"0156", 0, 1, 56}, {"ab-7", 0, 0, -7}, {"1+ 5", 1, 0, 5},
        {"1 +5", 1, 0, 5}, {"--7x", 0, 0, 7},  {"9912", 9, 9, 12}, {"1\t 3", 1, 0, 3},
    };
    for (const Case& c : cases) {
        auto image = records::defaultRecordsImage();
        std::memcpy(image.data(), c.header, 4);
        const auto contents = records::parseRecords(image);
        EXPECT_EQ(contents.soundFlag, c.sound) << c.header;
        EXPECT_EQ(contents.tutorialSeen, c.tutorial) << c.header;
        EXPECT_EQ(contents.maxLevel, c.level) << c.header;
    }
}

TEST_F(RecordsLayout, AZeroByteEndsAFieldWhichIsThenRightAligned) {
    auto image = records::defaultRecordsImage();
    std::memcpy(image.data() + 4, "AB\0CDEFG", 8);
    std::memcpy(image.data() + 12, "\0\0\0\0\0\0\0\0", 8);
    std::memcpy(image.data() + 2, "\0" "7", 2);
    const auto contents = records::parseRecords(image);
    EXPECT_EQ(text(contents.names[1]), "      AB");
    EXPECT_EQ(text(contents.times[1]), "        ");
    EXPECT_EQ(contents.maxLevel, 0);
}

TEST_F(RecordsLayout, AnyBytesInANameOrTimeAreKept) {
    auto image = records::defaultRecordsImage();
    std::memcpy(image.data() + 884, "a\xff~ \x01z!?", 8);
    const auto contents = records::parseRecords(image);
    EXPECT_EQ(text(contents.names[56]), "a\xff~ \x01z!?");
}

TEST_F(RecordsLayout, FieldsAShortFileDoesNotFullyHoldTakeTheDefault) {
    gameState.soundOn = 0;
    gameState.tutorialSeen = 1;
    gameState.maxLevel = 37;
    for (int level = 1; level <= 56; ++level) {
        setText(gameState.recordNames[level], "    ABCD");
        setText(gameState.recordTimes[level], "     999");
    }
    const auto file = records::formatRecords(gameState);
    for (std::size_t length = 0; length <= RECORDS_FILE_SIZE; ++length) {
        SCOPED_TRACE(length);
        const auto contents = records::parseRecords(std::span<const std::uint8_t>(file.data(), length));
        EXPECT_EQ(contents.soundFlag, length >= 1 ? 0 : 1);
        EXPECT_EQ(contents.tutorialSeen, length >= 2 ? 1 : 0);
        EXPECT_EQ(contents.maxLevel, length >= 4 ? 37 : 1);
        for (int level = 1; level <= 56; ++level) {
            const bool nameHeld = length >= 12u + 16u * (level - 1);
            const bool timeHeld = length >= 20u + 16u * (level - 1);
            ASSERT_EQ(text(contents.names[level]), nameHeld ? "    ABCD" : "--------") << level;
            ASSERT_EQ(text(contents.times[level]), timeHeld ? "     999" : "       0") << level;
        }
    }
}

TEST_F(RecordsLayout, BytesBeyondTheImageAreIgnored) {
    auto bytes = bytesOf(defaultFileText() + "TAIL DATA 0000");
    const auto contents = records::parseRecords(bytes);
    EXPECT_EQ(text(contents.times[56]), "       0");
}

TEST_F(RecordsLayout, RandomBytesAlwaysGiveEightCharacterTexts) {
    std::mt19937 random(1234);
    for (int run = 0; run < 2000; ++run) {
        std::vector<std::uint8_t> bytes(random() % 1100);
        for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random() % 4 == 0 ? 0 : random());
        const auto contents = records::parseRecords(bytes);
        for (int level = 1; level <= 56; ++level) {
            ASSERT_EQ(std::strlen(contents.names[level].data()), 8u);
            ASSERT_EQ(std::strlen(contents.times[level].data()), 8u);
        }
        ASSERT_GE(contents.maxLevel, -9);
        ASSERT_LE(contents.maxLevel, 99);
    }
}

}  // namespace
