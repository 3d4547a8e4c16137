// The headless audio output: buffers play one after another in virtual time, F frames taking
// F / rate seconds, and each is handed back through the completion callback when its last frame has
// played. What was played is kept, whole frames only, for tests and the simulator.
#include <algorithm>

#include "platform/audio_buffers.h"
#include "platform/headless/headless_device.h"

namespace headless {
namespace {

using detail::device;
namespace buffers = platform::audio_buffers;

constexpr std::uint64_t UNITS_PER_FRAME = 1000;  // output units are milliseconds times the rate

std::uint64_t bytesPerFrame() {
    const AudioFormat& format = device().audioFormat;
    return static_cast<std::uint64_t>(format.channels) * (format.bits / 8);
}

std::uint64_t unitsAt(std::uint64_t ms) { return ms * device().audioFormat.rate; }

// The first millisecond at which `units` has passed.
std::uint64_t msAt(std::uint64_t units) {
    const std::uint64_t rate = device().audioFormat.rate;
    return (units + rate - 1) / rate;
}

void keepPlayed(const detail::QueuedAudioBuffer& buffer, std::uint64_t fromFrame, std::uint64_t toFrame) {
    const std::uint64_t frameBytes = bytesPerFrame();
    const std::uint8_t* first = buffer.header->data + fromFrame * frameBytes;
    const std::uint8_t* last = buffer.header->data + toFrame * frameBytes;
    std::vector<std::uint8_t>& played = device().audioPlayed;
    const std::size_t room = AUDIO_PLAYED_LIMIT - std::min(AUDIO_PLAYED_LIMIT, played.size());
    played.insert(played.end(), first, first + std::min<std::size_t>(room, static_cast<std::size_t>(last - first)));
}

// Takes every queued buffer off the output and hands each back, in order. Buffers written from
// inside a callback stay queued.
void completeAll() {
    std::deque<detail::QueuedAudioBuffer> completed;
    completed.swap(device().audioQueue);
    device().audioEndUnits = unitsAt(device().nowMs);
    for (const detail::QueuedAudioBuffer& buffer : completed) {
        buffers::markDone(buffer.header);
        if (device().audioDone) device().audioDone(device().audioInstance, buffer.header);
    }
}

}  // namespace

namespace detail {

std::optional<std::uint64_t> nextAudioCompletionMs() {
    if (device().audioQueue.empty()) return std::nullopt;
    const QueuedAudioBuffer& first = device().audioQueue.front();
    return msAt(first.startUnits + first.frames * UNITS_PER_FRAME);
}

void playAudioUntil(std::uint64_t ms) {
    const std::uint64_t units = unitsAt(ms);
    for (QueuedAudioBuffer& buffer : device().audioQueue) {
        if (units <= buffer.startUnits) return;
        const std::uint64_t frames = std::min(buffer.frames, (units - buffer.startUnits) / UNITS_PER_FRAME);
        if (frames > buffer.framesPlayed) keepPlayed(buffer, buffer.framesPlayed, frames);
        buffer.framesPlayed = std::max(buffer.framesPlayed, frames);
        if (frames < buffer.frames) return;
    }
}

void completeFirstAudioBuffer() {
    const QueuedAudioBuffer buffer = device().audioQueue.front();
    if (buffer.framesPlayed < buffer.frames) keepPlayed(buffer, buffer.framesPlayed, buffer.frames);
    device().audioQueue.pop_front();
    buffers::markDone(buffer.header);
    if (device().audioDone) device().audioDone(device().audioInstance, buffer.header);
}

}  // namespace detail

AudioFormat audioFormat() { return device().audioFormat; }
const std::vector<std::uint8_t>& audioPlayed() { return device().audioPlayed; }
void clearAudioPlayed() { device().audioPlayed.clear(); }
std::size_t audioQueued() { return device().audioQueue.size(); }
std::uint32_t audioVolume() { return device().audioVolume; }

}  // namespace headless

namespace platform {

using headless::detail::device;

bool audioOpen(std::uint32_t channels, std::uint32_t rate, std::uint32_t bits, AudioDoneCallback done,
               void* instance) {
    if (channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate == 0) return false;
    device().audioQueue.clear();
    device().audioFormat = {true, channels, rate, bits};
    device().audioDone = done;
    device().audioInstance = instance;
    device().audioEndUnits = headless::unitsAt(device().nowMs);
    return true;
}

// A buffer without one whole frame could never take any time to play, so it is refused.
bool audioWrite(AudioBufferHeader* header) {
    if (!device().audioFormat.open || !headless::buffers::writable(header)) return false;
    const std::uint64_t frames = header->length / headless::bytesPerFrame();
    if (frames == 0) return false;
    const std::uint64_t start = std::max(device().audioEndUnits, headless::unitsAt(device().nowMs));
    headless::buffers::markQueued(header);
    device().audioQueue.push_back({header, frames, start, 0});
    device().audioEndUnits = start + frames * headless::UNITS_PER_FRAME;
    return true;
}

void audioReset() { headless::completeAll(); }

void audioClose() {
    for (const headless::detail::QueuedAudioBuffer& buffer : device().audioQueue) {
        buffer.header->flags &= ~headless::buffers::QUEUED;
    }
    device().audioQueue.clear();
    device().audioFormat.open = false;
    device().audioDone = nullptr;
}

std::uint32_t audioGetVolume() { return device().audioVolume; }
void audioSetVolume(std::uint32_t volume) { device().audioVolume = volume; }

}  // namespace platform
