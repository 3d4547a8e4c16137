// A bare window for device tests: records every message its procedure receives.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/platform.h"

namespace platform_test {

struct Received {
    platform::Message message;
    std::uint32_t firstWord;
    std::uint32_t secondWord;
    std::uint64_t atMs;

    bool operator==(const Received&) const = default;
};

inline std::vector<Received>& received() {
    static std::vector<Received> messages;
    return messages;
}

inline std::intptr_t recordingProcedure(platform::Message message, std::uint32_t firstWord, std::uint32_t secondWord) {
    received().push_back({message, firstWord, secondWord, headless::now()});
    return platform::defaultWindowProcedure(message, firstWord, secondWord);
}

// A fresh device with the recording window open.
inline void openRecordingWindow() {
    headless::reset();
    received().clear();
    platform::createWindow("Test window", recordingProcedure);
}

}  // namespace platform_test
