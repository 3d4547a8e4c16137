// The sound engine: the audio output stream of two buffers refilled on the device's completion notice,
// 256 slots of loaded sounds, the list of playing voices, the effect mixer and the music player.
//
// Threading: FillNextBuffer (from the device's completion callback, on the audio thread) and every
// public operation below (on the game's thread) take the engine's one lock, so the voice list, the
// music player, the volumes and the slots are never touched by both threads at once. The state itself
// is private: outside the engine it is seen only through Status(), a copy taken under the lock.
// The lock is held while the engine prepares and writes buffers (priming in OpenOutput, each refill),
// so the device must not hold a lock of its own across the completion callback that audioWrite also
// takes; it is never held while the engine asks the device to reset or close.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "sound/effect_mixer.h"
#include "sound/module_player.h"
#include "sound/sound_sample.h"

// One block of the stream: the device's buffer header immediately followed by the PCM data.
class StreamBuffer {
public:
    // Allocates header and `dataLength` zeroed data bytes; the header points at the data and carries
    // `engine` as its user word.
    StreamBuffer(std::uint32_t dataLength, void* engine);
    platform::AudioBufferHeader* Header() { return header; }
    std::uint8_t* Data() { return header->data; }
    std::uint32_t Length() const { return header->length; }

private:
    std::unique_ptr<std::uint8_t[]> block;
    platform::AudioBufferHeader* header = nullptr;
};

// Results of OpenOutput.
inline constexpr std::int32_t OUTPUT_OPENED = 0;
inline constexpr std::int32_t OUTPUT_BAD_CHANNELS = -1;  // channels not 1 or 2
inline constexpr std::int32_t OUTPUT_BAD_RATE = -2;      // rate not 8000, 11025, 22050 or 44100
inline constexpr std::int32_t OUTPUT_BAD_BITS = -3;      // bits not 8 or 16
inline constexpr std::int32_t OUTPUT_NO_DEVICE = -4;     // the device could not be opened
inline constexpr std::int32_t OUTPUT_WRITE_FAILED = -5;  // one of the two first buffers was refused

// The engine as the simulator reports it.
struct SoundEngineStatus {
    bool open = false;
    std::uint32_t channels = 0, rate = 0, bits = 0;  // of the last OpenOutput that passed its checks
    std::uint32_t masterVolume = 0, musicVolume = 0, effectsVolume = 0;
    std::uint32_t voices = 0;
    std::vector<std::wstring> slotNames;  // the filled slots, lowest first
    MusicStatus music;
    bool operator==(const SoundEngineStatus&) const = default;
};

class SoundEngine {
public:
    static constexpr int SLOT_COUNT = 256;
    static constexpr int STREAM_BUFFER_COUNT = 2;
    static constexpr std::uint8_t BUFFERS_PER_SECOND = 10;

    SoundEngine();
    // Stops the output, restoring the device volume found when it was opened, and frees everything.
    ~SoundEngine();
    SoundEngine(const SoundEngine&) = delete;
    SoundEngine& operator=(const SoundEngine&) = delete;

    // Puts the engine back as it was constructed: output closed (device volume restored), every voice
    // and slot freed, no module loaded, volumes at 255. For a host that starts the game afresh in the
    // same process (the simulator), where the engine would otherwise keep the last game's sounds.
    void Restart();

    // Opens (or reopens) the output and starts the stream with two silent buffers of a tenth of a
    // second each. Returns 0 or one of the OUTPUT_ codes; `echo` (0 or 1) turns the mixer's echo on.
    std::int32_t OpenOutput(std::uint8_t channels, std::uint32_t sampleRate, std::uint8_t bits, std::uint8_t echo);

    // The master volume also sets the device volume word to volume x 256 (255 gives 0xFF00).
    void SetMasterVolume(std::uint8_t volume);
    void SetMusicVolume(std::uint8_t volume);
    // Scales every voice from the next buffer on.
    void SetEffectsVolume(std::uint8_t volume);
    std::uint8_t GetMasterVolume() const;
    std::uint8_t GetMusicVolume() const;
    std::uint8_t GetEffectsVolume() const;

    // Starts a voice of the sound in `slot`, played repeats + 1 times in all. False, and nothing
    // happens, when the slot is outside 0..255 or empty.
    bool PlaySound(std::int32_t slot, std::int32_t repeats);
    std::uint32_t CountVoices() const;

    // Decodes a RIFF/WAVE image of image.size() bytes into the lowest free slot (the bytes are copied).
    // Returns the slot number 0..255, or a negative WAVE_ code (sound_sample.h); nothing is filed then.
    std::int32_t LoadSound(const std::wstring& name, std::span<const std::uint8_t> image);
    // The same for a file; -1 when it cannot be read or is empty. The slot's name is the path.
    std::int32_t LoadSoundFile(const std::string& path);

    // Music, forwarded to the player under the lock (a module file is read before it is taken).
    bool LoadModule(const std::uint8_t* image, std::int32_t size);
    bool LoadModuleFile(const std::string& path);
    bool StartMusic(bool loop);
    void StopMusic();
    void PauseMusic(bool paused);
    bool IsMusicPlaying() const;

    // Refills the buffer the device completed next (by nextBuffer) with music and voices and hands it
    // back. Returns 0, or -1 when no output is open or the device refused the buffer (the output then
    // stops for good). Runs on the audio thread from WaveOutDone.
    std::int32_t FillNextBuffer();
    // The device's completion callback; the engine comes from the header's user word.
    static void WaveOutDone(void* instance, platform::AudioBufferHeader* header);

    // Holds the engine's lock for as long as the returned object lives.
    [[nodiscard]] std::unique_lock<std::mutex> LockAudio() const;
    SoundEngineStatus Status() const;

private:
    // Puts a decoded sound into the lowest free slot; its number, or -1 when all are taken.
    std::int32_t FileSound(std::unique_ptr<SoundSample> sample);
    // Ends the stream and releases the device (if it was ever opened); the device's volume is put
    // back first when `restoreVolume` is set.
    void ReleaseDevice(bool restoreVolume);
    std::int32_t PrimeStream(std::unique_lock<std::mutex>& lock);

    mutable std::mutex audioLock;
    // Everything below is guarded by audioLock.
    std::uint8_t bitsPerSample = 0;
    std::uint8_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t savedDeviceVolume = 0;
    std::array<std::unique_ptr<SoundSample>, SLOT_COUNT> slots;
    std::unique_ptr<ModulePlayer> music;
    std::unique_ptr<EffectMixer> mixer;
    std::unique_ptr<SoundVoice> voices;  // first playing voice; each voice owns the next
    bool deviceOpen = false;             // the stream is running
    bool deviceHeld = false;  // the device was opened and not yet closed (also after a failed refill)
    std::uint8_t nextBuffer = 0;
    std::array<std::unique_ptr<StreamBuffer>, STREAM_BUFFER_COUNT> buffers;
    std::uint8_t masterVolume = 255;
    std::uint8_t effectsVolume = 255;
    std::uint8_t musicVolume = 255;
};

// The game's one engine, constructed before main and destroyed at exit.
extern SoundEngine soundEngine;
