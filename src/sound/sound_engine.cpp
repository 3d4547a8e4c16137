// The sound engine's output stream, slots, voices and music controls.
//
// Threading contract: the device calls WaveOutDone on its audio thread (the headless device on the
// thread that advances its clock); every other operation runs on the game's thread. Both sides hold
// `audioLock` while they touch the engine's state, FillNextBuffer for the whole refill. The lock is
// never held while the game's thread asks the device to reset or close, because the device completes
// the queued buffers through this very callback while it does.
#include "sound/sound_engine.h"

#include <new>
#include <vector>

#include "sound/sound_file.h"

SoundEngine soundEngine;

namespace {

constexpr std::uint32_t OUTPUT_RATES[] = {8000, 11025, 22050, 44100};
constexpr int DEVICE_VOLUME_SHIFT = 8;  // the master volume sits in the high byte of the level word

bool IsOutputRate(std::uint32_t rate) {
    for (std::uint32_t allowed : OUTPUT_RATES) {
        if (rate == allowed) return true;
    }
    return false;
}

}  // namespace

StreamBuffer::StreamBuffer(std::uint32_t dataLength, void* engine)
    : block(std::make_unique<std::uint8_t[]>(sizeof(platform::AudioBufferHeader) + dataLength)) {
    header = new (block.get()) platform::AudioBufferHeader{};
    header->data = block.get() + sizeof(platform::AudioBufferHeader);
    header->length = dataLength;
    header->user = engine;
    header->flags = 0;
    header->loops = 0;
}

SoundEngine::SoundEngine() : music(std::make_unique<ModulePlayer>()), mixer(std::make_unique<EffectMixer>()) {}

SoundEngine::~SoundEngine() {
    ReleaseDevice(true);
    auto lock = LockAudio();
    for (auto& slot : slots) slot.reset();
    mixer.reset();
    for (auto& buffer : buffers) buffer.reset();
    // Voices still playing refer to the samples just freed; take them apart one by one, since each
    // owns the rest of the list.
    while (voices) voices = std::move(voices->next);
}

void SoundEngine::Restart() {
    ReleaseDevice(true);
    auto lock = LockAudio();
    while (voices) voices = std::move(voices->next);
    for (auto& slot : slots) slot.reset();
    for (auto& buffer : buffers) buffer.reset();
    mixer = std::make_unique<EffectMixer>();
    // A fresh player: no module, the first order, the start-up speed and volume.
    music = std::make_unique<ModulePlayer>();
    bitsPerSample = 0;
    channels = 0;
    sampleRate = 0;
    savedDeviceVolume = 0;
    nextBuffer = 0;
    masterVolume = effectsVolume = musicVolume = 255;
}

std::unique_lock<std::mutex> SoundEngine::LockAudio() const {
    return std::unique_lock<std::mutex>(audioLock);
}

std::int32_t SoundEngine::OpenOutput(std::uint8_t channelCount, std::uint32_t rate, std::uint8_t bits,
                                     std::uint8_t echo) {
    ReleaseDevice(false);
    if (channelCount < 1 || channelCount > 2) return OUTPUT_BAD_CHANNELS;
    if (!IsOutputRate(rate)) return OUTPUT_BAD_RATE;
    if (bits != 8 && bits != 16) return OUTPUT_BAD_BITS;

    auto lock = LockAudio();
    sampleRate = rate;
    channels = channelCount;
    bitsPerSample = bits;
    mixer->Configure(channelCount, rate, bits, BUFFERS_PER_SECOND, echo);
    music->Configure(channelCount, rate, bits, BUFFERS_PER_SECOND);

    if (!platform::audioOpen(channelCount, rate, bits, &SoundEngine::WaveOutDone, this)) return OUTPUT_NO_DEVICE;
    deviceHeld = true;
    savedDeviceVolume = platform::audioGetVolume();

    const std::uint32_t dataLength = (bits / 8u * channelCount * rate) / BUFFERS_PER_SECOND;
    for (auto& buffer : buffers) buffer = std::make_unique<StreamBuffer>(dataLength, this);
    return PrimeStream(lock);
}

// Hands both silent buffers to the device. The lock stays held so that a completion arriving before
// the second write waits, and the refill order by nextBuffer holds from the first completion on.
std::int32_t SoundEngine::PrimeStream(std::unique_lock<std::mutex>& lock) {
    for (auto& buffer : buffers) {
        platform::AudioBufferHeader* header = buffer->Header();
        platform::audioPrepare(header);
        if (!platform::audioWrite(header)) {
            platform::audioUnprepare(header);
            lock.unlock();
            // The first buffer may still be queued: the device hands it back before the blocks go.
            ReleaseDevice(false);
            lock.lock();
            for (auto& freed : buffers) freed.reset();
            return OUTPUT_WRITE_FAILED;
        }
    }
    nextBuffer = 0;
    deviceOpen = true;
    return OUTPUT_OPENED;
}

void SoundEngine::ReleaseDevice(bool restoreVolume) {
    {
        auto lock = LockAudio();
        if (!deviceHeld) return;
        // Completions caused by the reset below must find no stream and resubmit nothing.
        deviceOpen = false;
        deviceHeld = false;
    }
    if (restoreVolume) platform::audioSetVolume(savedDeviceVolume);
    platform::audioReset();
    platform::audioClose();
}

void SoundEngine::SetMasterVolume(std::uint8_t volume) {
    {
        auto lock = LockAudio();
        masterVolume = volume;
    }
    platform::audioSetVolume(static_cast<std::uint32_t>(volume & 0xFFu) << DEVICE_VOLUME_SHIFT);
}

