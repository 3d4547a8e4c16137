#!/usr/bin/env python3
"""Synthesises the game's four sound effects as RIFF/WAVE files (standard library only).

Every sound is mono 16-bit PCM at 11025 Hz with a "fact" chunk between "fmt " and "data", which is the
form the game loads without conversion. The sounds are made from a fixed random seed, so running the
tool again reproduces the same files byte for byte.

    python3 tools/sounds/make_sounds.py [OUTPUT_FOLDER]     (default: assets/sounds)
"""
import math
import os
import random
import struct
import sys

RATE = 11025
PEAK = 0.70           # highest level of a finished sound, as a share of full scale
FULL_SCALE = 32767
EDGE_FADE_SECONDS = 0.004


# ---- Building blocks --------------------------------------------------------------------------------

def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def mix_into(target, source, start_index, gain=1.0):
    """Adds source into target from start_index on, growing target as needed."""
    end = start_index + len(source)
    if end > len(target):
        target.extend([0.0] * (end - len(target)))
    for i, value in enumerate(source):
        target[start_index + i] += value * gain


class Biquad:
    """A second-order filter (RBJ audio EQ cookbook forms), run sample by sample."""

    def __init__(self, b0, b1, b2, a0, a1, a2):
        self.b0, self.b1, self.b2 = b0 / a0, b1 / a0, b2 / a0
        self.a1, self.a2 = a1 / a0, a2 / a0
        self.x1 = self.x2 = self.y1 = self.y2 = 0.0

    @classmethod
    def band_pass(cls, centre, q):
        w = 2.0 * math.pi * centre / RATE
        alpha = math.sin(w) / (2.0 * q)
        return cls(alpha, 0.0, -alpha, 1.0 + alpha, -2.0 * math.cos(w), 1.0 - alpha)

    @classmethod
    def high_pass(cls, corner, q=0.7071):
        w = 2.0 * math.pi * corner / RATE
        alpha = math.sin(w) / (2.0 * q)
        c = math.cos(w)
        return cls((1.0 + c) / 2.0, -(1.0 + c), (1.0 + c) / 2.0, 1.0 + alpha, -2.0 * c, 1.0 - alpha)

    @classmethod
    def low_pass(cls, corner, q=0.7071):
        w = 2.0 * math.pi * corner / RATE
        alpha = math.sin(w) / (2.0 * q)
        c = math.cos(w)
        return cls((1.0 - c) / 2.0, 1.0 - c, (1.0 - c) / 2.0, 1.0 + alpha, -2.0 * c, 1.0 - alpha)

    def run(self, samples):
        out = []
        for x in samples:
            y = self.b0 * x + self.b1 * self.x1 + self.b2 * self.x2 - self.a1 * self.y1 - self.a2 * self.y2
            self.x2, self.x1 = self.x1, x
            self.y2, self.y1 = self.y1, y
            out.append(y)
        return out


def remove_dc(samples):
    mean = sum(samples) / len(samples)
    return [s - mean for s in samples]


def fade_edges(samples, seconds=EDGE_FADE_SECONDS):
    """Raised-cosine fades at both ends, so the sound starts and stops at exactly zero."""
    n = max(2, int(seconds * RATE))
    out = list(samples)
    for i in range(min(n, len(out))):
        gain = 0.5 - 0.5 * math.cos(math.pi * i / n)
        out[i] *= gain
        out[-1 - i] *= gain
    out[0] = out[-1] = 0.0
    return out


def normalise(samples, peak=PEAK):
    highest = max(abs(s) for s in samples)
    return [s * peak / highest for s in samples] if highest > 0 else samples


def finish(samples, peak=PEAK):
    """DC removed, edges faded, peak set: the last steps every sound goes through."""
    return fade_edges(normalise(remove_dc(fade_edges(samples)), peak))


# ---- The sounds ---------------------------------------------------------------------------------------

def buttons():
    """A short, crisp tap: a woody knock of two damped partials over a tiny filtered click."""
    rng = random.Random(123)
    length = int(0.060 * RATE)
    out = []
    for i in range(length):
        t = i / RATE
        attack = min(1.0, t / 0.0015)
        body = math.sin(2 * math.pi * 1320 * t) * math.exp(-t / 0.010)
        overtone = 0.45 * math.sin(2 * math.pi * 2970 * t + 0.6) * math.exp(-t / 0.005)
        low = 0.35 * math.sin(2 * math.pi * 660 * t) * math.exp(-t / 0.012)
        out.append(attack * (body + overtone + low))
    click = [rng.uniform(-1, 1) * math.exp(-(i / RATE) / 0.0012) for i in range(length)]
    click = Biquad.band_pass(3600, 1.2).run(click)
    mix_into(out, click, 0, 0.5)
    return finish(out, 0.5)


def clapper_burst(rng, centre, q, decay):
    """One clap: a noise burst ringing in the clapper's cupped-hand resonance."""
    n = int(decay * 7 * RATE) + 8
    noise = []
    for i in range(n):
        t = i / RATE
        rise = min(1.0, t / 0.0008)
        noise.append(rng.gauss(0.0, 1.0) * rise * math.exp(-t / decay))
    shaped = Biquad.band_pass(centre, q).run(noise)
    # A second, brighter resonance: the smack of palm on palm.
    bright = Biquad.band_pass(min(centre * 2.1, 4600.0), 1.5).run(noise)
    return [a + 0.4 * b for a, b in zip(shaped, bright)]


