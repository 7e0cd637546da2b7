#!/usr/bin/python3
"""Synthesises the game's sound cues into data/sounds/.

Needs only Debian 12's python3 (standard library: wave, math, random, struct).  Run from anywhere:

    tools/make_sounds.py

Every cue is 16-bit PCM mono at 22050 Hz, normalised to a peak of -3 dBFS, with short fades at
both ends so nothing clicks.  The game freezes while a cue plays, so the short ones stay short:
pop2 under 100 ms, shoot under 250 ms, the rest between about 0.8 and 1.6 s.  Noise comes from
seeded generators, so re-running the script reproduces the committed files byte for byte.
"""

import math
import os
import random
import struct
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "data", "sounds")

RATE = 22050
PEAK = 10 ** (-3 / 20)   # -3 dBFS
TAU = 2 * math.pi


# --- building blocks ---------------------------------------------------------------------------

def n_samples(seconds):
    return int(round(seconds * RATE))


def osc(freqs, harmonics, phase=0.0):
    """An additive oscillator following a per-sample frequency list.

    harmonics is [(multiple, amplitude), ...]; partials above 9 kHz are left out so nothing
    aliases or turns shrill.
    """
    out = []
    ph = phase
    for f in freqs:
        v = 0.0
        for m, a in harmonics:
            if f * m < 9000:
                v += a * math.sin(ph * m)
        out.append(v)
        ph += TAU * f / RATE
    return out


def saw_partials(n, bright=1.0):
    return [(k, bright ** (k - 1) / k) for k in range(1, n + 1)]


def square_partials(n, bright=1.0):
    return [(k, bright ** (k - 1) / k) for k in range(1, n + 1, 2)]


def noise(n, rnd):
    return [rnd.uniform(-1.0, 1.0) for _ in range(n)]


def lowpass(x, cutoff):
    """One-pole low-pass; cutoff may be a number or a per-sample list."""
    out = []
    y = 0.0
    for i, v in enumerate(x):
        fc = cutoff[i] if isinstance(cutoff, list) else cutoff
        a = 1 - math.exp(-TAU * fc / RATE)
        y += a * (v - y)
        out.append(y)
    return out


def highpass(x, cutoff):
    low = lowpass(x, cutoff)
    return [a - b for a, b in zip(x, low)]


def bandpass(x, centre, q):
    """A two-pole resonator (RBJ band-pass, constant peak gain)."""
    w = TAU * centre / RATE
    alpha = math.sin(w) / (2 * q)
    b0, b2 = alpha, -alpha
    a0, a1, a2 = 1 + alpha, -2 * math.cos(w), 1 - alpha
    out = []
    x1 = x2 = y1 = y2 = 0.0
    for v in x:
        y = (b0 * v + b2 * x2 - a1 * y1 - a2 * y2) / a0
        x2, x1 = x1, v
        y2, y1 = y1, y
        out.append(y)
    return out


def envelope(n, points):
    """Piecewise-linear envelope through (time in seconds, level) points."""
    out = []
    j = 0
    for i in range(n):
        t = i / RATE
        while j + 1 < len(points) - 1 and t > points[j + 1][0]:
            j += 1
        (t0, a), (t1, b) = points[j], points[j + 1]
        u = 0.0 if t1 == t0 else min(1.0, max(0.0, (t - t0) / (t1 - t0)))
        out.append(a + (b - a) * u)
    return out


def decay(n, seconds_to_tenth):
    """Exponential decay that falls to a tenth after the given time."""
    k = math.log(10) / (seconds_to_tenth * RATE)
    return [math.exp(-k * i) for i in range(n)]


def mul(*signals):
    out = list(signals[0])
    for s in signals[1:]:
        out = [a * b for a, b in zip(out, s)]
    return out


def add(*signals):
    n = max(len(s) for s in signals)
    out = [0.0] * n
    for s in signals:
        for i, v in enumerate(s):
            out[i] += v
    return out


def scale(x, k):
    return [v * k for v in x]


def soft_clip(x, drive):
    """Gentle saturation (tanh), for grit without harsh edges."""
    return [math.tanh(v * drive) for v in x]


def finish(x, fade_in=0.005, fade_out=0.03):
    """Removes DC, fades both ends with raised-cosine ramps and normalises to -3 dBFS."""
    mean = sum(x) / len(x)
    x = [v - mean for v in x]
    n_in, n_out = n_samples(fade_in), n_samples(fade_out)
    for i in range(n_in):
        x[i] *= 0.5 - 0.5 * math.cos(math.pi * i / n_in)
    for i in range(n_out):
        x[-1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / n_out)
    x[-1] = 0.0
    peak = max(abs(v) for v in x) or 1.0
    return [v * PEAK / peak for v in x]


