#!/usr/bin/env python3
"""Composes the game's background music: an 8-channel MOD ("8CHN", 31-sample layout) whose samples are
synthesised here. Deterministic: the same script always writes the same bytes.

Usage: compose_module.py [--report] [output.mod]   (default: assets/music/120_spirehold.mod next to this repo)
"""
import math
import os
import random
import struct
import sys

# ---- Notes ----------------------------------------------------------------------------------------

NOTE_NAMES = ['C-', 'C#', 'D-', 'D#', 'E-', 'F-', 'F#', 'G-', 'G#', 'A-', 'A#', 'B-']
# Amiga periods at finetune 0, C-1 .. B-3.
PERIODS = [856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
           428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
           214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113]
C2_RATE = 8363.0  # frames per second a sample plays at on C-2 (period 428)


def note_index(name):
    """'C-2' -> 12, 'A#1' -> 10."""
    return NOTE_NAMES.index(name[:2]) + 12 * (int(name[2]) - 1)


def period_of(name):
    return PERIODS[note_index(name)]


def transpose(name, semitones):
    i = note_index(name) + semitones
    return NOTE_NAMES[i % 12] + str(i // 12 + 1)


# ---- Samples --------------------------------------------------------------------------------------

def to_bytes(values):
    return bytes((max(-127, min(127, int(round(v)))) & 0xFF) for v in values)


def additive_cycle(length, harmonics):
    """A seamless loop from (harmonic, amplitude) pairs; harmonic k repeats k times in `length`."""
    out = []
    for i in range(length):
        t = 2.0 * math.pi * i / length
        out.append(sum(a * math.sin(k * t) for k, a in harmonics))
    return out


def normalise(values, peak):
    top = max(abs(v) for v in values) or 1.0
    return [v * peak / top for v in values]


def soft_pulse_lead():
    # Two band-limited pulses about a quarter of a semitone apart beat slowly against each other: a
    # warm lead that stays alive on long notes. 64 and 63 cycles fit the 2048-byte loop exactly.
    loop = 2048
    voices = []
    for cycles in (64, 63):
        harmonics = []
        for k in range(1, 8):
            # A pulse of 30% duty: sin(pi k d) / k, softened towards the top.
            amp = math.sin(math.pi * k * 0.3) / k / (1.0 + 0.15 * k * k)
            harmonics.append((k * cycles, amp))
        voices.append(additive_cycle(loop, harmonics))
    wave = normalise([a + 0.8 * b for a, b in zip(*voices)], 110)
    return dict(name='soft pulse lead', data=to_bytes(wave + wave[:2]), volume=44, loop=(0, loop))


def decaying_tone(cycle, body_cycles, tail_cycles, partials, peak):
    """A struck tone: partials (harmonic, amplitude, decay per cycle) decaying over `body_cycles`, then a
    loop of `tail_cycles` held at the level reached, so the sustain joins the decay without a step."""
    out = []
    for c in range(body_cycles + tail_cycles):
        held = min(c, body_cycles)
        for i in range(cycle):
            t = 2.0 * math.pi * i / cycle
            v = sum(a * math.exp(-d * held) * math.sin(k * t) for k, a, d in partials)
            env = 1.0 if c > 0 or i > 4 else i / 5.0  # a five-frame attack avoids a click
            out.append(v * env)
    return normalise(out, peak), body_cycles * cycle


def electric_piano():
    data, loop_start = decaying_tone(32, 180, 8, [(1, 1.0, 0.012), (2, 0.35, 0.03), (3, 0.12, 0.06),
                                                  (4, 0.25, 0.09)], 115)
    return dict(name='electric piano', data=to_bytes(data + data[loop_start:loop_start + 2]), volume=30,
                loop=(loop_start, len(data) - loop_start))


def glass_bell():
    # An octave above the piano (16 frames a cycle) with odd overtones that die fast: a small chime.
    # Whole harmonics only, so the held loop stays seamless.
    data, loop_start = decaying_tone(16, 200, 16, [(1, 1.0, 0.010), (3, 0.30, 0.035), (5, 0.12, 0.06)],
                                     110)
    return dict(name='glass bell', data=to_bytes(data + data[loop_start:loop_start + 2]), volume=34,
                loop=(loop_start, len(data) - loop_start))


def plucked_bass():
    # 64 frames a cycle: an octave below the piano. A rounded saw whose upper harmonics die first.
    partials = [(k, 1.0 / k, 0.004 + 0.006 * k) for k in range(1, 7)]
    data, loop_start = decaying_tone(64, 70, 4, partials, 120)
    return dict(name='plucked bass', data=to_bytes(data + data[loop_start:loop_start + 2]), volume=40,
                loop=(loop_start, len(data) - loop_start))


def soft_kick():
    n = int(C2_RATE * 0.22)
    out, phase = [], 0.0
    for i in range(n):
        t = i / C2_RATE
        freq = 48.0 + 110.0 * math.exp(-t * 28.0)
        phase += 2.0 * math.pi * freq / C2_RATE
        env = math.exp(-t * 14.0) * min(1.0, i / 8.0)
        out.append(math.sin(phase) * env)
    return dict(name='soft kick', data=to_bytes(normalise(out, 120)), volume=48, loop=None)


def brush_snare(rng):
    n = int(C2_RATE * 0.20)
    out, low, phase = [], 0.0, 0.0
    for i in range(n):
        t = i / C2_RATE
        noise = rng.uniform(-1.0, 1.0)
        low += 0.45 * (noise - low)           # take the hiss off the top
        phase += 2.0 * math.pi * 190.0 / C2_RATE
        body = math.sin(phase) * math.exp(-t * 40.0)
        env = math.exp(-t * 18.0) * min(1.0, i / 6.0)
        out.append((0.8 * low + 0.6 * body) * env)
    return dict(name='brush snare', data=to_bytes(normalise(out, 110)), volume=30, loop=None)


def closed_hat(rng):
    n = int(C2_RATE * 0.06)
    out, prev = [], 0.0
    for i in range(n):
        t = i / C2_RATE
        noise = rng.uniform(-1.0, 1.0)
        high = noise - prev                   # a first difference keeps only the top
        prev = noise
        out.append(high * math.exp(-t * 70.0) * min(1.0, i / 3.0))
    return dict(name='closed hat', data=to_bytes(normalise(out, 120)), volume=32, loop=None)


def warm_strings():
    # Detuned saws (64 and 65 cycles in the loop) for the bridge's held chords.
    loop = 2048
    waves = []
    for cycles in (64, 65):
        waves.append(additive_cycle(loop, [(k * cycles, 1.0 / (k * (1.0 + 0.3 * k))) for k in range(1, 7)]))
    wave = normalise([a + b for a, b in zip(*waves)], 100)
    return dict(name='warm strings', data=to_bytes(wave + wave[:2]), volume=26, loop=(0, loop))


def make_samples():
    rng = random.Random(120)
    return [soft_pulse_lead(), electric_piano(), glass_bell(), plucked_bass(), soft_kick(), brush_snare(rng),
            closed_hat(rng), warm_strings()]


LEAD, PIANO, BELL, BASS, KICK, SNARE, HAT, STRINGS = range(1, 9)

# ---- Patterns -------------------------------------------------------------------------------------

ROWS = 64
CHANNELS = 8
BAR = 16
# Channel roles; the player puts channels 0, 3, 4, 7 left and 1, 2, 5, 6 right.
CH_LEAD, CH_COUNTER, CH_BASS, CH_PAD_A, CH_PAD_B, CH_PAD_C, CH_DRUM, CH_HAT = range(8)

(ARP, SLIDE_UP, SLIDE_DOWN, PORTA, VIBRATO, PORTA_VOL, VIB_VOL, TREMOLO, _, OFFSET, VOL_SLIDE, JUMP, VOLUME,
 BREAK, EXTENDED, SPEED) = range(16)


class Pattern:
    def __init__(self):
        self.cells = [[[0, 0, 0, 0] for _ in range(CHANNELS)] for _ in range(ROWS)]

    def note(self, row, ch, name, sample, effect=0, param=0):
        self.cells[row][ch] = [sample, period_of(name), effect, param]

    def effect(self, row, ch, effect, param):
        self.cells[row][ch][2] = effect
        self.cells[row][ch][3] = param

    def encode(self):
        out = bytearray()
        for row in self.cells:
            for sample, period, effect, param in row:
                out += bytes([(sample & 0xF0) | (period >> 8), period & 0xFF, ((sample & 0x0F) << 4) | effect, param])
        return bytes(out)


def phrase(pat, ch, row, text, sample, vibrato=0x32, volume=None):
    """Plays a phrase: tokens NOTE:rows, with suffixes
    ~ vibrato from the note's fifth row on,  / glide into the note (tone portamento),
    > fade the note's last rows,  r:rows a rest (a quick fade, then silence)."""
    for token in text.split():
        name, rows = token.split(':')
        mods = ''
        while rows and not rows[-1].isdigit():
            mods = rows[-1] + mods
            rows = rows[:-1]
        rows = int(rows)
        if name == 'r':
            pat.effect(row, ch, VOL_SLIDE, 0x0C)
        elif '/' in mods:
            pat.note(row, ch, name, sample, PORTA, 0x0C)
            for r in range(row + 1, min(row + 3, row + rows)):
                pat.effect(r, ch, PORTA, 0)
        elif volume is not None:
            pat.note(row, ch, name, sample, VOLUME, volume)
        else:
            pat.note(row, ch, name, sample)
        if '~' in mods:
            for r in range(row + 4, row + rows - (2 if '>' in mods else 0)):
                pat.effect(r, ch, VIBRATO, vibrato if r == row + 4 else 0)
        if '>' in mods:
            for r in range(row + rows - 2, row + rows):
                pat.effect(r, ch, VIB_VOL if '~' in mods else VOL_SLIDE, 0x04)
        row += rows
    return row


# Chords as three pad voices and a bass root, in bars.
CHORDS = {
    'Am': (('A-1', 'C-2', 'E-2'), 'A-1'), 'F': (('A-1', 'C-2', 'F-2'), 'F-1'),
    'C': (('G-1', 'C-2', 'E-2'), 'C-2'), 'G': (('G-1', 'B-1', 'D-2'), 'G-1'),
    'Dm': (('A-1', 'D-2', 'F-2'), 'D-1'), 'E': (('G#1', 'B-1', 'E-2'), 'E-1'),
    'Em': (('G-1', 'B-1', 'E-2'), 'E-1'), 'Fmaj7': (('A-1', 'E-2', 'C-2'), 'F-1'),
    'Em7': (('G-1', 'D-2', 'B-1'), 'E-1'), 'Dm7': (('A-1', 'C-2', 'F-2'), 'D-1'),
    'Cmaj7': (('G-1', 'B-1', 'E-2'), 'C-2'), 'Bb': (('A#1', 'D-2', 'F-2'), 'A#1'),
    'Gsus': (('G-1', 'C-2', 'D-2'), 'G-1'),
}


def pads(pat, chords, strikes, sample=PIANO, tremolo=False):
    """Chord voices on the three pad channels, struck at `strikes` (row, volume) in each bar."""
    for bar, chord in enumerate(chords):
        voices, _ = CHORDS[chord]
        for row, vol in strikes:
            for ch, name in zip((CH_PAD_A, CH_PAD_B, CH_PAD_C), voices):
                pat.note(bar * BAR + row, ch, name, sample, VOLUME, vol)
        if tremolo:
            for r in range(bar * BAR + 2, bar * BAR + BAR):
                for ch in (CH_PAD_A, CH_PAD_C):
                    pat.effect(r, ch, TREMOLO, 0x34 if r == bar * BAR + 2 else 0)


BASS_FIGURES = {
    # (row, semitones above the root) in a bar; notes that would climb past B-2 drop an octave.
    'walk': [(0, 0), (6, 0), (8, 7), (12, 12), (14, 10)],
    'pulse': [(0, 0), (4, 0), (8, 7), (10, 0), (12, 12)],
    'long': [(0, 0), (10, 7)],
    'root': [(0, 0)],
}


def bass(pat, chords, figure, volume=None):
    for bar, chord in enumerate(chords):
        root = CHORDS[chord][1]
        for row, step in BASS_FIGURES[figure]:
            name = transpose(root, step)
            if note_index(name) > note_index('B-2'):
                name = transpose(name, -12)
            if volume is None:
                pat.note(bar * BAR + row, CH_BASS, name, BASS)
            else:
                pat.note(bar * BAR + row, CH_BASS, name, BASS, VOLUME, volume)


DRUM_GROOVES = {
    # kick rows, snare rows, hat rows with their volumes
    'full': ([0, 10], [4, 12], [(r, 40 if r % 4 == 0 else 24) for r in range(0, 16, 2)]),
    'light': ([0], [12], [(r, 34 if r % 8 == 0 else 20) for r in range(0, 16, 4)]),
    'hats': ([], [], [(r, 30 if r % 4 == 0 else 18) for r in range(0, 16, 2)]),
    'pulse': ([0, 8], [], [(r, 28) for r in range(4, 16, 8)]),
}


def drums(pat, bars, groove, fill=False):
    kicks, snares, hats = DRUM_GROOVES[groove]
    for bar in bars:
        base = bar * BAR
        for r in kicks:
            pat.note(base + r, CH_DRUM, 'C-2', KICK)
        for r in snares:
            pat.note(base + r, CH_DRUM, 'C-2', SNARE)
        for r, vol in hats:
            pat.note(base + r, CH_HAT, 'C-2', HAT, VOLUME, vol)
    if fill:
        # A brush roll into the next section, growing louder.
        for i, r in enumerate(range(52, 64, 2)):
            pat.note(r, CH_DRUM, 'C-2', SNARE, VOLUME, 14 + 4 * i)


# ---- The song -------------------------------------------------------------------------------------

A_CHORDS_1 = ['Am', 'F', 'C', 'G']
A_CHORDS_2 = ['F', 'G', 'Em', 'Am']
B_CHORDS_1 = ['Dm', 'G', 'C', 'Am']
B_CHORDS_2 = ['Dm', 'E', 'F', 'G']
BRIDGE_1 = ['Fmaj7', 'Em7', 'Dm7', 'Cmaj7']
BRIDGE_2 = ['Bb', 'F', 'Gsus', 'G']
C_CHORDS_1 = ['C', 'G', 'Am', 'F']
C_CHORDS_2 = ['C', 'G', 'F', 'G']

MELODY_A1 = 'E-3:4 D-3:2 C-3:2 D-3:4 E-3:4  C-3:8~ A-2:4 C-3:4  E-3:4 G-3:4 E-3:2 D-3:2 C-3:4  D-3:12~> r:4'
MELODY_A2 = 'E-3:4 D-3:2 C-3:2 D-3:4 E-3:4  D-3:4 B-2:4 G-2:4 B-2:4  B-2:8~ G-2:4 B-2:4  A-2:12~> r:4'
MELODY_B1 = 'F-3:6 E-3:2 D-3:4 A-2:4  B-2:6 C-3:2 D-3:8~  E-3:6 D-3:2 C-3:4 G-2:4  A-2:8~ C-3:4 E-3:4'
MELODY_B2 = 'F-3:6 E-3:2 D-3:4 F-3:4  E-3:6 D-3:2 B-2:4 G#2:4  A-2:4 C-3:4 F-3:4 E-3:4  D-3:12~> r:4'
MELODY_C1 = 'G-3:6 E-3:2 G-3:4 A-3:4  G-3:8~ F-3:4 D-3:4  E-3:6 C-3:2 E-3:4 A-3:4  G-3:8~ F-3:4 E-3:4'
MELODY_C2 = 'G-3:6 E-3:2 G-3:4 A-3:4  B-3:8/~ A-3:4 G-3:4  A-3:6 G-3:2 F-3:4 E-3:4  D-3:12~> r:4'
MELODY_BRIDGE_2 = 'D-3:8~ F-3:8/~  A-3:12~> r:4  G-3:8/~ F-3:8  D-3:16~>'
MELODY_OUTRO = 'E-3:4 D-3:2 C-3:2 D-3:4 E-3:4  C-3:12~> r:4  r:16  r:16'
COUNTER_OUTRO = 'r:32  B-1:4 D-2:4 G-2:8  E-2:12> r:4'

COUNTER_A1 = 'r:8 A-1:2 C-2:2 E-2:4  r:8 F-2:4 E-2:4  r:8 G-2:2 E-2:2 C-2:4  r:8 B-1:4 D-2:4>'
COUNTER_A2 = 'r:8 A-1:2 C-2:2 E-2:4  r:8 G-2:4 D-2:4  r:8 E-2:4 B-1:4  r:4 A-1:4 C-2:4 E-2:4>'

BRIDGE_ARPEGGIOS = {
    'Fmaj7': ['F-1', 'A-1', 'C-2', 'E-2'], 'Em7': ['E-1', 'G-1', 'B-1', 'D-2'],
    'Dm7': ['D-1', 'F-1', 'A-1', 'C-2'], 'Cmaj7': ['C-1', 'E-1', 'G-1', 'B-1'],
    'Bb': ['A#1', 'D-2', 'F-2', 'A#2'], 'F': ['F-1', 'A-1', 'C-2', 'F-2'],
    'Gsus': ['G-1', 'C-2', 'D-2', 'G-2'], 'G': ['G-1', 'B-1', 'D-2', 'G-2'],
}


def silence(pat, row, channels):
    # A fast fade rather than a cut: looped samples would otherwise hold on under the next chords.
    for ch in channels:
        pat.effect(row, ch, VOL_SLIDE, 0x0F)


def bell_arpeggios(pat, chords, volume):
    for bar, chord in enumerate(chords):
        tones = BRIDGE_ARPEGGIOS[chord]
        order = tones + tones[::-1]
        for i, name in enumerate(order):
            pat.note(bar * BAR + 2 * i, CH_COUNTER, name, BELL, VOLUME, volume if i % 4 else volume + 8)


def intro():
    p = Pattern()
    p.effect(0, CH_DRUM, SPEED, 7)
    pads(p, A_CHORDS_1, [(0, 30), (8, 18)])
    bass(p, A_CHORDS_1, 'long', 36)
    drums(p, [2, 3], 'hats')
    # The bell announces the main motif an octave up, softly.
    phrase(p, CH_COUNTER, 0, 'E-2:4 D-2:2 C-2:2 D-2:4 E-2:4  C-2:16  E-2:4 G-2:4 E-2:2 D-2:2 C-2:4  D-2:12> r:4',
           BELL, volume=26)
    return p


def section(chords, melody, pad_strikes, bass_figure, groove, fill=False, counter=None, lead_volume=None):
    p = Pattern()
    pads(p, chords, pad_strikes)
    bass(p, chords, bass_figure)
    drums(p, range(4), groove, fill)
    phrase(p, CH_LEAD, 0, melody, LEAD, volume=lead_volume)
    if counter:
        phrase(p, CH_COUNTER, 0, counter, BELL, volume=28)
    else:
        silence(p, 0, [CH_COUNTER])
    return p


def bass_rise(p):
    # The last bass note slides up about a tone, into the A minor that follows.
    for r in (62, 63):
        p.effect(r, CH_BASS, SLIDE_UP, 0x02)
    return p


def bridge_one():
    p = Pattern()
    pads(p, BRIDGE_1, [(0, 26)], sample=STRINGS, tremolo=True)
    bass(p, BRIDGE_1, 'root', 40)
    bell_arpeggios(p, BRIDGE_1, 22)
    drums(p, range(4), 'light')
    # Ghost strokes: the brush started past its attack.
    for bar in range(4):
        for r in (6, 14):
            p.note(bar * BAR + r, CH_DRUM, 'C-2', SNARE, OFFSET, 0x01)
    # The strings swell in under the bells.
    p.effect(1, CH_PAD_B, VOL_SLIDE, 0x10)
    return p


def bridge_two():
    p = Pattern()
    pads(p, BRIDGE_2, [(0, 24)], sample=STRINGS)
    silence(p, 0, [CH_COUNTER])
    bass(p, BRIDGE_2, 'long', 44)
    phrase(p, CH_LEAD, 0, MELODY_BRIDGE_2, LEAD)
    drums(p, range(4), 'pulse', fill=True)
    return p


def breakdown():
    # Three bars, then a pattern break: one held piano voice plays the chords as arpeggios.
    p = Pattern()
    silence(p, 0, [CH_PAD_A, CH_PAD_B, CH_COUNTER])
    for bar, (root, arp) in enumerate([('A-1', 0x37), ('F-1', 0x47), ('G-1', 0x47)]):
        p.note(bar * BAR, CH_PAD_C, root, PIANO, VOLUME, 34)
        for r in range(bar * BAR + 1, bar * BAR + BAR):
            p.effect(r, CH_PAD_C, ARP, arp)
    bass(p, ['Am', 'F', 'G'], 'root', 44)
    # The last bass note bends down into the next section.
    for r in range(44, 48):
        p.effect(r, CH_BASS, SLIDE_DOWN, 0x02)
    phrase(p, CH_LEAD, 0, 'A-2:12~> r:4  C-3:12~> r:4  B-2:16~>', LEAD)
    drums(p, range(3), 'hats')
    p.effect(47, CH_HAT, BREAK, 0x00)
    return p


def final_a():
    p = section(A_CHORDS_2, MELODY_A2, [(0, 30), (6, 16), (10, 20)], 'walk', 'full', counter=COUNTER_A2)
    # A fine lift on the last chord.
    p.effect(48, CH_PAD_A, EXTENDED, 0xA4)
    return p


def outro():
    p = Pattern()
    pads(p, ['Am', 'F', 'G', 'Am'], [(0, 26), (8, 16)])
    bass(p, ['Am', 'F', 'G', 'Am'], 'long', 36)
    phrase(p, CH_LEAD, 0, MELODY_OUTRO, LEAD)
    phrase(p, CH_COUNTER, 0, COUNTER_OUTRO, BELL, volume=26)
    drums(p, [0, 1], 'light')
    drums(p, [2], 'hats')
    # The last chord thins out just before the song begins again on the same chord.
    for ch in (CH_PAD_A, CH_PAD_B, CH_PAD_C, CH_BASS):
        for r in range(59, 63):
            p.effect(r, ch, VOL_SLIDE, 0x01)
    p.effect(63, CH_DRUM, JUMP, 0)
    return p


def compose():
    patterns = [
        intro(),                                                                             # 0
        section(A_CHORDS_1, MELODY_A1, [(0, 30), (6, 16), (10, 20)], 'walk', 'light'),     # 1
        section(A_CHORDS_2, MELODY_A2, [(0, 30), (6, 16), (10, 20)], 'walk', 'full'),      # 2
        section(B_CHORDS_1, MELODY_B1, [(0, 30), (8, 20)], 'pulse', 'full'),               # 3
        bass_rise(section(B_CHORDS_2, MELODY_B2, [(0, 30), (8, 20)], 'pulse', 'full', fill=True)),  # 4
        section(A_CHORDS_1, MELODY_A1, [(0, 30), (6, 16), (10, 20)], 'walk', 'full',
                counter=COUNTER_A1),                                                         # 5
        section(A_CHORDS_2, MELODY_A2, [(0, 30), (6, 16), (10, 20)], 'walk', 'full',
                counter=COUNTER_A2),                                                         # 6
        bridge_one(),                                                                        # 7
        bridge_two(),                                                                        # 8
        section(C_CHORDS_1, MELODY_C1, [(0, 28), (4, 14), (8, 22), (12, 14)], 'pulse', 'full',
                lead_volume=44),                                                             # 9
        section(C_CHORDS_2, MELODY_C2, [(0, 28), (4, 14), (8, 22), (12, 14)], 'pulse', 'full',
                fill=True, lead_volume=44),                                                  # 10
        breakdown(),                                                                         # 11
        final_a(),                                                                           # 12
        outro(),                                                                             # 13
    ]
    orders = [0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 9, 10, 3, 4, 5, 12, 13]
    return patterns, orders


# ---- The file -------------------------------------------------------------------------------------

def text(value, size):
    return value.encode('latin-1')[:size].ljust(size, b'\0')


def sample_header(sample):
    if sample is None:
        return b'\0' * 30
    data = sample['data']
    loop_start, loop_length = sample['loop'] if sample['loop'] else (0, 2)
    if len(data) % 2:
        data += b'\0'
        sample['data'] = data
    return (text(sample['name'], 22) + struct.pack('>HBBHH', len(data) // 2, 0, sample['volume'],
                                                     loop_start // 2, loop_length // 2))


def build_module():
    samples = make_samples()
    patterns, orders = compose()
    out = bytearray(text('spirehold', 20))
    for i in range(31):
        out += sample_header(samples[i] if i < len(samples) else None)
    out += bytes([len(orders), 127])
    out += bytes(orders + [0] * (128 - len(orders)))
    out += b'8CHN'
    for p in patterns:
        out += p.encode()
    for s in samples:
        out += s['data']
    return bytes(out)


def report(image):
    # Per channel: notes played and their range, to keep every part in its register.
    patterns, orders = compose()
    for ch in range(CHANNELS):
        periods = [p.cells[r][ch][1] for i in set(orders) for p in [patterns[i]] for r in range(ROWS)]
        notes = [PERIODS.index(x) for x in periods if x]
        if notes:
            low, high = min(notes), max(notes)
            print(f'channel {ch}: {len(notes)} notes, {NOTE_NAMES[low % 12]}{low // 12 + 1}..'
                  f'{NOTE_NAMES[high % 12]}{high // 12 + 1}')
    print(f'{len(orders)} orders, {len(patterns)} patterns, {len(image)} bytes')


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, '..', '..', 'assets', 'music', '120_spirehold.mod')
    args = [a for a in sys.argv[1:] if a != '--report']
    path = args[0] if args else default
    image = build_module()
    if '--report' in sys.argv:
        report(image)
    with open(path, 'wb') as f:
        f.write(image)
    print(f'{path}: {len(image)} bytes')


if __name__ == '__main__':
    main()
