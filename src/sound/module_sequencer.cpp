// The module's sequencer: what each row and each tick do to the channels (notes, samples, effects,
// jumps). Only channel registers change here; the mixer turns them into sound.
#include "sound/module_sequencer.h"

#include <algorithm>
#include <cmath>

namespace {

// The period table walks the semitones above the reference pitch in eighths, interpolated linearly.
constexpr float REFERENCE_PITCH = 3520.0f;
constexpr float SEMITONE_EXPONENT = 0.083333336f;  // the float nearest a twelfth of an octave
constexpr int STEPS_PER_SEMITONE = 8;
constexpr float STEP_FRACTION = 1.0f / STEPS_PER_SEMITONE;
constexpr int PERIOD_SEMITONES = ModuleSequencer::PERIOD_COUNT / STEPS_PER_SEMITONE;
static_assert(PERIOD_SEMITONES * STEPS_PER_SEMITONE == ModuleSequencer::PERIOD_COUNT);

constexpr float LOWEST_SLIDE_PERIOD = 54.0f;
constexpr std::int32_t LAST_JUMP_ROW = 63;
constexpr std::int32_t WAVE_STEPS = 32;
constexpr std::int32_t VIBRATO_SHIFT = 7;
constexpr std::int32_t TREMOLO_SHIFT = 6;
constexpr std::int32_t SPEED_COMMAND_LIMIT = 32;  // F from here on sets a tempo, which is ignored

// Half a sine wave of amplitude 255, walked by vibrato and tremolo.
constexpr std::uint8_t SINE[WAVE_STEPS] = {0,   24,  49,  74,  97,  120, 141, 161, 180, 197, 212,
                                           224, 235, 244, 250, 253, 255, 253, 250, 244, 235, 224,
                                           212, 197, 180, 161, 141, 120, 97,  74,  49,  24};

// A note's effect digit, in the format's own order; 8 is not played.
enum Effect : std::int32_t {
    ARPEGGIO,
    SLIDE_UP,
    SLIDE_DOWN,
    TONE_PORTAMENTO,
    VIBRATO,
    PORTAMENTO_VOLUME_SLIDE,
    VIBRATO_VOLUME_SLIDE,
    TREMOLO,
    SAMPLE_OFFSET = 9,
    VOLUME_SLIDE,
    POSITION_JUMP,
    SET_VOLUME,
    PATTERN_BREAK,
    EXTENDED,
    SET_SPEED,
};

// The EXTENDED effect's commands that are played, by the high digit of its parameter (E1x, E2x ...).
enum ExtendedEffect : std::int32_t {
    FINE_SLIDE_UP = 0x1, FINE_SLIDE_DOWN = 0x2,
    SET_FINETUNE = 0x5,
    FINE_VOLUME_UP = 0xA, FINE_VOLUME_DOWN = 0xB, NOTE_CUT = 0xC,
};

float semitonePeriod(int semitone) {
    const float exponent = static_cast<float>(semitone + 2) * SEMITONE_EXPONENT;
    const float octaves = static_cast<float>(std::pow(2.0, static_cast<double>(exponent)));
    return ModSong::AMIGA_CLOCK / (REFERENCE_PITCH * octaves);
}

// A period of zero or less (slid or vibrated past the top) has no pitch: the channel falls silent.
float frequencyOf(float period) { return period > 0.0f ? ModSong::AMIGA_CLOCK / period : 0.0f; }

std::int32_t limitVolume(std::int32_t volume) { return std::clamp(volume, 0, ModSong::MAX_CHANNEL_VOLUME); }

void advanceWave(ModChannel& ch, std::int32_t speed) {
    ch.wavePosition += speed;
    if (ch.wavePosition > WAVE_STEPS - 1) {
        ch.wavePosition -= WAVE_STEPS;
        ch.waveNegative = !ch.waveNegative;
    }
}

}  // namespace

ModuleSequencer::ModuleSequencer(ModSong& playedSong) : song(playedSong) {
    for (int k = 0; k < PERIOD_SEMITONES; ++k) {
        const float low = semitonePeriod(k);
        const float high = semitonePeriod(k + 1);
        for (int j = 0; j < STEPS_PER_SEMITONE; ++j)
            periodTable[static_cast<std::size_t>(STEPS_PER_SEMITONE * k + j)] =
                low + static_cast<float>(j) * (high - low) * STEP_FRACTION;
    }
}

void ModuleSequencer::Start() {
    for (std::int32_t m = 0; m < song.channelCount; ++m) channels[static_cast<std::size_t>(m)] = ModChannel{};
    speed = START_SPEED;
    orderIndex = 0;
    rowIndex = 0;
    currentRow = song.RowOf(0, 0);
    tick = 0;
    ended = false;
}

void ModuleSequencer::Forget() { currentRow = nullptr; }

