// A fresh device and game state for every test: a frame to draw into, the headless device at its
// power-on state, and a window whose procedure keeps the messages it was sent.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/level_clock.h"
#include "game/stylus.h"
#include "gfx/frame.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "puzzle/level_table.h"
#include "puzzle/puzzle_generator.h"
#include "records/records_file.h"

class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::reset();
        resetGameState();
        messagesSent().clear();
        // The device's folder outlives a reset: each test starts without a records file.
        std::remove(recordsFilePath().c_str());
        gameState.BackBuffer = frame.data();
        gameState.backBufferSize = BACK_BUFFER_SIZE;
        // Nothing to hear in these tests: the music engine stays out of the way.
        gameState.soundOn = 0;
    }

    void TearDown() override {
        stopClockTimers();
        platform::destroyWindow();
        resetGameState();
    }

    // A window to own the timers; its procedure notes every message and hands it on.
    static void openWindow() { ASSERT_TRUE(platform::createWindow("test window", recordingProcedure)); }

    static std::vector<platform::Message>& messagesSent() {
        static std::vector<platform::Message> messages;
        return messages;
    }

    // Level `level` set up and generated as the game does, with `maxLevel` reached.
    static void playLevel(std::int32_t level, std::int32_t maxLevel) {
        gameState.level = level;
        gameState.maxLevel = maxLevel;
        startLevel();
        gameState.screen = SCREEN_PLAY;
    }

    static bool timerRuns(std::uint32_t id) {
        for (const headless::TimerInfo& timer : headless::timers()) {
            if (timer.id == id) return true;
        }
        return false;
    }

    // The records file as it stands; empty when there is none.
    static std::string recordsFile() {
        std::ifstream file(recordsFilePath(), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    static void writeRecordsFile(const std::string& contents) {
        std::ofstream(recordsFilePath(), std::ios::binary) << contents;
    }

    std::uint16_t pixel(int x, int y) const { return frame[static_cast<std::size_t>(y * FRAME_WIDTH + x)]; }

    std::vector<std::uint16_t> frame = std::vector<std::uint16_t>(FRAME_PIXELS, 0);

private:
    static std::intptr_t recordingProcedure(platform::Message message, std::uint32_t first, std::uint32_t second) {
        messagesSent().push_back(message);
        return platform::defaultWindowProcedure(message, first, second);
    }
};