def write(name, x):
    path = os.path.join(OUT, name)
    data = struct.pack("<%dh" % len(x), *(int(round(max(-1.0, min(1.0, v)) * 32767)) for v in x))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(data)


def note(freq, seconds, partials, attack=0.01, release=0.05, vibrato=0.0, vib_rate=5.5):
    n = n_samples(seconds)
    freqs = [freq * (1 + vibrato * math.sin(TAU * vib_rate * i / RATE) * min(1.0, i / (0.15 * RATE)))
             for i in range(n)]
    env = envelope(n, [(0, 0), (attack, 1), (max(attack, seconds - release), 0.8), (seconds, 0)])
    return mul(osc(freqs, partials), env)


def concat(*parts):
    out = []
    for p in parts:
        out.extend(p)
    return out


# --- the cues ----------------------------------------------------------------------------------

def airraid():
    """An air-raid siren winding up, holding, then winding down."""
    total = 1.5
    n = n_samples(total)
    lo, hi = 260.0, 820.0
    freqs = []
    for i in range(n):
        t = i / RATE
        if t < 0.6:
            u = 0.5 - 0.5 * math.cos(math.pi * t / 0.6)          # wind up
        elif t < 0.8:
            u = 1.0
        else:
            u = 0.5 + 0.5 * math.cos(math.pi * (t - 0.8) / 0.7)  # wind down
        freqs.append((lo + (hi - lo) * u) * (1 + 0.004 * math.sin(TAU * 7 * t)))
    # A siren's rotor chops the air: a hollow, square-ish tone, softened.
    tone = osc(freqs, square_partials(9, 0.8))
    tone = lowpass(tone, 3000)
    env = envelope(n, [(0, 0), (0.12, 1), (1.1, 1), (1.5, 0.0)])
    return finish(mul(tone, env), fade_in=0.01, fade_out=0.08)


def pop2():
    """A short round pop: a pitch-dropping blip with a soft click."""
    total = 0.075
    n = n_samples(total)
    freqs = [180 + 720 * math.exp(-i / (0.012 * RATE)) for i in range(n)]
    body = mul(osc(freqs, [(1, 1.0), (2, 0.25)]), decay(n, 0.05))
    rnd = random.Random(2)
    click = mul(lowpass(noise(n, rnd), 2500), decay(n, 0.006))
    return finish(add(body, scale(click, 0.4)), fade_in=0.002, fade_out=0.012)


def shoot():
    """A short laser blast: a falling zap over a puff of filtered noise."""
    total = 0.2
    n = n_samples(total)
    freqs = [1500 * math.exp(-4.0 * i / n) + 150 for i in range(n)]
    zap = osc(freqs, square_partials(7, 0.7))
    zap = mul(lowpass(zap, 4000), decay(n, 0.14))
    rnd = random.Random(3)
    puff = mul(lowpass(noise(n, rnd), 1800), decay(n, 0.05))
    return finish(add(zap, scale(puff, 0.6)), fade_in=0.002, fade_out=0.03)


def bady():
    """The boss's roar: a rough, throaty growl that swells and trails off."""
    total = 1.4
    n = n_samples(total)
    rnd = random.Random(4)
    # Pitch: climbs into the roar, sags at the end, with a wobbly throat.
    jitter = lowpass(noise(n, rnd), 12)
    freqs = []
    for i in range(n):
        t = i / RATE
        contour = 75 + 45 * math.sin(math.pi * min(1.0, t / 1.1)) - 20 * max(0.0, t - 1.0)
        freqs.append(contour * (1 + 0.6 * jitter[i]))
    voice = osc(freqs, saw_partials(40, 0.97))
    # Vocal-cord flutter and a growl of breath.
    flutter = [0.7 + 0.3 * math.sin(TAU * 23 * i / RATE + 2 * jitter[i]) for i in range(n)]
    voice = mul(voice, flutter)
    breath = lowpass(noise(n, rnd), 1400)
    src = add(voice, scale(breath, 0.8))
    # A big throat: two formants, an open "aah" of a huge mouth.
    shaped = add(bandpass(src, 420, 3.0), scale(bandpass(src, 950, 4.0), 0.6),
                 scale(lowpass(src, 300), 0.5))
    shaped = soft_clip(scale(shaped, 3.0), 1.2)
    env = envelope(n, [(0, 0), (0.18, 1.0), (0.9, 0.9), (1.4, 0.0)])
    return finish(mul(shaped, env), fade_in=0.01, fade_out=0.1)


