// The game's sound cues on the game's one engine, with the sounds built into the program.
#include <gtest/gtest.h>

#include "game/game_state.h"
#include "platform/headless/headless.h"
#include "sound/sound_cues.h"
#include "sound/sound_engine.h"
#include "sound/sound_report.h"

namespace {

bool MusicBuiltIn() { return !platform::findResource("MOD", 120).empty(); }

}  // namespace

// One test, because it starts the global engine once, as the game does.
TEST(GameSoundCues, StartUpLoadsTheSoundsAndEveryCueFollowsTheSoundSetting) {
    headless::reset();
    resetGameState();
    gameState.soundOn = 1;
    startGameSound();

    EXPECT_EQ(gameState.firstRemoveSample, 0);
    EXPECT_EQ(gameState.secondRemoveSample, 1);
    EXPECT_EQ(gameState.clapsSample, 2);
    EXPECT_EQ(gameState.buttonsSample, 3);
    EXPECT_TRUE(soundEngine.deviceOpen);
    EXPECT_EQ(headless::audioVolume(), 0xFF00u);
    for (int slot = 0; slot < 4; ++slot) {
        const SoundSample& sample = *soundEngine.slots[slot];
        EXPECT_EQ(sample.rate, 11025u);
        EXPECT_EQ(sample.bits, 16);
        EXPECT_EQ(sample.stereo, 0);
    }
    EXPECT_EQ(soundEngine.IsMusicPlaying(), MusicBuiltIn());

    const std::string report = soundEngineReportJson();
    EXPECT_EQ(report.rfind("{\"open\":true,\"channels\":2,\"rate\":11025,\"bits\":16,\"masterVolume\":255,"
                           "\"musicVolume\":255,\"effectsVolume\":255,\"deviceVolume\":65280,\"voices\":0,"
                           "\"slots\":[\"remove\",\"remove\",\"claps\",\"buttons\"],\"music\":{",
                           0),
              0u)
        << report;
    EXPECT_NE(report.find("\"orderIndex\":"), std::string::npos);
    EXPECT_NE(report.find("\"songLength\":"), std::string::npos);
    EXPECT_EQ(report.back(), '}');

    playButtonsSample();
    EXPECT_EQ(soundEngine.CountVoices(), 1u);
    playClapsSample();
    EXPECT_EQ(soundEngine.CountVoices(), 2u);

    gameState.soundOn = 0;
    playButtonsSample();
    playClapsSample();
    EXPECT_EQ(soundEngine.CountVoices(), 2u);

    gameState.soundOn = 1;
    gameState.buttonsSample = -1;
    playButtonsSample();
    EXPECT_EQ(soundEngine.CountVoices(), 2u);
    gameState.clapsSample = -1;
    playClapsSample();
    EXPECT_EQ(soundEngine.CountVoices(), 2u);

    // The music controls do not look at the sound setting.
    gameState.soundOn = 0;
    pauseMusic(true);
    EXPECT_EQ(soundEngine.music.paused, 1);
    pauseMusic(false);
    EXPECT_EQ(soundEngine.music.paused, 0);
    stopMusic();
    EXPECT_FALSE(soundEngine.IsMusicPlaying());
    startMusicLooping();
    EXPECT_EQ(soundEngine.IsMusicPlaying(), MusicBuiltIn());

    // The claps last about two seconds; then both voices are gone.
    headless::advance(2600);
    EXPECT_EQ(soundEngine.CountVoices(), 0u);
    stopMusic();
    headless::reset();
}
