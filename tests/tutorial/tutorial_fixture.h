// A fresh game state with a frame to draw into and the pictures the tutorial pages use, for every test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/game_state.h"
#include "game/level_clock.h"
#include "game/tutorial.h"
#include "gfx/frame.h"
#include "gfx/images.h"
#include "platform/headless/headless.h"

class TutorialTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::reset();
        resetGameState();
        gameState.BackBuffer = frame.data();
        gameState.backBufferSize = BACK_BUFFER_SIZE;
        gameState.playBackgroundImage = loadImage(IMAGE_PLAY_BACKGROUND);
        gameState.fontImage = loadImage(IMAGE_FONT);
        gameState.towerButtonsImage = loadImage(IMAGE_TOWER_BUTTONS);
        gameState.towerTilesImage = loadImage(IMAGE_TOWER_TILES);
        gameState.tutorialPartsImage = loadImage(IMAGE_TUTORIAL_PARTS);
    }

    void TearDown() override {
        stopClockTimers();
        resetGameState();
    }

    // Opens a page as the tutorial's own entry and links do: tick 0, every step off.
    static void openPage(std::uint32_t screen) {
        gameState.tutorialTick = 0;
        gameState.tutorialStep.fill(0);
        if (screen == SCREEN_TUTORIAL_PLAYING) {
            prepareTutorialBoard();
        } else {
            gameState.screen = screen;
        }
    }

    // How many of the level clock's two timers run.
    static int clockTimersRunning() {
        int running = 0;
        for (const headless::TimerInfo& timer : headless::timers()) {
            if (timer.id == TIMER_CLOCK || timer.id == TIMER_RECORD_TOGGLE) ++running;
        }
        return running;
    }
    static bool clockTimersRun() { return clockTimersRunning() == 2; }

    // Renders frames until the page's tick reaches `tick`.
    static void renderUntilTick(std::int32_t tick) {
        while (gameState.tutorialTick < tick) drawTutorialPage();
    }

    std::uint16_t pixel(int x, int y) const { return frame[static_cast<std::size_t>(y * FRAME_WIDTH + x)]; }

    // True when every pixel of the inclusive rectangle has the colour.
    bool areaIs(int x0, int y0, int x1, int y1, std::uint16_t colour) const {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                if (pixel(x, y) != colour) return false;
            }
        }
        return true;
    }

    std::vector<std::uint16_t> frame = std::vector<std::uint16_t>(FRAME_PIXELS, 0x1234);
};