void SoundEngine::SetMusicVolume(std::uint8_t volume) {
    auto lock = LockAudio();
    musicVolume = volume;
    music->BuildVolumeTable(volume);
}

void SoundEngine::SetEffectsVolume(std::uint8_t volume) {
    auto lock = LockAudio();
    effectsVolume = volume;
}

std::uint8_t SoundEngine::GetMasterVolume() const {
    auto lock = LockAudio();
    return masterVolume;
}

std::uint8_t SoundEngine::GetMusicVolume() const {
    auto lock = LockAudio();
    return musicVolume;
}

std::uint8_t SoundEngine::GetEffectsVolume() const {
    auto lock = LockAudio();
    return effectsVolume;
}

bool SoundEngine::PlaySound(std::int32_t slot, std::int32_t repeats) {
    if (slot < 0 || slot >= SLOT_COUNT) return false;
    auto voice = std::make_unique<SoundVoice>();
    auto lock = LockAudio();
    if (!slots[slot]) return false;
    voice->sample = slots[slot].get();
    voice->position = 0;
    voice->repeats = repeats;
    // The newest voice goes first.
    if (voices) voices->prev = voice.get();
    voice->next = std::move(voices);
    voices = std::move(voice);
    return true;
}

std::uint32_t SoundEngine::CountVoices() const {
    auto lock = LockAudio();
    std::uint32_t count = 0;
    for (const SoundVoice* voice = voices.get(); voice != nullptr; voice = voice->next.get()) ++count;
    return count;
}

std::int32_t SoundEngine::LoadSound(const std::wstring& name, std::span<const std::uint8_t> image) {
    std::uint32_t outputRate = 0;
    {
        auto lock = LockAudio();
        outputRate = sampleRate;
    }
    // Decoding and rate conversion take a while; the stream keeps playing meanwhile.
    auto sample = std::make_unique<SoundSample>();
    const std::int32_t result = DecodeWave(image, outputRate, *sample);
    if (result < 0) return result;
    sample->name = name;
    return FileSound(std::move(sample));
}

std::int32_t SoundEngine::LoadSoundFile(const std::string& path) {
    const std::vector<std::uint8_t> image = ReadSoundFile(path);
    if (image.empty()) return WAVE_NOT_RIFF;
    return LoadSound(WideFromUtf8(path), image);
}

std::int32_t SoundEngine::FileSound(std::unique_ptr<SoundSample> sample) {
    auto lock = LockAudio();
    for (std::int32_t slot = 0; slot < SLOT_COUNT; ++slot) {
        if (!slots[slot]) {
            slots[slot] = std::move(sample);
            return slot;
        }
    }
    return WAVE_NO_FREE_SLOT;
}

bool SoundEngine::LoadModule(const std::uint8_t* image, std::int32_t size) {
    auto lock = LockAudio();
    return music->LoadModule(image, size);
}

// The file is read before the lock is taken: a slow disk must never hold up a refill.
bool SoundEngine::LoadModuleFile(const std::string& path) {
    const std::vector<std::uint8_t> image = ReadSoundFile(path);
    if (image.empty()) return false;
    auto lock = LockAudio();
    return music->LoadModule(image.data(), static_cast<std::int32_t>(image.size()));
}

bool SoundEngine::StartMusic(bool loop) {
    auto lock = LockAudio();
    return music->StartMusic(loop);
}

void SoundEngine::StopMusic() {
    auto lock = LockAudio();
    music->StopMusic();
}

void SoundEngine::PauseMusic(bool paused) {
    auto lock = LockAudio();
    music->PauseMusic(paused);
}

bool SoundEngine::IsMusicPlaying() const {
    auto lock = LockAudio();
    return music->IsMusicPlaying();
}

SoundEngineStatus SoundEngine::Status() const {
    auto lock = LockAudio();
    SoundEngineStatus status{deviceOpen, channels, sampleRate, bitsPerSample, masterVolume, musicVolume,
                             effectsVolume, 0, {}, music->Status()};
    for (const SoundVoice* voice = voices.get(); voice != nullptr; voice = voice->next.get()) ++status.voices;
    for (const auto& slot : slots) {
        if (slot) status.slotNames.push_back(slot->name);
    }
    return status;
}

std::int32_t SoundEngine::FillNextBuffer() {
    auto lock = LockAudio();
    if (!deviceOpen) return -1;
    // The device completes buffers in the order they were written, so nextBuffer names the one it
    // just handed back.
    platform::AudioBufferHeader* header = buffers[nextBuffer]->Header();
    platform::audioUnprepare(header);
    music->RenderMusic(header);
    mixer->MixEffects(header, voices, effectsVolume, music->IsMusicPlaying() && !music->IsMusicPaused());
    platform::audioPrepare(header);
    if (platform::audioWrite(header)) {
        nextBuffer ^= 1u;
        return 0;
    }
    platform::audioUnprepare(header);
    // The stream ends here for good. The device itself cannot be closed from inside its own
    // completion, and the other buffer is still queued in it: both are released on the game's thread
    // by the next OpenOutput or at exit.
    deviceOpen = false;
    return -1;
}

void SoundEngine::WaveOutDone(void* instance, platform::AudioBufferHeader* header) {
    auto* engine = static_cast<SoundEngine*>(header != nullptr ? header->user : instance);
    if (engine != nullptr) engine->FillNextBuffer();
}
