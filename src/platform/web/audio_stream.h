// The browser device's audio output as the game sees it: prepared buffers queue up and play one after
// another, and each is handed back through the completion callback once its last whole frame has been
// pulled. The page's sound output either pulls frames as it needs them, at its own rate (a source
// frame is held for as many output frames as fall on it; the output runs at the stream's rate where
// the browser allows, and then every frame is played exactly once), or, playing on a thread of its
// own, takes each buffer's frames whole and reports back when it has played them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "platform/audio_buffers.h"
#include "platform/platform.h"

namespace web {

class AudioStream {
public:

    // Channels 1..2, bits 8 or 16, a rate above 0; anything else is refused.
    bool open(std::uint32_t channels, std::uint32_t rate, std::uint32_t bits, platform::AudioDoneCallback done,
              void* instance) {
        if (channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate == 0) return false;
        queue_.clear();
        position_ = 0;
        handedOver_ = 0;
        open_ = true;
        channels_ = channels;
        bits_ = bits;
        done_ = done;
        instance_ = instance;
        return true;
    }

    std::size_t queued() const { return queue_.size(); }

    // A buffer without one whole frame could never finish playing, so it is refused.
    bool write(platform::AudioBufferHeader* header) {
        if (!open_ || !platform::audio_buffers::writable(header)) return false;
        const std::uint32_t frames = header->length / bytesPerFrame();
        if (frames == 0) return false;
        platform::audio_buffers::markQueued(header);
        queue_.push_back({header, frames});
        return true;
    }

    // Hands back every queued buffer, in order. Buffers written from inside a callback stay queued.
    void reset() {
        std::deque<QueuedBuffer> completed;
        completed.swap(queue_);
        position_ = 0;
        handedOver_ = 0;
        for (const QueuedBuffer& buffer : completed) complete(buffer.header);
    }

    void close() {
        for (const QueuedBuffer& buffer : queue_) buffer.header->flags &= ~platform::audio_buffers::QUEUED;
        queue_.clear();
        handedOver_ = 0;
        open_ = false;
        done_ = nullptr;
    }

    std::uint32_t volume() const { return volume_; }
    void setVolume(std::uint32_t volume) { volume_ = volume; }
    // The level the volume word sets, 0..1 (an output on its own thread applies it as it plays).
    float gain() const {
        constexpr std::uint32_t level = platform::audio_buffers::LEVEL_MASK;
        return static_cast<float>(volume_ & level) / level;
    }

    // For an output on its own thread: the oldest queued buffer not yet handed over, as interleaved
    // stereo frames in -1..1 at the stream's rate, into `stereo`. Returns its frame count, 0 when
    // every queued buffer has been handed over.
    std::uint32_t handOver(std::vector<float>& stereo) {
        if (handedOver_ == queue_.size()) return 0;
        const QueuedBuffer& buffer = queue_[handedOver_++];
        stereo.resize(2 * std::size_t{buffer.frames});
        for (std::uint32_t frame = 0; frame < buffer.frames; ++frame) {
            stereo[2 * frame] = sampleAt(buffer.header, frame, 0);
            stereo[2 * frame + 1] = sampleAt(buffer.header, frame, channels_ - 1);
        }
        return buffer.frames;
    }

    // That output has played the oldest buffer handed over: it is handed back.
    void played() {
        if (handedOver_ == 0) return;
        --handedOver_;
        platform::AudioBufferHeader* header = queue_.front().header;
        queue_.pop_front();
        complete(header);
    }

    // Fills `stereo` (interleaved left, right, in -1..1) with what plays next, `step` source frames
    // per output frame; silence where nothing is queued. Buffers finished on the way are handed back
    // before this returns.
    void render(std::span<float> stereo, double step) {
        const float level = gain();
        for (std::size_t out = 0; out + 1 < stereo.size(); out += 2) {
            if (!open_ || queue_.empty()) {
                stereo[out] = stereo[out + 1] = 0;
                continue;
            }
            const QueuedBuffer& buffer = queue_.front();
            const std::uint32_t frame = static_cast<std::uint32_t>(position_);
            stereo[out] = level * sampleAt(buffer.header, frame, 0);
            stereo[out + 1] = level * sampleAt(buffer.header, frame, channels_ - 1);
            position_ += step;
            finishPlayedBuffers();
        }
    }

private:
    static constexpr float SIGNED_16_SCALE = 1.0f / 32768;
    static constexpr float UNSIGNED_8_SCALE = 1.0f / 128;

    struct QueuedBuffer {
        platform::AudioBufferHeader* header = nullptr;
        std::uint32_t frames = 0;
    };

    std::uint32_t bytesPerFrame() const { return channels_ * (bits_ / 8); }

    float sampleAt(const platform::AudioBufferHeader* header, std::uint32_t frame, std::uint32_t channel) const {
        const std::uint8_t* sample = header->data + frame * bytesPerFrame() + channel * (bits_ / 8);
        if (bits_ == 8) return static_cast<float>(sample[0] - platform::AUDIO_8_BIT_SILENCE) * UNSIGNED_8_SCALE;
        const auto value = static_cast<std::int16_t>(sample[0] | sample[1] << 8);
        return static_cast<float>(value) * SIGNED_16_SCALE;
    }

    void finishPlayedBuffers() {
        while (!queue_.empty() && position_ >= queue_.front().frames) {
            position_ -= queue_.front().frames;
            platform::AudioBufferHeader* header = queue_.front().header;
            queue_.pop_front();
            complete(header);
        }
        // After a gap in the stream the next buffer plays from its start.
        if (queue_.empty()) position_ = 0;
    }

    void complete(platform::AudioBufferHeader* header) {
        platform::audio_buffers::markDone(header);
        if (done_ != nullptr) done_(instance_, header);
    }

    bool open_ = false;
    std::uint32_t channels_ = 0;
    std::uint32_t bits_ = 0;
    platform::AudioDoneCallback done_ = nullptr;
    void* instance_ = nullptr;
    std::deque<QueuedBuffer> queue_;
    std::size_t handedOver_ = 0;  // the first queued buffers, taken by an output on its own thread
    double position_ = 0;         // source frames into the first queued buffer
    std::uint32_t volume_ = platform::audio_buffers::FULL_VOLUME;
};

}  // namespace web
