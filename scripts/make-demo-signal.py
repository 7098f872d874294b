#!/usr/bin/env python3
"""Writes demo/plucks.wav: three short plucked notes on the beats of 120 BPM,
the dry signal the main job renders through the plug-in. Deterministic: run it
again and the file is byte for byte the same."""
import math
import struct
import sys
import wave

RATE = 44100
LENGTH = 1.5                      # seconds
NOTES = [(0.0, 440.0), (0.5, 523.25), (1.0, 659.26)]   # start, Hz


def pluck(t, freq):
    env = math.exp(-t * 9.0) * min(1.0, t * 400.0)
    tone = (math.sin(2 * math.pi * freq * t)
            + 0.5 * math.sin(2 * math.pi * 2 * freq * t) * math.exp(-t * 6.0)
            + 0.25 * math.sin(2 * math.pi * 3 * freq * t) * math.exp(-t * 12.0))
    return 0.4 * env * tone


def main(path):
    frames = int(RATE * LENGTH)
    samples = []
    for n in range(frames):
        t = n / RATE
        v = sum(pluck(t - start, f) for start, f in NOTES if t >= start)
        samples.append(max(-32767, min(32767, int(round(v * 32767)))))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack("<%dh" % len(samples), *samples))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "demo/plucks.wav")
