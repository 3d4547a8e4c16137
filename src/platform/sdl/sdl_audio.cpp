// The SDL2 audio output, kept to the device's rules: buffers play in the order written, whole frames
// only, and each played buffer is handed back through the completion callback on the audio thread.
// The callback is called without the queue's lock held, since the engine writes its next buffer from
// inside it. The device volume is a gain applied here; the desktop's volume is never touched.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/audio_buffers.h"
#include "platform/sdl/sdl_device.h"

namespace sdl_device {
namespace {

namespace buffers = platform::audio_buffers;
using buffers::FULL_VOLUME;
using buffers::LEVEL_MASK;
constexpr std::uint16_t CALLBACK_FRAMES = 512;
using platform::AUDIO_8_BIT_SILENCE;

struct QueuedBuffer {
    platform::AudioBufferHeader* header = nullptr;
    std::size_t playableBytes = 0;  // whole frames only
    std::size_t position = 0;
};

struct Output {
    std::mutex lock;
    SDL_AudioDeviceID device = 0;
    platform::AudioDoneCallback done = nullptr;
    void* instance = nullptr;
    std::uint32_t bits = 16;
    std::uint32_t frameBytes = 4;
    std::deque<QueuedBuffer> queue;
    std::atomic<std::uint32_t> volume{FULL_VOLUME};
};

// Never destroyed: the sound engine, a static object of its own, closes the output at process exit,
// and the audio thread may run until then.
Output& output() {
    static Output* const state = new Output;
    return *state;
}

void markDone(platform::AudioBufferHeader* header) {
    buffers::markDone(header);
}

// Copies `bytes` of samples, scaled by the volume level (0xFFFF leaves them as they are).
void copyWithGain(std::uint8_t* to, const std::uint8_t* from, std::size_t bytes, std::uint32_t bits, std::uint32_t level) {
    if (level == LEVEL_MASK) {
        std::memcpy(to, from, bytes);
        return;
    }
    if (bits == 8) {
        for (std::size_t i = 0; i < bytes; ++i) {
            const int centred = from[i] - AUDIO_8_BIT_SILENCE;
            to[i] = static_cast<std::uint8_t>(centred * static_cast<int>(level) / static_cast<int>(LEVEL_MASK) +
                                              AUDIO_8_BIT_SILENCE);
        }
        return;
    }
    for (std::size_t i = 0; i + 1 < bytes; i += 2) {
        std::int16_t sample;
        std::memcpy(&sample, from + i, sizeof sample);
        const auto scaled = static_cast<std::int16_t>(static_cast<std::int64_t>(sample) * level / LEVEL_MASK);
        std::memcpy(to + i, &scaled, sizeof scaled);
    }
}

// Takes up to `room` bytes from the first queued buffer into `to`; returns how many were taken and,
// when that finished the buffer, the buffer to hand back.
std::size_t takeFromQueue(std::uint8_t* to, std::size_t room, platform::AudioBufferHeader*& finished) {
    Output& out = output();
    std::lock_guard<std::mutex> guard(out.lock);
    if (out.queue.empty()) return 0;
    QueuedBuffer& first = out.queue.front();
    const std::size_t bytes = std::min(room, first.playableBytes - first.position);
    copyWithGain(to, first.header->data + first.position, bytes, out.bits, out.volume.load() & LEVEL_MASK);
    first.position += bytes;
    if (first.position == first.playableBytes) {
        finished = first.header;
        markDone(finished);
        out.queue.pop_front();
    }
    return bytes;
}

void SDLCALL fillStream(void*, Uint8* stream, int length) {
    const auto room = static_cast<std::size_t>(length);
    std::size_t filled = 0;
    while (filled < room) {
        platform::AudioBufferHeader* finished = nullptr;
        const std::size_t taken = takeFromQueue(stream + filled, room - filled, finished);
        filled += taken;
        if (finished != nullptr && output().done != nullptr) output().done(output().instance, finished);
        if (taken == 0 && finished == nullptr) break;
    }
    std::memset(stream + filled, output().bits == 8 ? AUDIO_8_BIT_SILENCE : 0, room - filled);
}

std::deque<QueuedBuffer> takeWholeQueue() {
    std::lock_guard<std::mutex> guard(output().lock);
    std::deque<QueuedBuffer> taken;
    taken.swap(output().queue);
    return taken;
}

}  // namespace
}  // namespace sdl_device

namespace platform {

using sdl_device::output;

bool audioOpen(std::uint32_t channels, std::uint32_t rate, std::uint32_t bits, AudioDoneCallback done,
               void* instance) {
    if (channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate == 0) return false;
    audioClose();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(rate);
    wanted.format = bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    wanted.channels = static_cast<Uint8>(channels);
    wanted.samples = sdl_device::CALLBACK_FRAMES;
    wanted.callback = sdl_device::fillStream;
    SDL_AudioSpec obtained{};
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) return false;
    {
        std::lock_guard<std::mutex> guard(output().lock);
        output().device = device;
        output().done = done;
        output().instance = instance;
        output().bits = bits;
        output().frameBytes = channels * bits / 8;
    }
    SDL_PauseAudioDevice(device, 0);
    return true;
}

// A buffer without one whole frame could never be played, so it is refused.
bool audioWrite(AudioBufferHeader* header) {
    std::lock_guard<std::mutex> guard(output().lock);
    if (output().device == 0 || !sdl_device::buffers::writable(header)) return false;
    const std::size_t playable = header->length / output().frameBytes * output().frameBytes;
    if (playable == 0) return false;
    sdl_device::buffers::markQueued(header);
    output().queue.push_back({header, playable, 0});
    return true;
}

void audioReset() {
    for (const sdl_device::QueuedBuffer& buffer : sdl_device::takeWholeQueue()) {
        sdl_device::markDone(buffer.header);
        if (output().done != nullptr) output().done(output().instance, buffer.header);
    }
}

// Closing waits for a running audio callback to finish; the caller must not hold anything that
// callback waits for.
void audioClose() {
    for (const sdl_device::QueuedBuffer& buffer : sdl_device::takeWholeQueue()) {
        buffer.header->flags &= ~sdl_device::buffers::QUEUED;
    }
    SDL_AudioDeviceID device = 0;
    {
        std::lock_guard<std::mutex> guard(output().lock);
        device = output().device;
        output().device = 0;
    }
    if (device != 0) SDL_CloseAudioDevice(device);
    output().done = nullptr;
}

std::uint32_t audioGetVolume() { return output().volume.load(); }
void audioSetVolume(std::uint32_t volume) { output().volume.store(volume); }

}  // namespace platform
