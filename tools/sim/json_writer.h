// A small writer of one-line JSON, enough for the simulator's answers: objects built field by field,
// arrays of already written values, and strings escaped so that any byte survives.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// `text` as a JSON string literal: quotes, backslashes and every byte outside printable ASCII escaped
// (bytes above 0x7F as the code points U+0080..U+00FF).
std::string jsonString(std::string_view text);

// "[a,b,...]" of values that are already JSON.
std::string jsonArray(const std::vector<std::string>& values);

// A finite number as JSON; NaN and infinities, which JSON cannot hold, as null.
std::string jsonNumber(double value);

class JsonObject {
public:
    JsonObject& addRaw(std::string_view key, std::string_view json);
    JsonObject& addString(std::string_view key, std::string_view text);
    JsonObject& addBool(std::string_view key, bool value);
    JsonObject& addInteger(std::string_view key, std::int64_t value);
    JsonObject& addUnsigned(std::string_view key, std::uint64_t value);
    JsonObject& addDouble(std::string_view key, double value);

    // "{...}" with the fields in the order they were added.
    std::string text() const;

private:
    std::string fields_;
};

}  // namespace sim
