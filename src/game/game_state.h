// The one global record of the game: every screen, command, board rule and drawing operation reads and
// writes its fields by name. Touched only on the message-loop thread.
#pragma once

#include <array>
#include <cstdint>

#include "gfx/images.h"
#include "platform/platform.h"

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

inline constexpr int LEVEL_COUNT = 56;
inline constexpr int LEVEL_TABLE_SIZE = LEVEL_COUNT + 1;  // per-level tables leave index 0 empty
inline constexpr int GRID_SIDE = 6;                       // grids are GRID_SIDE x GRID_SIDE, column-major
inline constexpr int GRID_CELLS = GRID_SIDE * GRID_SIDE;
inline constexpr int VIEWPOINT_SLOTS = 25;                // used from index 1
inline constexpr int NO_TOWER = 6;                        // selectedTower when no tower is chosen
inline constexpr int PARK = 5;                            // the tower kind nobody sees
inline constexpr int RECORD_TEXT_SIZE = 9;                // 8 characters and the terminator
inline constexpr int TUTORIAL_STEPS = 7;
inline constexpr int TUTORIAL_PAGES = 4;

using RecordText = std::array<char, RECORD_TEXT_SIZE>;

struct GameState {
    // Application shell
    platform::DisplayProperties displayProperties;
    std::uint32_t active = 0;
    std::uint16_t* BackBuffer = nullptr;
    std::uint32_t backBufferSize = 0;

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

    // Board
    std::int32_t columnCount = 0, rowCount = 0, towerKindCount = 0;
    std::int32_t boardColumnOffset = 0, boardRowOffset = 0;
    std::int32_t selectedTower = 0;
    std::array<std::int32_t, GRID_CELLS> playerGrid{};
    std::array<std::int32_t, GRID_CELLS> solutionGrid{};
    std::array<std::int32_t, VIEWPOINT_SLOTS> viewpointClues{};
    std::array<std::int32_t, VIEWPOINT_SLOTS> viewpointLit{};
    std::int32_t boardLeft = 0, boardTop = 0, boardRight = 0, boardBottom = 0;
    std::int32_t hitCellLeft = 0, hitCellTop = 0, hitColumn = 0, hitRow = 0;
    // SOLVE showed this puzzle's answer: its completion is no best time. Cleared with each new puzzle.
    std::int32_t solutionShown = 0;

    // Drawing state
    std::uint16_t penColour = 0;

    // Images in ImageId order (null when missing; pixels live in the program's resources)
    std::array<const std::uint16_t*, IMAGE_COUNT> images{};

    // Sound handles (slot numbers; negative when the sound is missing)
    std::int32_t firstRemoveSample = -1;
    std::int32_t secondRemoveSample = -1;
    std::int32_t clapsSample = -1;
    std::int32_t buttonsSample = -1;
};

extern GameState gameState;

// Puts every field back to its value at program start (tests use it between cases).
void resetGameState();

// One-time game initialisation, run by the first rendered frame.
void initialiseGame();
