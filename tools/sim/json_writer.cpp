// One-line JSON output for the simulator.
#include "sim/json_writer.h"

#include <cmath>
#include <cstdio>

namespace sim {
namespace {

constexpr unsigned char FIRST_PRINTABLE = 0x20;
constexpr unsigned char LAST_PRINTABLE = 0x7E;

void appendEscaped(std::string& out, unsigned char byte) {
    switch (byte) {
        case '"': out += "\\\""; return;
        case '\\': out += "\\\\"; return;
        case '\n': out += "\\n"; return;
        case '\r': out += "\\r"; return;
        case '\t': out += "\\t"; return;
        default: break;
    }
    if (byte >= FIRST_PRINTABLE && byte <= LAST_PRINTABLE) {
        out += static_cast<char>(byte);
        return;
    }
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", byte);
    out += escape;
}

}  // namespace

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) appendEscaped(out, static_cast<unsigned char>(c));
    out += '"';
    return out;
}

std::string jsonArray(const std::vector<std::string>& values) {
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ',';
        out += values[i];
    }
    out += ']';
    return out;
}

std::string jsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

JsonObject& JsonObject::addRaw(std::string_view key, std::string_view json) {
    if (!fields_.empty()) fields_ += ',';
    fields_ += jsonString(key);
    fields_ += ':';
    fields_ += json;
    return *this;
}

JsonObject& JsonObject::addString(std::string_view key, std::string_view text) {
    return addRaw(key, jsonString(text));
}

JsonObject& JsonObject::addBool(std::string_view key, bool value) { return addRaw(key, value ? "true" : "false"); }

JsonObject& JsonObject::addInteger(std::string_view key, std::int64_t value) {
    return addRaw(key, std::to_string(value));
}

JsonObject& JsonObject::addUnsigned(std::string_view key, std::uint64_t value) {
    return addRaw(key, std::to_string(value));
}

JsonObject& JsonObject::addDouble(std::string_view key, double value) { return addRaw(key, jsonNumber(value)); }

std::string JsonObject::text() const { return "{" + fields_ + "}"; }

}  // namespace sim
