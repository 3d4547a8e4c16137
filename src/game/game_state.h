// The one global record of the game: every screen and command reads and writes its fields by name; the
// puzzle in play is its Board, handed to the board's rules and drawing. Touched only on the message-loop
// thread.
#pragma once

#include <array>
#include <cstdint>

#include "puzzle/board_rules.h"
#include "puzzle/level_table.h"
#include "records/records_layout.h"

// Screen identifiers stored in GameState::screen.
enum ScreenId : std::uint32_t {
    SCREEN_HOME = 0,
    SCREEN_CREDITS = 1,
    SCREEN_PLAY = 3,
    SCREEN_NEW_RECORD = 4,
    SCREEN_LEVEL_COMPLETE = 5,
    SCREEN_GAME_COMPLETE = 6,
    SCREEN_TUTORIAL_INTRO = 8,
    SCREEN_TUTORIAL_CONTROLS = 9,
    SCREEN_TUTORIAL_PLAYING = 10,
    SCREEN_TUTORIAL_STRATEGY = 11,
};

inline constexpr int TUTORIAL_STEPS = 7;
inline constexpr int TUTORIAL_PAGES = 4;

using records::RECORD_TEXT_SIZE;
using records::RecordText;

// The frame, the display and the pictures belong to the drawing (gfx/frame.h: screenFrame).
struct GameState {
    // Application shell
    std::uint32_t active = 0;

    // Game flow
    std::uint32_t initPending = 1;
    std::uint32_t soundOn = 1;
    std::uint32_t screen = SCREEN_HOME;
    std::int32_t level = 0;
    std::int32_t maxLevel = 0;
    std::int32_t tutorialSeen = 0;
    std::array<RecordText, LEVEL_TABLE_SIZE> recordNames{};
    std::array<RecordText, LEVEL_TABLE_SIZE> recordTimes{};

    // Input highlights
    std::int32_t playPressed = 0, helpPressed = 0, quitPressed = 0;
    std::int32_t homePressed = 0, prevPressed = 0, solvePressed = 0, resetPressed = 0, soundPressed = 0,
                 nextPressed = 0;
    std::int32_t cellPicked = 0;
    std::int32_t pickedCellLeft = 0;

    // New-record entry
    std::array<char, RECORD_TEXT_SIZE> nameEntry{};
    std::int32_t keyHeld = 0;
    std::int32_t heldKey = 0;
    std::int32_t heldKeyX = 0, heldKeyY = 0;

    // Level clock and status line
    double levelSeconds = 0.0;
    std::int32_t showRecordName = 0;
    std::array<char, RECORD_TEXT_SIZE> statusText{};

    // Tutorial
    std::int32_t tutorialTick = 0;
    std::array<std::int32_t, TUTORIAL_STEPS> tutorialStep{};
    std::array<std::int32_t, TUTORIAL_PAGES> tutorialPageDone{};
    std::int32_t pointerX = 0, pointerY = 0;

    // The puzzle in play
    Board board;
    // SOLVE showed this puzzle's answer: its completion is no best time. Cleared with each new puzzle.
    std::int32_t solutionShown = 0;

    // Sound handles (slot numbers; negative when the sound is missing)
    std::int32_t firstRemoveSample = -1;
    std::int32_t secondRemoveSample = -1;
    std::int32_t clapsSample = -1;
    std::int32_t buttonsSample = -1;
};

extern GameState gameState;

// Puts every field, the screen frame and what the game last told or wrote outside them back to their
// values at program start (tests use it between cases).
void resetGameState();
