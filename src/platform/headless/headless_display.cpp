// The headless display: memory laid out as the configured pitches say, so that a walk from pixel
// (0, 0) with negative pitches stays inside it.
#include <algorithm>

#include "platform/headless/headless_device.h"

namespace headless {
namespace {

using detail::device;

struct PixelSteps {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

// Pitches are in bytes; the display is walked in 16-bit words.
PixelSteps pixelSteps(const platform::DisplayProperties& display) {
    return {display.xPitch >> 1, display.yPitch >> 1};
}

std::int64_t lastIndex(std::int32_t count) { return std::max<std::int64_t>(count, 1) - 1; }

}  // namespace

namespace detail {

void layOutDisplayMemory(Device& target) {
    const PixelSteps steps = pixelSteps(target.display);
    const std::int64_t lastX = lastIndex(target.display.width) * steps.x;
    const std::int64_t lastY = lastIndex(target.display.height) * steps.y;
    const std::int64_t lowest = std::min<std::int64_t>(lastX, 0) + std::min<std::int64_t>(lastY, 0);
    const std::int64_t highest = std::max<std::int64_t>(lastX, 0) + std::max<std::int64_t>(lastY, 0);
    target.displayWords.assign(static_cast<std::size_t>(highest - lowest + 1), 0);
    target.displayOrigin = static_cast<std::size_t>(-lowest);
}

}  // namespace detail

bool displayOpen() { return device().displayOpen; }
bool displaySuspended() { return device().displaySuspended; }
bool inputOpen() { return device().inputOpen; }

DisplayMemory displayMemory() { return {device().displayWords, device().displayOrigin}; }

std::uint16_t displayPixel(int x, int y) {
    const platform::DisplayProperties& display = device().display;
    if (x < 0 || y < 0 || x >= display.width || y >= display.height) return 0;
    const PixelSteps steps = pixelSteps(display);
    const std::int64_t index = static_cast<std::int64_t>(device().displayOrigin) + x * steps.x + y * steps.y;
    return device().displayWords[static_cast<std::size_t>(index)];
}

std::uint64_t framesPresented() { return device().framesPresented; }

void setPresentHook(std::function<void()> hook) { device().presentHook = std::move(hook); }

}  // namespace headless

namespace platform {

using headless::detail::device;

bool openDisplay() {
    if (device().displayFails || !device().windowExists) return false;
    device().displayOpen = true;
    device().displaySuspended = false;
    return true;
}

void closeDisplay() {
    device().displayOpen = false;
    device().drawing = false;
}

bool openInput() {
    device().inputOpen = true;
    return true;
}

void closeInput() { device().inputOpen = false; }

DisplayProperties displayProperties() { return device().display; }

// The display stays drawable while suspended: the inactive window still presents its last frame.
std::uint16_t* beginDraw() {
    if (!device().displayOpen) return nullptr;
    device().drawing = true;
    return device().displayWords.data() + device().displayOrigin;
}

int endDraw() {
    if (!device().displayOpen) return 0;
    if (device().drawing) {
        device().drawing = false;
        ++device().framesPresented;
        if (device().presentHook) device().presentHook();
    }
    return 1;
}

void suspendDisplay() { device().displaySuspended = true; }
void resumeDisplay() { device().displaySuspended = false; }

}  // namespace platform