bool ModuleSequencer::PlayTick(bool loop) {
    if (tick == 0) {
        if (StartRow(loop)) ended = true;
        if (!ProcessRow()) {
            if (!loop) {
                ended = true;
                return false;
            }
            tick = -1;
        }
    }
    ProcessTick();
    tick += 1;
    if (tick >= speed && !ended) tick = 0;
    return true;
}

bool ModuleSequencer::StartRow(bool loop) {
    currentRow = song.RowOf(orderIndex, rowIndex);
    rowIndex += 1;
    if (rowIndex < ModSong::ROWS_PER_PATTERN) return false;
    rowIndex = 0;
    orderIndex += 1;
    if (orderIndex < song.songLength) return false;
    if (!loop) return true;
    orderIndex = 0;
    return false;
}

float ModuleSequencer::PeriodAt(int index) const {
    return periodTable[static_cast<std::size_t>(std::clamp(index, 0, PERIOD_COUNT - 1))];
}

float ModuleSequencer::PeriodForNote(const ModChannel& ch, std::int32_t note) const {
    return PeriodAt(song.Sample(ch.sampleNumber).finetune + note);
}

bool ModuleSequencer::ProcessRow() {
    if (currentRow == nullptr) return true;
    std::int32_t newOrder = -1;
    std::int32_t newRow = -1;
    for (std::int32_t m = 0; m < song.channelCount; ++m) {
        const PatternCell& cell = currentRow[m];
        ModChannel& ch = channels[static_cast<std::size_t>(m)];
        const bool portamento = cell.effect == TONE_PORTAMENTO || cell.effect == PORTAMENTO_VOLUME_SLIDE;
        if (cell.sampleNumber > 0) {
            ch.sampleNumber = cell.sampleNumber;
            if (!portamento) ch.position = 0;
            ch.volume = ch.mixVolume = song.Sample(ch.sampleNumber).volume;
        }
        if (cell.note >= 0) {
            ch.note = cell.note;
            if (!portamento) ch.period = PeriodForNote(ch, cell.note);
            ch.vibratoSpeed = ch.vibratoDepth = ch.tremoloSpeed = ch.tremoloDepth = 0;
            ch.wavePosition = 0;
            ch.waveNegative = false;
            if (cell.sampleNumber == 0 && cell.effect == ARPEGGIO) ch.position = 0;
        }
        bool jumpPastEnd = false;
        ApplyRowEffect(cell, ch, newOrder, newRow, jumpPastEnd);
        if (jumpPastEnd) return false;
        if (ch.period > 0.0f) ch.frequency = ModSong::AMIGA_CLOCK / ch.period;
    }
    if (newOrder >= 0) orderIndex = newOrder;
    if (newRow >= 0) rowIndex = newRow;
    return true;
}

void ModuleSequencer::ApplyRowEffect(const PatternCell& cell, ModChannel& ch, std::int32_t& newOrder,
                                     std::int32_t& newRow, bool& jumpPastEnd) {
    const std::int32_t hi = cell.param >> 4;
    const std::int32_t lo = cell.param & 0x0F;
    switch (cell.effect) {
    case TONE_PORTAMENTO:
    case PORTAMENTO_VOLUME_SLIDE:
        ch.portaTarget = PeriodForNote(ch, ch.note);
        if (cell.effect == TONE_PORTAMENTO && cell.param > 0) ch.portaSpeed = cell.param;
        break;
    case VIBRATO:
        if (hi > 0) ch.vibratoSpeed = hi;
        if (lo > 0) ch.vibratoDepth = lo;
        break;
    case TREMOLO:
        if (hi > 0) ch.tremoloSpeed = hi;
        if (lo > 0) ch.tremoloDepth = lo;
        break;
    case SAMPLE_OFFSET:
        ch.position = cell.param * 256 * 1024;
        break;
    case POSITION_JUMP:
        // The row is kept: a jump from the last row of a pattern lands on row 0 of the new position.
        newOrder = cell.param;
        if (cell.param >= song.songLength) {
            orderIndex = 0;
            jumpPastEnd = true;
        }
        break;
    case SET_VOLUME:
        ch.volume = ch.mixVolume = limitVolume(cell.param);
        break;
    case PATTERN_BREAK: {
        const std::int32_t row = hi * 10 + lo;
        newRow = row > LAST_JUMP_ROW ? 0 : row;
        newOrder = orderIndex + 1;
        if (newOrder >= song.songLength) {
            orderIndex = 0;
            rowIndex = newRow;
            jumpPastEnd = true;
        }
        break;
    }
    case EXTENDED:
        ApplyExtendedRowEffect(cell, ch, hi, lo);
        break;
    case SET_SPEED:
        if (cell.param < SPEED_COMMAND_LIMIT) speed = cell.param;
        break;
    default:
        break;
    }
}

