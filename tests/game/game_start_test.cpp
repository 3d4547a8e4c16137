// The game's start on the first frame: pictures, records file, the level reached, the first present.
#include <filesystem>
#include <string>
#include <utility>

#include "game/screens.h"
#include "game_fixture.h"
#include "gfx/images.h"

namespace {

class GameStart : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        resetGameState();
        gameState.BackBuffer = frame.data();
        gameState.backBufferSize = BACK_BUFFER_SIZE;
        openWindow();
        ASSERT_TRUE(platform::openDisplay());
        gameState.displayProperties = headless::STANDARD_DISPLAY;
    }

    void TearDown() override {
        platform::closeDisplay();
        GameTest::TearDown();
    }

    // The board fields setupLevel gives a level.
    static std::array<std::int32_t, 5> shapeOf(std::int32_t level) {
        const GameState saved = gameState;
        setupLevel(static_cast<std::uint32_t>(level));
        const std::array<std::int32_t, 5> shape{gameState.columnCount, gameState.rowCount, gameState.towerKindCount,
                                                gameState.boardColumnOffset, gameState.boardRowOffset};
        gameState = saved;
        return shape;
    }
    static std::array<std::int32_t, 5> currentShape() {
        return {gameState.columnCount, gameState.rowCount, gameState.towerKindCount, gameState.boardColumnOffset,
                gameState.boardRowOffset};
    }

    static std::string recordsWithHeader(const std::string& header) {
        std::string contents = header;
        for (int level = 1; level <= LEVEL_COUNT; ++level) contents += "--------       0";
        return contents;
    }
};

TEST_F(GameStart, FirstStartCreatesTheRecordsAndSetsUpLevelOne) {
    initialiseGame();
    const std::string file = recordsFile();
    ASSERT_EQ(file.size(), 900u);
    EXPECT_EQ(file.substr(0, 4), "10 1");
    EXPECT_EQ(gameState.maxLevel, 1);
    EXPECT_EQ(gameState.level, 1);
    EXPECT_EQ(gameState.tutorialSeen, 0);
    EXPECT_EQ(gameState.soundOn, 1u);
    EXPECT_EQ(gameState.screen, SCREEN_HOME);
    EXPECT_EQ(currentShape(), shapeOf(1));
    EXPECT_EQ(gameState.selectedTower, NO_TOWER);
}

TEST_F(GameStart, ResumesAtTheLevelReachedWithTheStoredSettings) {
    gameState.screen = SCREEN_PLAY;
    writeRecordsFile(recordsWithHeader("0117"));
    initialiseGame();
    EXPECT_EQ(gameState.level, 17);
    EXPECT_EQ(gameState.maxLevel, 17);
    EXPECT_EQ(gameState.soundOn, 0u);
    EXPECT_EQ(gameState.tutorialSeen, 1);
    EXPECT_EQ(gameState.screen, SCREEN_HOME);
    EXPECT_EQ(currentShape(), shapeOf(17));
    EXPECT_STREQ(gameState.recordTimes[17].data(), "       0");
}

TEST_F(GameStart, ARecordsFileNamingNoLevelPlaysOnFromTheNearestLevel) {
    for (const auto& [header, level] : {std::pair{"10 0", 1}, {"1099", 56}, {"10-3", 1}, {"10XX", 1}}) {
        resetGameState();
        gameState.BackBuffer = frame.data();
        writeRecordsFile(recordsWithHeader(header));
        initialiseGame();
        EXPECT_EQ(gameState.maxLevel, level) << header;
        EXPECT_EQ(gameState.level, level) << header;
        EXPECT_EQ(currentShape(), shapeOf(level)) << header;
    }
}

TEST_F(GameStart, WithoutAnyRecordsFileTheGamePlaysFromLevelOne) {
    // A records "file" that is a folder can be neither read nor created.
    std::filesystem::create_directory(recordsFilePath());
    initialiseGame();
    std::filesystem::remove(recordsFilePath());
    EXPECT_EQ(gameState.maxLevel, 1);
    EXPECT_EQ(gameState.level, 1);
    EXPECT_EQ(gameState.soundOn, 1u);
    EXPECT_EQ(currentShape(), shapeOf(1));
    EXPECT_STREQ(gameState.recordTimes[1].data(), "");
}

TEST_F(GameStart, LoadsTheTwelvePicturesIntoTheirFields) {
    initialiseGame();
    EXPECT_EQ(gameState.playBackgroundImage, loadImage(103));
    EXPECT_EQ(gameState.fontImage, loadImage(104));
    EXPECT_EQ(gameState.towerButtonsImage, loadImage(105));
    EXPECT_EQ(gameState.towerTilesImage, loadImage(106));
    EXPECT_EQ(gameState.homeBackgroundImage, loadImage(107));
    EXPECT_EQ(gameState.titleImage, loadImage(108));
    EXPECT_EQ(gameState.menuButtonsImage, loadImage(109));
    EXPECT_EQ(gameState.panelHighlightsImage, loadImage(110));
    EXPECT_EQ(gameState.recordDialogImage, loadImage(111));
    EXPECT_EQ(gameState.keyHighlightImage, loadImage(112));
    EXPECT_EQ(gameState.okHighlightImage, loadImage(113));
    EXPECT_EQ(gameState.tutorialPartsImage, loadImage(122));
}

TEST_F(GameStart, PresentsTheDarkRedFrameItClearedTo) {
    const auto presented = headless::framesPresented();
    initialiseGame();
    EXPECT_EQ(headless::framesPresented(), presented + 1);
    for (const std::uint16_t value : frame) ASSERT_EQ(value, 0x2000);
    EXPECT_EQ(headless::displayPixel(0, 0), 0x2000);
    EXPECT_EQ(headless::displayPixel(239, 319), 0x2000);
}

TEST_F(GameStart, WithoutAFrameNothingIsLoaded) {
    gameState.BackBuffer = nullptr;
    gameState.screen = SCREEN_CREDITS;
    initialiseGame();
    EXPECT_EQ(gameState.screen, SCREEN_CREDITS);
    EXPECT_EQ(gameState.level, 0);
    EXPECT_EQ(gameState.fontImage, nullptr);
    EXPECT_EQ(recordsFile(), "");
}

TEST_F(GameStart, TheFirstFrameInitialisesOnceAndDrawsHome) {
    ASSERT_EQ(gameState.initPending, 1u);
    renderFrame();
    EXPECT_EQ(gameState.initPending, 0u);
    EXPECT_EQ(gameState.level, 1);
    gameState.level = 3;
    gameState.screen = SCREEN_HOME;
    renderFrame();
    EXPECT_EQ(gameState.level, 3);
    // The home screen covers the whole frame (the pictures are built in), so no loading red is left.
    if (gameState.homeBackgroundImage != nullptr) {
        EXPECT_NE(pixel(0, 319), 0x2000);
    }
}

TEST_F(GameStart, WithoutAFrameTheFirstTickStillClearsThePendingStart) {
    gameState.BackBuffer = nullptr;
    renderFrame();
    EXPECT_EQ(gameState.initPending, 0u);
    EXPECT_EQ(gameState.fontImage, nullptr);
}

}  // namespace
