// The sound engine's state as the simulator reports it, read under the engine's lock.
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

void appendSlots(std::string& json, const SoundEngine& engine) {
    json += "\"slots\":[";
    bool first = true;
    for (const auto& slot : engine.slots) {
        if (!slot) continue;
        if (!first) json += ',';
        appendString(json, Utf8FromWide(slot->name));
        first = false;
    }
    json += ']';
}

void appendMusic(std::string& json, const ModulePlayer& music) {
    json += "\"music\":{";
    appendFlag(json, "loaded", music.loaded != 0);
    json += ',';
    appendFlag(json, "playing", music.playing != 0);
    json += ',';
    appendFlag(json, "paused", music.paused != 0);
    json += ',';
    appendFlag(json, "loop", music.Looping());
    json += ',';
    appendNumber(json, "orderIndex", music.OrderIndex());
    json += ',';
    appendNumber(json, "rowIndex", music.RowIndex());
    json += ',';
    appendNumber(json, "tick", music.CurrentTick());
    json += ',';
    appendNumber(json, "speed", music.Speed());
    json += ',';
    appendNumber(json, "channelCount", music.ChannelCount());
    json += ',';
    appendNumber(json, "songLength", music.SongLength());
    json += '}';
}

}  // namespace

std::string soundEngineReportJson() {
    // The device is asked outside the engine's lock: the device's own lock may be held by its audio
    // thread while that thread waits for ours.
    const std::uint32_t deviceVolume = platform::audioGetVolume();
    auto lock = soundEngine.LockAudio();
    std::string json = "{";
    appendFlag(json, "open", soundEngine.deviceOpen);
    json += ',';
    appendNumber(json, "channels", soundEngine.channels);
    json += ',';
    appendNumber(json, "rate", soundEngine.sampleRate);
    json += ',';
    appendNumber(json, "bits", soundEngine.bitsPerSample);
    json += ',';
    appendNumber(json, "masterVolume", soundEngine.masterVolume);
    json += ',';
    appendNumber(json, "musicVolume", soundEngine.musicVolume);
    json += ',';
    appendNumber(json, "effectsVolume", soundEngine.effectsVolume);
    json += ',';
    appendNumber(json, "deviceVolume", deviceVolume);
    json += ',';
    long long voices = 0;
    for (const SoundVoice* voice = soundEngine.voices.get(); voice != nullptr; voice = voice->next.get()) ++voices;
    appendNumber(json, "voices", voices);
    json += ',';
    appendSlots(json, soundEngine);
    json += ',';
    appendMusic(json, soundEngine.music);
    json += '}';
    return json;
}
