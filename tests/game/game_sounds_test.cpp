// The sounds the commands make: the tap sound, the claps of a new record, and the music paused while a
// solved level is shown.
#include <array>
#include <vector>

#include "game/stylus.h"
#include "game_fixture.h"
#include "sound/sound_engine.h"

namespace {

// A short, valid 8-bit mono RIFF/WAVE image.
std::vector<std::uint8_t> shortWave() {
    const std::array<std::uint8_t, 8> pcm{128, 160, 192, 160, 128, 96, 64, 96};
    auto word = [](std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    std::vector<std::uint8_t> image;
    for (const char c : std::string("RIFF")) image.push_back(static_cast<std::uint8_t>(c));
    word(image, 36 + pcm.size(), 4);
    for (const char c : std::string("WAVEfmt ")) image.push_back(static_cast<std::uint8_t>(c));
    word(image, 16, 4);
    word(image, 1, 2);      // PCM
    word(image, 1, 2);      // mono
    word(image, 11025, 4);  // rate
    word(image, 11025, 4);  // bytes per second
    word(image, 1, 2);      // block
    word(image, 8, 2);      // bits
    for (const char c : std::string("data")) image.push_back(static_cast<std::uint8_t>(c));
    word(image, pcm.size(), 4);
    image.insert(image.end(), pcm.begin(), pcm.end());
    return image;
}

class GameSounds : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        openWindow();
        ensureRecordsFile();
        loadRecords();
        static const std::int32_t buttons = soundEngine.LoadSound(L"buttons", shortWave());
        static const std::int32_t claps = soundEngine.LoadSound(L"claps", shortWave());
        ASSERT_GE(buttons, 0);
        ASSERT_GE(claps, 0);
        gameState.buttonsSample = buttons;
        gameState.clapsSample = claps;
        gameState.soundOn = 1;
        soundEngine.PauseMusic(false);
        playing(11, 11);
    }

    static std::uint32_t voices() { return soundEngine.CountVoices(); }
    static bool musicPaused() { return soundEngine.music.paused != 0; }

    static void playing(std::int32_t level, std::int32_t maxLevel) {
        playLevel(level, maxLevel);
        gameState.boardLeft = 29 * gameState.boardColumnOffset - 26;
        gameState.boardTop = 29 * gameState.boardRowOffset - 26;
        gameState.boardRight = gameState.boardLeft + 29 * gameState.columnCount;
        gameState.boardBottom = gameState.boardTop + 29 * gameState.rowCount;
        startClockTimers();
    }

    // Down and up on board cell (0, 0).
    static void tapFirstCell() {
        const int x = 29 * gameState.boardColumnOffset - 20, y = 29 * gameState.boardRowOffset - 20;
        stylusDown(x, y);
        stylusUp(x, y);
    }

    // The answer worked out by hand (not shown by SOLVE), its kind in cell (0, 0) placed again by a tap.
    static void solveWithATap() {
        gameState.playerGrid = gameState.solutionGrid;
        gameState.viewpointLit.fill(1);
        gameState.selectedTower = gameState.solutionGrid[0] - 1;
        tapFirstCell();
    }
};

TEST_F(GameSounds, PlacingAndEmptyingACellBothSound) {
    const auto before = voices();
    gameState.selectedTower = 0;
    tapFirstCell();
    EXPECT_EQ(voices(), before + 1);
    gameState.selectedTower = NO_TOWER;
    tapFirstCell();
    EXPECT_EQ(voices(), before + 2);
    tapFirstCell();  // emptying an empty cell sounds too
    EXPECT_EQ(voices(), before + 3);
}

TEST_F(GameSounds, OnlyHomeAmongThePanelAndTowerButtonsSounds) {
    const auto before = voices();
    for (const auto& [x, y] : {std::pair{20, 240}, {100, 310}, {144, 310}, {160, 310}, {200, 310}, {70, 310}}) {
        stylusDown(x, y);
        stylusUp(x, y);
    }
    EXPECT_EQ(voices(), before);
    stylusUp(20, 310);
    EXPECT_EQ(voices(), before + 1);
}

TEST_F(GameSounds, MenuButtonsSound) {
    const auto before = voices();
    gameState.tutorialSeen = 1;
    gameState.screen = SCREEN_HOME;
    stylusUp(200, 130);
    gameState.screen = SCREEN_HOME;
    stylusUp(200, 170);
    gameState.screen = SCREEN_HOME;
    stylusUp(200, 210);
    EXPECT_EQ(voices(), before + 3);
    gameState.screen = SCREEN_HOME;
    stylusUp(100, 130);
    EXPECT_EQ(voices(), before + 3);
}

TEST_F(GameSounds, WithTheSoundOffNothingSoundsAndNothingPauses) {
    gameState.soundOn = 0;
    const auto before = voices();
    gameState.selectedTower = 0;
    tapFirstCell();
    stylusUp(20, 310);
    EXPECT_EQ(voices(), before);

    playing(11, 11);
    solveWithATap();
    EXPECT_EQ(gameState.screen, SCREEN_NEW_RECORD);
    EXPECT_EQ(voices(), before);
    EXPECT_FALSE(musicPaused());

    soundEngine.PauseMusic(true);
    stylusUp(120, 235);  // OK: the next level starts, the music is left alone
    EXPECT_EQ(gameState.screen, SCREEN_PLAY);
    EXPECT_TRUE(musicPaused());
}

TEST_F(GameSounds, ANewRecordClapsOverPausedMusicUntilTheNextLevel) {
    const auto before = voices();
    solveWithATap();
    EXPECT_EQ(gameState.screen, SCREEN_NEW_RECORD);
    EXPECT_EQ(voices(), before + 2);  // the tap and the claps
    EXPECT_TRUE(musicPaused());
    stylusUp(120, 235);
    EXPECT_EQ(gameState.screen, SCREEN_PLAY);
    EXPECT_FALSE(musicPaused());
}

TEST_F(GameSounds, APlainLevelCompleteIsSilentAndResumesOnTheTap) {
    std::snprintf(gameState.recordTimes[11].data(), RECORD_TEXT_SIZE, "%8i", 1);
    gameState.levelSeconds = 5.0;
    const auto before = voices();
    solveWithATap();
    EXPECT_EQ(gameState.screen, SCREEN_LEVEL_COMPLETE);
    EXPECT_EQ(voices(), before + 1);
    EXPECT_TRUE(musicPaused());
    stylusUp(10, 10);
    EXPECT_FALSE(musicPaused());
}

TEST_F(GameSounds, TheEndOfTheGameLeavesTheMusicPaused) {
    playing(56, 56);
    std::snprintf(gameState.recordTimes[56].data(), RECORD_TEXT_SIZE, "%8i", 1);
    gameState.levelSeconds = 5.0;
    solveWithATap();
    ASSERT_EQ(gameState.screen, SCREEN_LEVEL_COMPLETE);
    stylusUp(10, 10);
    EXPECT_EQ(gameState.screen, SCREEN_GAME_COMPLETE);
    stylusUp(10, 10);
    EXPECT_EQ(gameState.screen, SCREEN_HOME);
    EXPECT_TRUE(musicPaused());
}

TEST_F(GameSounds, AMissingTapSoundSilencesOnlyTheTaps) {
    gameState.buttonsSample = -1;
    const auto before = voices();
    solveWithATap();
    EXPECT_EQ(gameState.screen, SCREEN_NEW_RECORD);
    EXPECT_EQ(voices(), before + 1);  // the claps alone
}

}  // namespace
