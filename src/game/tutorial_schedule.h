// When each tutorial page reveals its steps: the frame counts shared by the page drawing, which reveals a
// step when the page's tick reaches one, and the taps that hurry a page on to its next one.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "game/game_state.h"

namespace tutorial {

// Index of a page in revealThresholds and tutorialPageDone, in the order the pages follow one another.
enum PageIndex : int {
    NOT_A_PAGE = -1,
    PAGE_INTRO = 0,
    PAGE_CONTROLS = 1,
    PAGE_PLAYING = 2,
    PAGE_STRATEGY = 3,
};

// The page shown on `screen`, or NOT_A_PAGE for every other screen.
constexpr int pageOfScreen(std::uint32_t screen) {
    switch (screen) {
        case SCREEN_TUTORIAL_INTRO: return PAGE_INTRO;
        case SCREEN_TUTORIAL_CONTROLS: return PAGE_CONTROLS;
        case SCREEN_TUTORIAL_PLAYING: return PAGE_PLAYING;
        case SCREEN_TUTORIAL_STRATEGY: return PAGE_STRATEGY;
        default: return NOT_A_PAGE;
    }
}

inline constexpr std::array<std::int32_t, 4> INTRO_THRESHOLDS{10, 80, 160, 240};
inline constexpr std::array<std::int32_t, 7> CONTROLS_THRESHOLDS{10, 80, 160, 240, 320, 400, 480};
inline constexpr std::array<std::int32_t, 7> PLAYING_THRESHOLDS{10, 160, 360, 410, 520, 670, 870};
inline constexpr std::array<std::int32_t, 4> STRATEGY_THRESHOLDS{10, 80, 160, 240};

// Per page, ascending: the tick at which step i is revealed is element i. The last one completes the
// page (its tutorialPageDone flag is set and "TAP THE SCREEN TO CONTINUE" shows).
inline constexpr std::array<std::span<const std::int32_t>, TUTORIAL_PAGES> revealThresholds{
    INTRO_THRESHOLDS, CONTROLS_THRESHOLDS, PLAYING_THRESHOLDS, STRATEGY_THRESHOLDS};

// The step that a page reveals when its tick reaches `tick`, or -1 when `tick` is no threshold.
constexpr int stepRevealedAt(int page, std::int32_t tick) {
    const auto thresholds = revealThresholds[static_cast<std::size_t>(page)];
    for (std::size_t step = 0; step < thresholds.size(); ++step) {
        if (thresholds[step] == tick) return static_cast<int>(step);
    }
    return -1;
}

// The page's last step, the one that completes it.
constexpr int lastStep(int page) {
    return static_cast<int>(revealThresholds[static_cast<std::size_t>(page)].size()) - 1;
}

// The first threshold of the page above `tick`, or -1 once every step has been revealed.
constexpr std::int32_t nextThreshold(int page, std::int32_t tick) {
    for (const std::int32_t threshold : revealThresholds[static_cast<std::size_t>(page)]) {
        if (threshold > tick) return threshold;
    }
    return -1;
}

}  // namespace tutorial
