// The simulator's command line.
#include <charconv>
#include <iterator>

#include "sim/simulator.h"

namespace sim {
namespace {

// What --display accepts for each of its fields W,H,XPITCH,YPITCH,BPP.
struct Limit {
    std::int64_t lowest, highest;
};
constexpr Limit DISPLAY_SIDE{1, 1024};
constexpr Limit PITCH{-8192, 8192};
constexpr Limit BITS_PER_PIXEL{1, 32};
constexpr Limit DISPLAY_FIELDS[] = {DISPLAY_SIDE, DISPLAY_SIDE, PITCH, PITCH, BITS_PER_PIXEL};
constexpr std::size_t DISPLAY_FIELD_COUNT = std::size(DISPLAY_FIELDS);
constexpr std::int32_t BITS_PER_PIXEL_565 = 16;

bool parseWhole(std::string_view text, std::int64_t lowest, std::int64_t highest, std::int64_t& value) {
    if (text.empty() || text.front() == '+') return false;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    return status == std::errc() && end == text.data() + text.size() && value >= lowest && value <= highest;
}

std::vector<std::string_view> splitCommas(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        fields.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) return fields;
        start = comma + 1;
    }
}

}  // namespace

bool parseDisplayOption(std::string_view text, platform::DisplayProperties& display, std::string& error) {
    const std::vector<std::string_view> fields = splitCommas(text);
    std::int64_t values[DISPLAY_FIELD_COUNT] = {};
    bool valid = fields.size() == DISPLAY_FIELD_COUNT;
    for (std::size_t i = 0; valid && i < DISPLAY_FIELD_COUNT; ++i) {
        valid = parseWhole(fields[i], DISPLAY_FIELDS[i].lowest, DISPLAY_FIELDS[i].highest, values[i]);
    }
    if (!valid) {
        error = "--display takes W,H,XPITCH,YPITCH,BPP: sides 1..1024, pitches -8192..8192 bytes, 1..32 bits";
        return false;
    }
    const auto bits = static_cast<std::int32_t>(values[4]);
    display = {static_cast<std::int32_t>(values[0]), static_cast<std::int32_t>(values[1]),
               static_cast<std::int32_t>(values[2]), static_cast<std::int32_t>(values[3]), bits,
               bits == BITS_PER_PIXEL_565 ? headless::DIRECT_565_FORMAT : headless::DIRECT_FORMAT};
    return true;
}

bool parseSimulatorOptions(const std::vector<std::string>& arguments, SimulatorOptions& options, std::string& error) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--running") {
            options.runningCopy = true;
            continue;
        }
        if (option != "--dir" && option != "--seed" && option != "--display") {
            error = "unknown option: " + option;
            return false;
        }
        if (i + 1 == arguments.size()) {
            error = option + " needs a value";
            return false;
        }
        const std::string& value = arguments[++i];
        if (option == "--dir") {
            options.dir = value;
        } else if (option == "--seed") {
            std::int64_t seed = 0;
            if (!parseWhole(value, 0, UINT32_MAX, seed)) {
                error = "--seed takes a whole number 0..4294967295";
                return false;
            }
            options.seed = static_cast<std::uint32_t>(seed);
        } else if (!parseDisplayOption(value, options.display, error)) {
            return false;
        }
    }
    return true;
}

}  // namespace sim
