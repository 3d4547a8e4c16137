// The simulator's commands: each line is checked whole before anything happens, so a bad line
// changes nothing and the answer says what was wrong.
#include "sim/simulator.h"

#include <charconv>
#include <cstring>
#include <functional>
#include <map>

#include "game/game_state.h"
#include "gfx/frame.h"
#include "shell/shell.h"
#include "sim/json_writer.h"
#include "sim/output_files.h"
#include "sim/state_report.h"
#include "sound/sound_engine.h"
#include "sound/sound_report.h"

namespace sim {
namespace {

constexpr std::uint64_t LONGEST_WAIT_MS = 604800000;  // one week
constexpr std::uint64_t LONGEST_RECORDING_MS = 600000;  // ten minutes of audio kept in memory
constexpr std::uint64_t TAP_HOLD_MS = 50;
constexpr std::int64_t LAST_X = FRAME_WIDTH - 1;
constexpr std::int64_t LAST_Y = FRAME_HEIGHT - 1;
constexpr std::int64_t LAST_KEY_CODE = 0xFFFF;
constexpr std::int64_t LAST_RESOURCE_ID = 0xFFFF;
constexpr char COMMENT_MARK = '#';
constexpr PcmFormat UNOPENED_OUTPUT_FORMAT{2, 11025, 16};

std::vector<std::string> splitWords(std::string_view line) {
    std::vector<std::string> words;
    std::size_t position = 0;
    while (position < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t\r\n", position);
        if (start == std::string_view::npos) break;
        const std::size_t end = std::min(line.find_first_of(" \t\r\n", start), line.size());
        words.emplace_back(line.substr(start, end - start));
        position = end;
    }
    return words;
}

// A whole decimal number within [lowest, highest]; signs are allowed only where negatives are.
bool parseNumber(std::string_view word, std::int64_t lowest, std::int64_t highest, std::int64_t& value) {
    if (word.empty() || (word.front() == '+')) return false;
    const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), value);
    return status == std::errc() && end == word.data() + word.size() && value >= lowest && value <= highest;
}

std::string rangeError(std::string_view name, std::int64_t lowest, std::int64_t highest) {
    return std::string(name) + " must be a whole number " + std::to_string(lowest) + ".." + std::to_string(highest);
}

bool parseArgument(std::string_view word, std::string_view name, std::int64_t lowest, std::int64_t highest,
                   std::int64_t& value, std::string& error) {
    if (parseNumber(word, lowest, highest, value)) return true;
    error = rangeError(name, lowest, highest);
    return false;
}

struct Position {
    int x = 0;
    int y = 0;
};

bool parsePosition(const std::vector<std::string>& words, Position& position, std::string& error) {
    std::int64_t x = 0;
    std::int64_t y = 0;
    if (!parseArgument(words[1], "X", 0, LAST_X, x, error) || !parseArgument(words[2], "Y", 0, LAST_Y, y, error)) {
        return false;
    }
    position = {static_cast<int>(x), static_cast<int>(y)};
    return true;
}

PcmFormat outputFormat() {
    const headless::AudioFormat output = headless::audioFormat();
    return output.rate != 0 ? PcmFormat{output.channels, output.rate, output.bits} : UNOPENED_OUTPUT_FORMAT;
}

// Arguments each command takes.
const std::map<std::string, std::size_t, std::less<>>& argumentCounts() {
    static const std::map<std::string, std::size_t, std::less<>> counts{
        {"wait", 1},  {"down", 2},  {"up", 2},      {"move", 2},  {"tap", 2},      {"key", 1},
        {"keyup", 1}, {"focus", 1}, {"close", 0},   {"state", 0}, {"frame", 1},    {"display", 1},
        {"resource", 3}, {"audio", 2}, {"quit", 0},
    };
    return counts;
}

}  // namespace

struct Simulator::Answer {
    std::string error;
    JsonObject extra;
};

Simulator::Simulator(const SimulatorOptions& options) {
    // A fresh game in this process: the engine must not carry the last game's sounds and stream.
    soundEngine.Restart();
    headless::configure(options.seed, options.display, options.dir, options.runningCopy);
    resetGameState();
    headless::setPresentHook([this] { snapshotFrame(); });
    started_ = startApplication();
}

Simulator::~Simulator() { headless::setPresentHook(nullptr); }

void Simulator::snapshotFrame() {
    if (screenFrame.BackBuffer == nullptr) return;
    lastFrame_.assign(screenFrame.BackBuffer, screenFrame.BackBuffer + FRAME_PIXELS);
}

bool Simulator::running() const { return started_ && !headless::quitPosted(); }

std::string Simulator::handle(std::string_view line) {
    const std::vector<std::string> words = splitWords(line);
    if (words.empty() || words.front().front() == COMMENT_MARK) return {};
    headless::clearAudioPlayed();
    Answer answer;
    const auto count = argumentCounts().find(words.front());
    if (count == argumentCounts().end()) {
        answer.error = "unknown command: " + words.front();
    } else if (words.size() - 1 != count->second) {
        answer.error = words.front() + " takes " + std::to_string(count->second) + " argument(s)";
    } else {
        carryOut(words, answer);
    }
    return finishAnswer(answer);
}