def dead():
    """A big explosion: a sharp crack, a deep boom and a long rumbling roll of debris."""
    total = 1.6
    n = n_samples(total)
    rnd = random.Random(5)
    # Noise whose brightness falls as the blast rolls away.
    cutoff = [150 + 4000 * math.exp(-i / (0.08 * RATE)) for i in range(n)]
    rumble = lowpass(lowpass(noise(n, rnd), cutoff), cutoff)
    rumble = mul(rumble, envelope(n, [(0, 1), (0.3, 0.8), (1.6, 0)]), decay(n, 1.3))
    # The boom: a falling low thump.
    freqs = [35 + 55 * math.exp(-i / (0.15 * RATE)) for i in range(n)]
    boom = mul(osc(freqs, [(1, 1.0), (2, 0.3)]), decay(n, 0.6))
    # Crackles of debris: sparse, decaying ticks.
    crackle = [0.0] * n
    for _ in range(60):
        at = int(rnd.uniform(0.02, 0.9) ** 1.7 * n)
        amp = rnd.uniform(0.2, 0.6) * (1 - at / n)
        for k in range(min(120, n - at)):
            crackle[at + k] += amp * rnd.uniform(-1, 1) * math.exp(-k / 25)
    crackle = lowpass(lowpass(crackle, 2200), 2200)
    mix_ = add(scale(rumble, 3.5), scale(boom, 0.9), scale(crackle, 0.6))
    return finish(soft_clip(mix_, 1.5), fade_in=0.003, fade_out=0.15)


def hit():
    """A crash: a noisy smash with clanging, inharmonic metal ringing out."""
    total = 0.9
    n = n_samples(total)
    rnd = random.Random(6)
    smash = mul(highpass(noise(n, rnd), 600), decay(n, 0.12))
    smash = lowpass(smash, 6000)
    clang = [0.0] * n
    for f, a, d in ((317, 1.0, 0.5), (523, 0.7, 0.4), (781, 0.5, 0.35), (1187, 0.35, 0.25),
                    (1663, 0.25, 0.2), (2291, 0.15, 0.15)):
        ring = mul(osc([f] * n, [(1, 1.0)], phase=rnd.uniform(0, TAU)), decay(n, d))
        clang = add(clang, scale(ring, a))
    thud = mul(osc([70 + 60 * math.exp(-i / (0.03 * RATE)) for i in range(n)], [(1, 1.0)]), decay(n, 0.15))
    crash = add(scale(smash, 1.2), scale(clang, 0.6), scale(thud, 0.7))
    return finish(soft_clip(crash, 2.0), fade_in=0.002, fade_out=0.1)


def gameover():
    """A sad falling tune: four notes stepping down, the last one drooping and wavering."""
    partials = [(1, 1.0), (2, 0.45), (3, 0.3), (4, 0.12), (5, 0.08)]
    g4, fs4, f4, e4 = 392.0, 369.99, 349.23, 329.63
    parts = [note(g4, 0.28, partials, release=0.06), note(fs4, 0.28, partials, release=0.06),
             note(f4, 0.28, partials, release=0.06)]
    # The last note sags by a semitone and wobbles as it fades.
    n = n_samples(0.75)
    freqs = [e4 * (1 - 0.055 * (i / n) ** 1.5) * (1 + 0.012 * math.sin(TAU * 5 * i / RATE)) for i in range(n)]
    last = mul(osc(freqs, partials), envelope(n, [(0, 0), (0.01, 1), (0.3, 0.8), (0.75, 0)]))
    tune = concat(*parts, last)
    return finish(lowpass(tune, 3500), fade_in=0.005, fade_out=0.08)


def hiscore():
    """A bright fanfare: a quick rising arpeggio that lands on a held major chord."""
    brass = saw_partials(12, 0.82)
    c5, e5, g5, c6 = 523.25, 659.25, 783.99, 1046.5
    run = concat(note(c5, 0.11, brass, release=0.02), note(e5, 0.11, brass, release=0.02),
                 note(g5, 0.11, brass, release=0.02), note(c5, 0.09, brass, release=0.02),
                 note(g5, 0.11, brass, release=0.02))
    hold = 0.85
    chord = add(*(scale(note(f, hold, brass, attack=0.02, release=0.35, vibrato=0.004), a)
                  for f, a in ((c5, 0.7), (e5, 0.55), (g5, 0.55), (c6, 0.7))))
    # Brass swells a little after the attack.
    chord = mul(chord, envelope(len(chord), [(0, 0.8), (0.25, 1.0), (hold, 1.0)]))
    return finish(lowpass(concat(run, chord), 4500), fade_in=0.004, fade_out=0.1)


CUES = {
    "airraid.wav": airraid,
    "pop2.wav": pop2,
    "shoot.wav": shoot,
    "bady.wav": bady,
    "dead.wav": dead,
    "hit.wav": hit,
    "gameover.wav": gameover,
    "hiscore.wav": hiscore,
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, make in CUES.items():
        write(name, make())


if __name__ == "__main__":
    main()
