// The module's sequencer: walks a song row by row and tick by tick and does what its notes and effects
// say to the channels' registers (sample, pitch, volume, position). It makes no sound; the mixer plays
// the channels it leaves.
#pragma once

#include <array>
#include <cstdint>

#include "sound/module_song.h"

class ModuleSequencer {
public:
    static constexpr int PERIOD_COUNT = 488;

    // Plays `song`, which must outlive the sequencer; its patterns must not change between Start and
    // the last PlayTick (a load of a new song calls Forget first).
    explicit ModuleSequencer(ModSong& song);
    ModuleSequencer(const ModuleSequencer&) = delete;
    ModuleSequencer& operator=(const ModuleSequencer&) = delete;

    // To the song's first row, at the starting speed, with the song's channels silent.
    void Start();
    // Lets go of the song's current row, before its patterns are replaced.
    void Forget();

    // Plays one tick: on a row's first tick the next row is read and its notes and row effects applied,
    // then every tick's effects. False, with nothing played, when a jump past the song's end stops a
    // song that does not loop.
    bool PlayTick(bool loop);
    // True once the song is over: one that does not loop has started its last row or jumped past its
    // end, or the song set a speed of 0.
    bool Finished() const { return ended || tick >= speed; }

    ModChannels& Channels() { return channels; }
    std::int32_t OrderIndex() const { return orderIndex; }
    std::int32_t RowIndex() const { return rowIndex; }
    std::int32_t Tick() const { return tick; }
    std::int32_t Speed() const { return speed; }

private:
    // Reads the next row; true when it was the song's last and the song does not loop.
    bool StartRow(bool loop);
    // Applies the current row; false on a jump past the end of the song.
    bool ProcessRow();
    void ProcessTick();
    void ApplyRowEffect(const PatternCell& cell, ModChannel& ch, std::int32_t& newOrder, std::int32_t& newRow,
                        bool& jumpPastEnd);
    void ApplyExtendedRowEffect(const PatternCell& cell, ModChannel& ch, std::int32_t hi, std::int32_t lo);
    void ApplyTickEffect(const PatternCell& cell, ModChannel& ch);
    void Arpeggio(ModChannel& ch, std::int32_t hi, std::int32_t lo) const;
    void VolumeSlide(ModChannel& ch, std::int32_t delta) const;
    void TonePortamento(ModChannel& ch) const;
    void Vibrato(ModChannel& ch) const;
    void Tremolo(ModChannel& ch) const;
    float PeriodForNote(const ModChannel& ch, std::int32_t note) const;
    float PeriodAt(int index) const;

    // Ticks a row until the song sets its own speed.
    static constexpr std::int32_t START_SPEED = 6;

    ModSong& song;
    ModChannels channels{};
    std::int32_t speed = START_SPEED;
    std::int32_t orderIndex = 0;
    std::int32_t rowIndex = 0;
    std::int32_t tick = 0;  // of the current row; -1 for the single tick that ends a row holding a jump
    bool ended = false;
    const PatternCell* currentRow = nullptr;
    std::array<float, PERIOD_COUNT> periodTable{};
};
