// The sound engine's state as the simulator reports it, from a copy taken under the engine's lock.
#include "sound/sound_report.h"

#include <cstdio>

#include "sound/sound_engine.h"

namespace {

void appendNumber(std::string& json, const char* key, long long value) {
    char text[64];
    std::snprintf(text, sizeof text, "\"%s\":%lld", key, value);
    json += text;
}

void appendFlag(std::string& json, const char* key, bool value) {
    json += '"';
    json += key;
    json += value ? "\":true" : "\":false";
}

void appendString(std::string& json, const std::string& text) {
    json += '"';
    for (unsigned char character : text) {
        if (character == '"' || character == '\\') {
            json += '\\';
            json += static_cast<char>(character);
        } else if (character < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", character);
            json += escaped;
        } else {
            json += static_cast<char>(character);
        }
    }
    json += '"';
}

void appendSlots(std::string& json, const std::vector<std::wstring>& names) {
    json += "\"slots\":[";
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) json += ',';
        appendString(json, Utf8FromWide(names[i]));
    }
    json += ']';
}

void appendMusic(std::string& json, const MusicStatus& music) {
    json += "\"music\":{";
    appendFlag(json, "loaded", music.loaded);
    json += ',';
    appendFlag(json, "playing", music.playing);
    json += ',';
    appendFlag(json, "paused", music.paused);
    json += ',';
    appendFlag(json, "loop", music.loop);
    json += ',';
    appendNumber(json, "orderIndex", music.orderIndex);
    json += ',';
    appendNumber(json, "rowIndex", music.rowIndex);
    json += ',';
    appendNumber(json, "tick", music.tick);
    json += ',';
    appendNumber(json, "speed", music.speed);
    json += ',';
    appendNumber(json, "channelCount", music.channelCount);
    json += ',';
    appendNumber(json, "songLength", music.songLength);
    json += '}';
}

}  // namespace

std::string soundEngineReportJson(const SoundEngine& engine) {
    // The device is asked before the engine's lock is taken: the device's own lock may be held by its
    // audio thread while that thread waits for ours.
    const std::uint32_t deviceVolume = platform::audioGetVolume();
    const SoundEngineStatus status = engine.Status();
    std::string json = "{";
    appendFlag(json, "open", status.open);
    json += ',';
    appendNumber(json, "channels", status.channels);
    json += ',';
    appendNumber(json, "rate", status.rate);
    json += ',';
    appendNumber(json, "bits", status.bits);
    json += ',';
    appendNumber(json, "masterVolume", status.masterVolume);
    json += ',';
    appendNumber(json, "musicVolume", status.musicVolume);
    json += ',';
    appendNumber(json, "effectsVolume", status.effectsVolume);
    json += ',';
    appendNumber(json, "deviceVolume", deviceVolume);
    json += ',';
    appendNumber(json, "voices", status.voices);
    json += ',';
    appendSlots(json, status.slotNames);
    json += ',';
    appendMusic(json, status.music);
    json += '}';
    return json;
}