void ModuleSequencer::ApplyExtendedRowEffect(const PatternCell& cell, ModChannel& ch, std::int32_t hi,
                                             std::int32_t lo) {
    switch (hi) {
    case FINE_SLIDE_UP:
        ch.period -= static_cast<float>(lo);
        break;
    case FINE_SLIDE_DOWN:
        ch.period += static_cast<float>(lo);
        break;
    case SET_FINETUNE:
        // A lasting change to the sample itself; numbers beyond the sample entries name no sample.
        if (cell.sampleNumber < ModSong::SAMPLE_ENTRIES)
            song.samples[static_cast<std::size_t>(cell.sampleNumber)].finetune = lo > 7 ? lo - 16 : lo;
        break;
    case FINE_VOLUME_UP:
        ch.volume = ch.mixVolume = limitVolume(ch.volume + lo);
        break;
    case FINE_VOLUME_DOWN:
        ch.volume = ch.mixVolume = limitVolume(ch.volume - lo);
        break;
    default:
        break;
    }
}

void ModuleSequencer::ProcessTick() {
    if (currentRow == nullptr) return;
    for (std::int32_t m = 0; m < song.channelCount; ++m)
        ApplyTickEffect(currentRow[m], channels[static_cast<std::size_t>(m)]);
}

void ModuleSequencer::ApplyTickEffect(const PatternCell& cell, ModChannel& ch) {
    const std::int32_t hi = cell.param >> 4;
    const std::int32_t lo = cell.param & 0x0F;
    switch (cell.effect) {
    case ARPEGGIO:
        if (cell.param > 0) Arpeggio(ch, hi, lo);
        break;
    case SLIDE_UP:
        ch.period = std::max(ch.period - static_cast<float>(cell.param), LOWEST_SLIDE_PERIOD);
        ch.frequency = frequencyOf(ch.period);
        break;
    case SLIDE_DOWN:
        ch.period += static_cast<float>(cell.param);
        ch.frequency = frequencyOf(ch.period);
        break;
    case TONE_PORTAMENTO:
        TonePortamento(ch);
        break;
    case VIBRATO:
        Vibrato(ch);
        break;
    case PORTAMENTO_VOLUME_SLIDE:
        TonePortamento(ch);
        VolumeSlide(ch, hi - lo);
        break;
    case VIBRATO_VOLUME_SLIDE:
        Vibrato(ch);
        VolumeSlide(ch, hi - lo);
        break;
    case TREMOLO:
        Tremolo(ch);
        break;
    case VOLUME_SLIDE:
        VolumeSlide(ch, hi - lo);
        break;
    case EXTENDED:
        if (hi == NOTE_CUT && tick == lo) ch.volume = ch.mixVolume = 0;
        break;
    default:
        break;
    }
}

void ModuleSequencer::Arpeggio(ModChannel& ch, std::int32_t hi, std::int32_t lo) const {
    // The single tick that ends a row holding a jump is numbered -1 and plays no arpeggio step.
    switch (tick % 3) {
    case 0:
        ch.frequency = frequencyOf(ch.period);
        break;
    case 1:
        ch.frequency = frequencyOf(PeriodForNote(ch, ch.note + hi * 8));
        break;
    case 2:
        ch.frequency = frequencyOf(PeriodForNote(ch, ch.note + lo * 8));
        break;
    default:
        break;
    }
}

void ModuleSequencer::VolumeSlide(ModChannel& ch, std::int32_t delta) const {
    ch.volume = ch.mixVolume = limitVolume(ch.volume + delta);
}

void ModuleSequencer::TonePortamento(ModChannel& ch) const {
    const auto speedStep = static_cast<float>(ch.portaSpeed);
    if (ch.period < ch.portaTarget)
        ch.period = std::min(ch.period + speedStep, ch.portaTarget);
    else if (ch.period > ch.portaTarget)
        ch.period = std::max(ch.period - speedStep, ch.portaTarget);
    ch.frequency = frequencyOf(ch.period);
}

void ModuleSequencer::Vibrato(ModChannel& ch) const {
    const std::int32_t delta = (SINE[ch.wavePosition & (WAVE_STEPS - 1)] * ch.vibratoDepth) >> VIBRATO_SHIFT;
    const float offset = static_cast<float>(ch.waveNegative ? -delta : delta);
    ch.frequency = frequencyOf(ch.period + offset);
    advanceWave(ch, ch.vibratoSpeed);
}

void ModuleSequencer::Tremolo(ModChannel& ch) const {
    const std::int32_t delta = (SINE[ch.wavePosition & (WAVE_STEPS - 1)] * ch.tremoloDepth) >> TREMOLO_SHIFT;
    ch.mixVolume = ch.waveNegative ? std::max(ch.volume - delta, 0)
                                   : std::min(ch.volume + delta, ModSong::MAX_CHANNEL_VOLUME);
    advanceWave(ch, ch.tremoloSpeed);
}