def room(samples, rng):
    """A small, soft room: a few feedback delays mixed in quietly, spreading the claps."""
    out = list(samples) + [0.0] * int(0.25 * RATE)
    wet = [0.0] * len(out)
    for delay_ms, feedback in ((29.7, 0.62), (37.1, 0.58), (41.1, 0.55), (43.7, 0.52)):
        delay = int(delay_ms * RATE / 1000)
        line = [0.0] * len(out)
        for i in range(len(out)):
            earlier = line[i - delay] if i >= delay else 0.0
            line[i] = out[i] + feedback * earlier
            wet[i] += earlier
    damp = Biquad.low_pass(2800).run(wet)
    return [d + 0.10 * w for d, w in zip(out, damp)]


def claps():
    """About two seconds of applause from a small crowd: a swell, a sustain and a fade."""
    rng = random.Random(115)
    total = 2.0
    out = silence(total)
    clappers = 22
    for _ in range(clappers):
        centre = rng.uniform(900, 2300)     # hand shape: lower is more cupped
        q = rng.uniform(1.6, 4.0)
        decay = rng.uniform(0.0035, 0.0075)
        level = rng.uniform(0.55, 1.0)
        rate = rng.uniform(3.6, 5.8)         # claps per second
        start = rng.uniform(0.0, 0.35)       # some join in late
        stop = total - rng.uniform(0.25, 0.9)  # and stop early
        t = start
        while t < stop:
            burst = clapper_burst(rng, centre * rng.uniform(0.95, 1.05), q, decay)
            mix_into(out, burst, int(t * RATE), level * rng.uniform(0.8, 1.0))
            t += (1.0 / rate) * rng.uniform(0.85, 1.15)
    out = room(out, rng)
    out = Biquad.high_pass(220).run(out)
    # The crowd swells in over a quarter second and dies away over the last 0.8 seconds.
    for i in range(len(out)):
        t = i / RATE
        swell = 0.5 - 0.5 * math.cos(math.pi * min(1.0, t / 0.25))
        fade = min(1.0, max(0.0, (total + 0.2 - t) / 1.0))
        out[i] *= swell * fade * fade
    return finish(out[: int(total * RATE)], 0.72)


def remove_blip():
    """A soft descending blip: a sine gliding down an octave under a smooth bell envelope."""
    length = int(0.110 * RATE)
    out = []
    phase = 0.0
    for i in range(length):
        t = i / RATE
        frequency = 880.0 * math.pow(0.5, t / 0.110)
        phase += 2 * math.pi * frequency / RATE
        envelope = math.sin(math.pi * min(1.0, t / 0.110)) ** 1.5
        out.append(envelope * (math.sin(phase) + 0.15 * math.sin(2 * phase)))
    return finish(out, 0.55)


def remove_pop():
    """A soft pop: a short low thump with a quick downward pitch bend and a breath of air."""
    rng = random.Random(126)
    length = int(0.075 * RATE)
    out = []
    phase = 0.0
    for i in range(length):
        t = i / RATE
        frequency = 240.0 + 420.0 * math.exp(-t / 0.010)
        phase += 2 * math.pi * frequency / RATE
        attack = min(1.0, t / 0.002)
        out.append(attack * math.sin(phase) * math.exp(-t / 0.018))
    air = [rng.uniform(-1, 1) * math.exp(-(i / RATE) / 0.004) for i in range(length)]
    mix_into(out, Biquad.band_pass(1500, 0.9).run(air), 0, 0.18)
    return finish(out, 0.6)


# ---- The file format ----------------------------------------------------------------------------------

def wave_bytes(samples):
    """Mono 16-bit PCM RIFF/WAVE with a "fact" chunk (frame count) before "data"."""
    values = [max(-FULL_SCALE, min(FULL_SCALE, int(round(s * FULL_SCALE)))) for s in samples]
    data = struct.pack("<%dh" % len(values), *values)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    fact = struct.pack("<I", len(values))
    body = b"WAVE"
    body += b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"fact" + struct.pack("<I", len(fact)) + fact
    body += b"data" + struct.pack("<I", len(data)) + data
    if len(data) % 2:
        body += b"\0"
    return b"RIFF" + struct.pack("<I", len(body)) + body


SOUNDS = (
    ("115_claps.wav", claps),
    ("123_buttons.wav", buttons),
    ("125_remove.wav", remove_blip),
    ("126_remove.wav", remove_pop),
)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "assets", "sounds")
    os.makedirs(folder, exist_ok=True)
    for name, make in SOUNDS:
        samples = make()
        path = os.path.normpath(os.path.join(folder, name))
        with open(path, "wb") as f:
            f.write(wave_bytes(samples))
        print("%s: %d frames, %.3f s" % (path, len(samples), len(samples) / RATE))


if __name__ == "__main__":
    main()
