// The music player's life cycle, tables and buffer rendering: the song is stepped tick by tick, each
// tick's frames mixed into the two 32-bit mix buffers, and the buffer converted to the output format.
#include "sound/module_player.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// The period table walks the semitones above the reference pitch in eighths, interpolated linearly.
constexpr float REFERENCE_PITCH = 3520.0f;
constexpr float SEMITONE_EXPONENT = 0.083333336f;  // the float nearest a twelfth of an octave
constexpr int STEPS_PER_SEMITONE = 8;
constexpr float STEP_FRACTION = 1.0f / STEPS_PER_SEMITONE;
constexpr int PERIOD_SEMITONES = ModulePlayer::PERIOD_COUNT / STEPS_PER_SEMITONE;
static_assert(PERIOD_SEMITONES * STEPS_PER_SEMITONE == ModulePlayer::PERIOD_COUNT);

constexpr std::uint32_t TICKS_PER_SECOND = 50;
constexpr std::uint8_t FULL_MUSIC_VOLUME = 255;
constexpr std::int32_t EIGHT_BIT_SHIFT = 9;

float semitonePeriod(int semitone) {
    const float exponent = static_cast<float>(semitone + 2) * SEMITONE_EXPONENT;
    const float octaves = static_cast<float>(std::pow(2.0, static_cast<double>(exponent)));
    return ModulePlayer::AMIGA_CLOCK / (REFERENCE_PITCH * octaves);
}

// Four full-volume channels on one side stay within range; the mono sum of eight does not, and is
// limited rather than wrapped round.
std::int16_t saturate16(std::int32_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(value, std::numeric_limits<std::int16_t>::min(),
                                                              std::numeric_limits<std::int16_t>::max()));
}

std::uint8_t to8Bit(std::int32_t mix) {
    const std::int32_t centred = (mix >> EIGHT_BIT_SHIFT) + platform::AUDIO_8_BIT_SILENCE;
    return static_cast<std::uint8_t>(std::clamp<std::int32_t>(centred, 0, platform::AUDIO_8_BIT_MAX));
}

void put16(std::uint8_t* out, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    out[0] = static_cast<std::uint8_t>(bits & 0xFF);
    out[1] = static_cast<std::uint8_t>(bits >> 8);
}

// One loop per output format, so that the format is not asked again at every frame.
template <std::uint32_t Bits, std::uint32_t Channels>
void convertFrames(const std::int32_t* left, const std::int32_t* right, std::uint8_t* out, std::uint32_t frames) {
    for (std::uint32_t i = 0; i < frames; ++i, out += Bits / 8 * Channels) {
        if constexpr (Bits == 16 && Channels == 2) {
            put16(out, saturate16(left[i] >> 1));
            put16(out + 2, saturate16(right[i] >> 1));
        } else if constexpr (Bits == 16) {
            put16(out, saturate16((left[i] + right[i]) >> 1));
        } else if constexpr (Channels == 2) {
            out[0] = to8Bit(left[i]);
            out[1] = to8Bit(right[i]);
        } else {
            out[0] = to8Bit(left[i] + right[i]);
        }
    }
}

}  // namespace

ModulePlayer::ModulePlayer() {
    BuildVolumeTable(FULL_MUSIC_VOLUME);
    BuildPeriodTable();
}

ModulePlayer::~ModulePlayer() { StopMusic(); }

void ModulePlayer::BuildPeriodTable() {
    for (int k = 0; k < PERIOD_SEMITONES; ++k) {
        const float low = semitonePeriod(k);
        const float high = semitonePeriod(k + 1);
        for (int j = 0; j < STEPS_PER_SEMITONE; ++j)
            PeriodTable[static_cast<std::size_t>(STEPS_PER_SEMITONE * k + j)] =
                low + static_cast<float>(j) * (high - low) * STEP_FRACTION;
    }
}

void ModulePlayer::BuildVolumeTable(std::uint8_t volume) {
    musicVolume = volume;
    const std::int32_t half = volume >> 1;
    for (std::int32_t v = 0; v < VOLUME_STEPS; ++v)
        for (std::int32_t b = 0; b < 256; ++b)
            VolumeTable[static_cast<std::size_t>(v)][static_cast<std::size_t>(b)] =
                static_cast<std::int8_t>(b) * half * v / MAX_CHANNEL_VOLUME;
}

bool ModulePlayer::Configure(std::uint8_t channelCountOut, std::uint32_t outputRate, std::uint8_t bitsPerSample,
                             std::uint8_t buffers) {
    if (channelCountOut != 1 && channelCountOut != 2) return false;
    if ((bitsPerSample != 8 && bitsPerSample != 16) || buffers == 0 || outputRate < TICKS_PER_SECOND) return false;
    channels = channelCountOut;
    rate = outputRate;
    bits = bitsPerSample;
    buffersPerSecond = buffers;
    samplesPerBuffer = rate / buffersPerSecond;
    // Kept in step with the rate so a song started before the output opened still has whole ticks.
    samplesPerTick = rate / TICKS_PER_SECOND;
    leftMix.assign(samplesPerBuffer, 0);
    rightMix.assign(samplesPerBuffer, 0);
    return true;
}

