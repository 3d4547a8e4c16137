// The game state, timers and message box as the simulator reports them.
#include "sim/state_report.h"

#include <array>
#include <cstring>

#include "game/game_state.h"
#include "gfx/frame.h"
#include "gfx/image_table.h"
#include "platform/headless/headless.h"
#include "sim/json_writer.h"

namespace sim {
namespace {

template <std::size_t N>
std::string textJson(const std::array<char, N>& text) {
    const void* end = std::memchr(text.data(), '\0', N);
    const std::size_t length = end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - text.data()) : N;
    return jsonString(std::string_view(text.data(), length));
}

template <typename Element, std::size_t N>
std::string numbersJson(const std::array<Element, N>& numbers) {
    std::vector<std::string> values;
    for (const Element number : numbers) values.push_back(std::to_string(number));
    return jsonArray(values);
}

template <std::size_t N>
std::string textsJson(const std::array<RecordText, N>& texts) {
    std::vector<std::string> values;
    for (const RecordText& text : texts) values.push_back(textJson(text));
    return jsonArray(values);
}

std::string displayPropertiesJson(const platform::DisplayProperties& display) {
    return JsonObject()
        .addInteger("width", display.width)
        .addInteger("height", display.height)
        .addInteger("xPitch", display.xPitch)
        .addInteger("yPitch", display.yPitch)
        .addInteger("bitsPerPixel", display.bitsPerPixel)
        .addInteger("format", display.format)
        .text();
}

void addShellFields(JsonObject& state, const GameState& game, const Frame& frame) {
    state.addRaw("displayProperties", displayPropertiesJson(frame.displayProperties))
        .addUnsigned("active", game.active)
        .addBool("BackBuffer", frame.BackBuffer != nullptr)
        .addUnsigned("backBufferSize", frame.backBufferSize);
}

void addGameFlowFields(JsonObject& state, const GameState& game) {
    state.addUnsigned("initPending", game.initPending)
        .addUnsigned("soundOn", game.soundOn)
        .addUnsigned("screen", game.screen)
        .addInteger("level", game.level)
        .addInteger("maxLevel", game.maxLevel)
        .addInteger("tutorialSeen", game.tutorialSeen)
        .addRaw("recordNames", textsJson(game.recordNames))
        .addRaw("recordTimes", textsJson(game.recordTimes));
}

void addHighlightFields(JsonObject& state, const GameState& game) {
    state.addInteger("playPressed", game.playPressed)
        .addInteger("helpPressed", game.helpPressed)
        .addInteger("quitPressed", game.quitPressed)
        .addInteger("homePressed", game.homePressed)
        .addInteger("prevPressed", game.prevPressed)
        .addInteger("solvePressed", game.solvePressed)
        .addInteger("resetPressed", game.resetPressed)
        .addInteger("soundPressed", game.soundPressed)
        .addInteger("nextPressed", game.nextPressed)
        .addInteger("cellPicked", game.cellPicked)
        .addInteger("pickedCellLeft", game.pickedCellLeft);
}

void addRecordEntryFields(JsonObject& state, const GameState& game) {
    state.addRaw("nameEntry", textJson(game.nameEntry))
        .addInteger("keyHeld", game.keyHeld)
        .addInteger("heldKey", game.heldKey)
        .addInteger("heldKeyX", game.heldKeyX)
        .addInteger("heldKeyY", game.heldKeyY);
}

void addClockAndTutorialFields(JsonObject& state, const GameState& game) {
    state.addDouble("levelSeconds", game.levelSeconds)
        .addInteger("showRecordName", game.showRecordName)
        .addRaw("statusText", textJson(game.statusText))
        .addInteger("tutorialTick", game.tutorialTick)
        .addRaw("tutorialStep", numbersJson(game.tutorialStep))
        .addRaw("tutorialPageDone", numbersJson(game.tutorialPageDone))
        .addInteger("pointerX", game.pointerX)
        .addInteger("pointerY", game.pointerY);
}

void addBoardFields(JsonObject& state, const Board& board, const GameState& game, const Frame& frame) {
    state.addInteger("columnCount", board.columnCount)
        .addInteger("rowCount", board.rowCount)
        .addInteger("towerKindCount", board.towerKindCount)
        .addInteger("boardColumnOffset", board.boardColumnOffset)
        .addInteger("boardRowOffset", board.boardRowOffset)
        .addInteger("selectedTower", board.selectedTower)
        .addRaw("playerGrid", numbersJson(board.playerGrid))
        .addRaw("solutionGrid", numbersJson(board.solutionGrid))
        .addRaw("viewpointClues", numbersJson(board.viewpointClues))
        .addRaw("viewpointLit", numbersJson(board.viewpointLit))
        .addInteger("boardLeft", board.boardLeft)
        .addInteger("boardTop", board.boardTop)
        .addInteger("boardRight", board.boardRight)
        .addInteger("boardBottom", board.boardBottom)
        .addInteger("hitCellLeft", board.hitCellLeft)
        .addInteger("hitCellTop", board.hitCellTop)
        .addInteger("hitColumn", board.hitColumn)
        .addInteger("hitRow", board.hitRow)
        .addInteger("solutionShown", game.solutionShown)
        .addUnsigned("penColour", frame.penColour);
}

void addImageAndSoundFields(JsonObject& state, const GameState& game, const Frame& frame) {
    for (std::size_t image = 0; image < IMAGE_RESOURCES.size(); ++image) {
        state.addBool(IMAGE_RESOURCES[image].reportName, frame.images[image] != nullptr);
    }
    state.addInteger("firstRemoveSample", game.firstRemoveSample)
        .addInteger("secondRemoveSample", game.secondRemoveSample)
        .addInteger("clapsSample", game.clapsSample)
        .addInteger("buttonsSample", game.buttonsSample);
}

}  // namespace

std::string gameStateJson() {
    JsonObject state;
    addShellFields(state, gameState, screenFrame);
    addGameFlowFields(state, gameState);
    addHighlightFields(state, gameState);
    addRecordEntryFields(state, gameState);
    addClockAndTutorialFields(state, gameState);
    addBoardFields(state, gameState.board, gameState, screenFrame);
    addImageAndSoundFields(state, gameState, screenFrame);
    return state.text();
}

std::string timersJson() {
    std::vector<std::string> timers;
    for (const headless::TimerInfo& timer : headless::timers()) {
        timers.push_back(JsonObject()
                             .addUnsigned("id", timer.id)
                             .addUnsigned("ms", timer.periodMs)
                             .addBool("callback", timer.callback)
                             .text());
    }
    return jsonArray(timers);
}

std::string messageBoxJson() {
    const auto box = headless::lastMessageBox();
    if (!box) return "null";
    return JsonObject().addString("text", box->text).addString("caption", box->caption).text();
}

}  // namespace sim