std::string Simulator::finishAnswer(const Answer& answer) const {
    JsonObject json;
    json.addBool("ok", answer.error.empty());
    if (!answer.error.empty()) json.addString("error", answer.error);
    json.addUnsigned("t", headless::now()).addBool("running", running());
    if (!running()) json.addInteger("exitCode", platform::exitCode());
    std::string text = json.text();
    const std::string extra = answer.extra.text();
    if (answer.error.empty() && extra.size() > 2) {
        text.pop_back();
        text += ',' + extra.substr(1);
    }
    return text;
}

void Simulator::carryOut(const std::vector<std::string>& words, Answer& answer) {
    const std::string& command = words.front();
    std::int64_t number = 0;
    Position position;
    if (command == "wait") {
        if (parseArgument(words[1], "MS", 0, LONGEST_WAIT_MS, number, answer.error)) wait(number, answer);
    } else if (command == "down" || command == "up" || command == "move" || command == "tap") {
        if (!parsePosition(words, position, answer.error)) return;
        if (command == "down") headless::stylusDown(position.x, position.y);
        if (command == "up") headless::stylusUp(position.x, position.y);
        if (command == "move") headless::stylusMove(position.x, position.y);
        if (command == "tap") {
            headless::stylusDown(position.x, position.y);
            headless::advance(TAP_HOLD_MS);
            headless::stylusUp(position.x, position.y);
            wait(TAP_HOLD_MS, answer);
        }
    } else if (command == "key" || command == "keyup") {
        if (!parseArgument(words[1], "CODE", 0, LAST_KEY_CODE, number, answer.error)) return;
        if (command == "key") headless::keyDown(static_cast<std::uint32_t>(number));
        if (command == "keyup") headless::keyUp(static_cast<std::uint32_t>(number));
    } else if (command == "focus") {
        if (!parseArgument(words[1], "focus", 0, 1, number, answer.error)) return;
        if (number == 0) headless::focusLost();
        if (number == 1) headless::focusGained();
    } else if (command == "close") {
        headless::close();
    } else if (command == "state") {
        reportState(answer);
    } else if (command == "frame") {
        writeFrame(words[1], answer);
    } else if (command == "display") {
        writeDisplay(words[1], answer);
    } else if (command == "resource") {
        writeResource(words, answer);
    } else if (command == "audio") {
        recordAudio(words, answer);
    } else if (command == "quit") {
        quitRequested_ = true;
    }
}

void Simulator::wait(std::uint64_t ms, Answer& answer) {
    headless::advance(ms);
    answer.extra.addUnsigned("frames", headless::framesPresented());
}

void Simulator::writeFrame(const std::string& path, Answer& answer) {
    if (!isFrameFileName(path)) {
        answer.error = "unknown frame format (use .rgb565, .ppm or .png): " + path;
    } else if (lastFrame_.empty()) {
        answer.error = "no frame has been presented yet";
    } else if (writeFrameFile(path, lastFrame_, FRAME_WIDTH, FRAME_HEIGHT, answer.error)) {
        answer.extra.addString("path", path);
    }
}

void Simulator::writeDisplay(const std::string& path, Answer& answer) {
    const headless::DisplayMemory memory = headless::displayMemory();
    std::vector<std::uint8_t> bytes;
    bytes.reserve(memory.words.size() * 2);
    for (const std::uint16_t word : memory.words) {
        bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    if (writeBytesFile(path, bytes, answer.error)) answer.extra.addUnsigned("bytes", bytes.size());
}

void Simulator::writeResource(const std::vector<std::string>& words, Answer& answer) {
    const std::string& type = words[1];
    std::int64_t id = 0;
    if (type != "IMAGE" && type != "WAVE" && type != "MOD") {
        answer.error = "TYPE must be IMAGE, WAVE or MOD";
        return;
    }
    if (!parseArgument(words[2], "ID", 0, LAST_RESOURCE_ID, id, answer.error)) return;
    const auto bytes = platform::findResource(type, static_cast<int>(id));
    if (bytes.empty()) {
        answer.error = "no resource " + type + " " + words[2];
        return;
    }
    if (writeBytesFile(words[3], bytes, answer.error)) answer.extra.addUnsigned("bytes", bytes.size());
}

// What the output plays while the clock moves on, in the format it was opened with. The file is
// written once before the clock moves, so that a path that cannot be written changes nothing.
void Simulator::recordAudio(const std::vector<std::string>& words, Answer& answer) {
    const std::string& path = words[1];
    std::int64_t ms = 0;
    if (!parseArgument(words[2], "MS", 0, LONGEST_RECORDING_MS, ms, answer.error)) return;
    if (!writeWavFile(path, {}, outputFormat(), answer.error)) return;
    wait(static_cast<std::uint64_t>(ms), answer);
    const PcmFormat format = outputFormat();
    const std::vector<std::uint8_t>& played = headless::audioPlayed();
    writeWavFile(path, played, format, answer.error);
    answer.extra.addUnsigned("samples", played.size() / (format.channels * format.bits / 8));
}

void Simulator::reportState(Answer& answer) {
    std::string sound = soundEngineReportJson();
    if (sound.empty()) sound = "{}";
    answer.extra.addRaw("state", gameStateJson())
        .addRaw("timers", timersJson())
        .addRaw("sound", sound)
        .addRaw("messageBox", messageBoxJson());
}

}  // namespace sim
