// The headless device's state, shared by the files that implement its parts (messages and timers,
// display, audio, system). Not for use outside src/platform/headless/.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/message_queue.h"
#include "platform/platform.h"

namespace headless::detail {

// One buffer in the output's queue. Times are in output units: milliseconds times the sample rate,
// so that a frame lasts exactly 1000 units and no rounding ever accumulates.
struct QueuedAudioBuffer {
    platform::AudioBufferHeader* header = nullptr;
    std::uint64_t frames = 0;
    std::uint64_t startUnits = 0;
    std::uint64_t framesPlayed = 0;
};

struct Device {
    // Set by configure
    std::uint32_t seed = 1;
    platform::DisplayProperties display = STANDARD_DISPLAY;
    std::string programDir;
    bool runningCopy = false;
    bool windowFails = false;
    bool displayFails = false;

    std::uint64_t nowMs = 0;
    std::uint64_t randomState = 0;

    // Window and messages
    platform::WindowProcedure procedure = nullptr;
    bool windowExists = false;
    std::string windowTitle;
    bool runningCopyRaised = false;
    bool stylusCaptured = false;
    // Virtual time has no late timers: each tick is posted at the very millisecond it falls due.
    platform::MessageQueue messages{platform::MessageQueue::LateTimer::KeepsBeat, &headless::windowExists};
    std::optional<MessageBoxRecord> messageBox;

    // Display
    bool displayOpen = false;
    bool displaySuspended = false;
    bool inputOpen = false;
    bool drawing = false;
    std::vector<std::uint16_t> displayWords;
    std::size_t displayOrigin = 0;
    std::uint64_t framesPresented = 0;
    std::function<void()> presentHook;

    // Audio output
    AudioFormat audioFormat;
    platform::AudioDoneCallback audioDone = nullptr;
    void* audioInstance = nullptr;
    std::deque<QueuedAudioBuffer> audioQueue;
    std::uint64_t audioEndUnits = 0;  // where the last queued buffer ends
    std::vector<std::uint8_t> audioPlayed;
    std::uint32_t audioVolume = 0xFFFFFFFF;

    Announcement announcement;
    bool screenKeptAwake = false;
    bool keepingFilesAsked = false;
    std::vector<ShownControl> controls;
};

Device& device();

// Lays out a device's display memory for its display's pitches (blank).
void layOutDisplayMemory(Device& target);

// The virtual millisecond at which the output's first queued buffer completes, if any.
std::optional<std::uint64_t> nextAudioCompletionMs();
// Records every frame played up to `ms`.
void playAudioUntil(std::uint64_t ms);
// The first queued buffer has been played: hand it back through the completion callback.
void completeFirstAudioBuffer();

}  // namespace headless::detail
