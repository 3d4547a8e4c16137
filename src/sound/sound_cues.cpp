// The game's sounds: start-up of the output, the tap and claps cues, and the music controls.
#include "sound/sound_cues.h"

#include <limits>
#include <span>

#include "game/game_state.h"
#include "platform/platform.h"
#include "sound/sound_engine.h"

namespace {

constexpr std::uint8_t GAME_CHANNELS = 2;
constexpr std::uint32_t GAME_RATE = 11025;
constexpr std::uint8_t GAME_BITS = 16;
constexpr std::uint8_t GAME_ECHO = 0;
constexpr std::uint8_t FULL_VOLUME = 255;

constexpr int FIRST_REMOVE_SOUND_ID = 125;
constexpr int SECOND_REMOVE_SOUND_ID = 126;
constexpr int CLAPS_SOUND_ID = 115;
constexpr int BUTTONS_SOUND_ID = 123;
constexpr int MUSIC_ID = 120;

std::int32_t loadWaveResource(const wchar_t* name, int id) {
    return soundEngine.LoadSound(name, platform::findResource("WAVE", id));
}

void loadMusicResource() {
    const std::span<const std::uint8_t> module = platform::findResource("MOD", MUSIC_ID);
    if (module.empty() || module.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return;
    soundEngine.LoadModule(module.data(), static_cast<std::int32_t>(module.size()));
}

void playIfOn(std::int32_t handle) {
    if (gameState.soundOn != 0 && handle >= 0) soundEngine.PlaySound(handle, 0);
}

}  // namespace

void startGameSound() {
    soundEngine.OpenOutput(GAME_CHANNELS, GAME_RATE, GAME_BITS, GAME_ECHO);
    soundEngine.SetMasterVolume(FULL_VOLUME);
    gameState.firstRemoveSample = loadWaveResource(L"remove", FIRST_REMOVE_SOUND_ID);
    gameState.secondRemoveSample = loadWaveResource(L"remove", SECOND_REMOVE_SOUND_ID);
    gameState.clapsSample = loadWaveResource(L"claps", CLAPS_SOUND_ID);
    gameState.buttonsSample = loadWaveResource(L"buttons", BUTTONS_SOUND_ID);
    loadMusicResource();
    if (gameState.soundOn != 0) soundEngine.StartMusic(true);
}

void playButtonsSample() { playIfOn(gameState.buttonsSample); }

void playClapsSample() { playIfOn(gameState.clapsSample); }

void pauseMusic(bool paused) { soundEngine.PauseMusic(paused); }

void startMusicLooping() { soundEngine.StartMusic(true); }

void stopMusic() { soundEngine.StopMusic(); }
