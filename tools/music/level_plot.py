#!/usr/bin/env python3
"""Draws the level of a rendered 16-bit WAV as a PNG: peak (light) and RMS (dark) per 100 ms window,
left channel above, right below, a grid line every 10 seconds; prints peak, clipped frames and the
loudness of each 10 seconds, so a mix can be checked by numbers.

Usage: level_plot.py input.wav output.png
"""
import math
import os
import struct
import sys
import wave

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'art'))
from canvas import Canvas, rgb  # noqa: E402

HEIGHT = 160  # pixels per channel
FULL_SCALE = 32768.0


def read_channels(path):
    with wave.open(path, 'rb') as w:
        if w.getsampwidth() != 2:
            raise SystemExit('only 16-bit WAV files are read')
        n, channels, rate = w.getnframes(), w.getnchannels(), w.getframerate()
        values = struct.unpack(f'<{n * channels}h', w.readframes(n))
    return [values[c::channels] for c in range(channels)], rate


def windows(values, size):
    for start in range(0, len(values) - size + 1, size):
        part = values[start:start + size]
        yield max(abs(v) for v in part), math.sqrt(sum(v * v for v in part) / size)


def db(value):
    return 20.0 * math.log10(max(value, 1.0) / FULL_SCALE)


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    channels, rate = read_channels(sys.argv[1])
    size = rate // 10
    levels = [list(windows(c, size)) for c in channels]
    width = max(len(levels[0]), 1)
    canvas = Canvas(width, HEIGHT * len(channels), rgb('#101018'))
    for c, level in enumerate(levels):
        base = HEIGHT * (c + 1) - 1
        for x, (peak, rms) in enumerate(level):
            canvas.line(x, base, x, base - int(peak / FULL_SCALE * (HEIGHT - 1)), rgb('#8fb8ff'))
            canvas.line(x, base, x, base - int(rms / FULL_SCALE * (HEIGHT - 1)), rgb('#2050c0'))
    for x in range(0, width, 100):
        for y in range(0, HEIGHT * len(channels), 4):
            canvas.set(x, y, rgb('#606060'))
    canvas.save_png(sys.argv[2])
    for c, values in enumerate(channels):
        clipped = sum(1 for v in values if v in (32767, -32768))
        peak = max(abs(v) for v in values)
        print(f'channel {c}: peak {db(peak):.1f} dBFS, clipped frames {clipped}')
    print('RMS dBFS per 10 s:', ' '.join(
        f'{db(math.sqrt(sum(r * r for _, r in levels[0][i:i + 100]) / max(len(levels[0][i:i + 100]), 1))):.0f}'
        for i in range(0, len(levels[0]), 100)))


if __name__ == '__main__':
    main()