void ModulePlayer::ClearModule() {
    title.clear();
    for (ModSample& sample : samples) sample = ModSample{};
    patterns.clear();
    patternCount = 0;
    songLength = 0;
    orders.fill(0);
    currentRow = nullptr;
}

bool ModulePlayer::StartMusic(bool loopSong) {
    if (!loaded) return false;
    if (playing) return true;
    loop = loopSong;
    playing = true;
    for (std::int32_t m = 0; m < channelCount; ++m) channelState[static_cast<std::size_t>(m)] = ModChannel{};
    speed = START_SPEED;
    samplesLeftInTick = 0;
    orderIndex = 0;
    rowIndex = 0;
    currentRow = RowOf(0, 0);
    tick = 0;
    samplesPerTick = rate / TICKS_PER_SECOND;
    return true;
}

void ModulePlayer::StopMusic() { playing = false; }

void ModulePlayer::PauseMusic(bool pause) { paused = pause; }

bool ModulePlayer::IsMusicPlaying() const { return playing; }

bool ModulePlayer::IsMusicPaused() const { return paused; }

MusicStatus ModulePlayer::Status() const {
    return {loaded, playing, paused, loop, orderIndex, rowIndex, tick, speed, channelCount, songLength};
}

bool ModulePlayer::RenderMusic(platform::AudioBufferHeader* buffer) {
    if (!playing) return true;
    if (paused) {
        WriteSilence(buffer);
        std::fill(leftMix.begin(), leftMix.end(), 0);
        std::fill(rightMix.begin(), rightMix.end(), 0);
        return false;
    }
    std::int32_t remaining = static_cast<std::int32_t>(samplesPerBuffer);
    std::int32_t out = 0;
    bool ended = false;
    while (remaining > 0 && samplesPerTick > 0) {
        if (samplesLeftInTick == 0) {
            if (tick == 0) {
                if (StartRow()) ended = true;
                if (!ProcessRow()) {
                    if (!loop) {
                        ended = true;
                        break;
                    }
                    tick = -1;
                }
            }
            ProcessTick();
            tick += 1;
            if (tick >= speed && !ended) tick = 0;
            samplesLeftInTick = static_cast<std::int32_t>(samplesPerTick);
        }
        const std::int32_t n = std::min(samplesLeftInTick, remaining);
        samplesLeftInTick -= n;
        remaining -= n;
        MixChannels(leftMix.data(), rightMix.data(), out, n);
        out += n;
    }
    // A song that stopped part way leaves the rest of the buffer silent rather than stale.
    std::fill(leftMix.begin() + out, leftMix.end(), 0);
    std::fill(rightMix.begin() + out, rightMix.end(), 0);
    ConvertMix(buffer);
    if (tick < speed && !ended) return true;
    playing = false;
    return false;
}

bool ModulePlayer::StartRow() {
    currentRow = RowOf(orderIndex, rowIndex);
    rowIndex += 1;
    if (rowIndex < ROWS_PER_PATTERN) return false;
    rowIndex = 0;
    orderIndex += 1;
    if (orderIndex < songLength) return false;
    if (!loop) return true;
    orderIndex = 0;
    return false;
}

void ModulePlayer::WriteSilence(platform::AudioBufferHeader* buffer) const {
    if (buffer == nullptr || buffer->data == nullptr) return;
    std::memset(buffer->data, bits == 8 ? platform::AUDIO_8_BIT_SILENCE : 0, buffer->length);
}

void ModulePlayer::ConvertMix(platform::AudioBufferHeader* buffer) const {
    if (buffer == nullptr || buffer->data == nullptr) return;
    const std::uint32_t frameBytes = (bits / 8u) * channels;
    const std::uint32_t frames = std::min<std::uint32_t>(samplesPerBuffer, buffer->length / frameBytes);
    const std::int32_t* left = leftMix.data();
    const std::int32_t* right = rightMix.data();
    if (bits == 16 && channels == 2) {
        convertFrames<16, 2>(left, right, buffer->data, frames);
    } else if (bits == 16) {
        convertFrames<16, 1>(left, right, buffer->data, frames);
    } else if (channels == 2) {
        convertFrames<8, 2>(left, right, buffer->data, frames);
    } else {
        convertFrames<8, 1>(left, right, buffer->data, frames);
    }
}

const PatternCell* ModulePlayer::RowOf(std::int32_t order, std::int32_t row) const {
    if (patterns.empty() || order < 0 || order >= ORDER_COUNT || row < 0 || row >= ROWS_PER_PATTERN) return nullptr;
    const auto pattern = static_cast<std::size_t>(orders[static_cast<std::size_t>(order)]);
    return &patterns[(pattern * ROWS_PER_PATTERN + static_cast<std::size_t>(row)) * MAX_CHANNELS];
}

const ModSample& ModulePlayer::Sample(int number) const {
    return samples[number >= 0 && number < SAMPLE_ENTRIES ? static_cast<std::size_t>(number) : 0];
}

float ModulePlayer::PeriodAt(int index) const {
    return PeriodTable[static_cast<std::size_t>(std::clamp(index, 0, PERIOD_COUNT - 1))];
}
