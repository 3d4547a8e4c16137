// A back buffer for drawing tests: every pixel starts as a marker colour no drawing call uses, so any
// pixel a call touched can be told apart.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "game/game_state.h"
#include "gfx/frame.h"

class FrameTest : public ::testing::Test {
protected:
    static constexpr std::uint16_t UNTOUCHED = 0x1234;

    void SetUp() override {
        resetGameState();
        frame_.assign(FRAME_PIXELS, UNTOUCHED);
        gameState.BackBuffer = frame_.data();
    }
    void TearDown() override { resetGameState(); }

    std::uint16_t pixel(int x, int y) const { return frame_[static_cast<std::size_t>(y * FRAME_WIDTH + x)]; }

    // Every touched pixel as (x, y), in frame order.
    std::vector<std::pair<int, int>> touchedPixels() const {
        std::vector<std::pair<int, int>> touched;
        for (int i = 0; i < FRAME_PIXELS; ++i) {
            if (frame_[static_cast<std::size_t>(i)] != UNTOUCHED) touched.emplace_back(i % FRAME_WIDTH, i / FRAME_WIDTH);
        }
        return touched;
    }

    std::vector<std::uint16_t> frame_;
};
