// The game's sounds: start-up of the output, the tap and claps cues, and the music controls.
#include "game/sound_cues.h"

#include <limits>
#include <span>

#include "game/game_state.h"
#include "platform/platform.h"
#include "sound/sound_engine.h"

namespace {

// The stream the game opens: 16-bit stereo at 11025 Hz, without the mixer's echo.
struct OutputFormat {
    std::uint8_t channels;
    std::uint32_t rate;
    std::uint8_t bits, echo;
};
constexpr OutputFormat GAME_OUTPUT{2, 11025, 16, 0};
constexpr std::uint8_t FULL_VOLUME = 255;

// The game's sounds, in the order they take the engine's slots, and where the game keeps each slot.
struct WaveResource {
    const wchar_t* name;
    int id;
    std::int32_t GameState::*slot;
};
constexpr WaveResource GAME_SOUNDS[] = {{L"remove", 125, &GameState::firstRemoveSample},
                                        {L"remove", 126, &GameState::secondRemoveSample},
                                        {L"claps", 115, &GameState::clapsSample},
                                        {L"buttons", 123, &GameState::buttonsSample}};
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
    soundEngine.OpenOutput(GAME_OUTPUT.channels, GAME_OUTPUT.rate, GAME_OUTPUT.bits, GAME_OUTPUT.echo);
    soundEngine.SetMasterVolume(FULL_VOLUME);
    for (const WaveResource& sound : GAME_SOUNDS) gameState.*sound.slot = loadWaveResource(sound.name, sound.id);
    loadMusicResource();
    if (gameState.soundOn != 0) soundEngine.StartMusic(true);
}

void playButtonsSample() { playIfOn(gameState.buttonsSample); }

void playClapsSample() { playIfOn(gameState.clapsSample); }

void pauseMusic(bool paused) { soundEngine.PauseMusic(paused); }

void startMusicLooping() { soundEngine.StartMusic(true); }

void stopMusic() { soundEngine.StopMusic(); }
