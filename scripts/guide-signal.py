#!/usr/bin/env python3
"""Signals for the guide's waveform plots.

    guide-signal.py pluck OUT.wav
        A mono 16-bit WAV, 44.1 kHz, 3 s: silence, then one short plucked note at 0.1 s
        (after the first blocks, where a switched-on sync or ping-pong is not yet in force).
        Deterministic: the same bytes every time.

    guide-signal.py columns IN.wav OUT.dat START SECONDS BUCKETS [BPM]
        The stereo render IN (as qvhost writes it: 32-bit float or 16-bit WAV) as text for
        gnuplot: from START for SECONDS, cut into BUCKETS equal pieces, one line per piece
        with its time after START (in beats of BPM when given) and the lowest and highest
        sample of the left and of the right channel.
"""
import math
import struct
import sys
import wave

RATE = 44100
NOTE_AT = 0.1


def pluck(path):
    frames = int(RATE * 3.0)
    samples = []
    for n in range(frames):
        t = n / RATE - NOTE_AT
        v = 0.0
        if t >= 0.0:
            env = math.exp(-t * 40.0) * min(1.0, t * 2000.0)
            v = 0.8 * env * (math.sin(2 * math.pi * 330.0 * t) + 0.4 * math.sin(2 * math.pi * 660.0 * t))
        samples.append(max(-32767, min(32767, int(round(v * 32767)))))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack("<%dh" % len(samples), *samples))


def read_wav(path):
    data = open(path, "rb").read()
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise SystemExit("guide-signal: %s is not a WAV file" % path)
    at, fmt, body = 12, None, None
    while at + 8 <= len(data):
        kind = data[at:at + 4]
        size = struct.unpack("<I", data[at + 4:at + 8])[0]
        if kind == b"fmt ":
            fmt = struct.unpack("<HHIIHH", data[at + 8:at + 24])
        elif kind == b"data":
            body = data[at + 8:at + 8 + size]
        at += 8 + size + (size & 1)
    if fmt is None or body is None:
        raise SystemExit("guide-signal: %s has no fmt or data chunk" % path)
    _, channels, rate, _, _, bits = fmt
    if bits == 32:
        values = struct.unpack("<%df" % (len(body) // 4), body)
    elif bits == 16:
        values = [v / 32768.0 for v in struct.unpack("<%dh" % (len(body) // 2), body)]
    else:
        raise SystemExit("guide-signal: %d-bit samples are not read here" % bits)
    if channels != 2:
        raise SystemExit("guide-signal: %s is not stereo" % path)
    return rate, values[0::2], values[1::2]


def columns(source, target, start, seconds, buckets, bpm=None):
    rate, left, right = read_wav(source)
    first = int(round(start * rate))
    count = int(round(seconds * rate))
    with open(target, "w") as out:
        for b in range(buckets):
            lo = first + b * count // buckets
            hi = max(lo + 1, first + (b + 1) * count // buckets)
            l, r = left[lo:hi], right[lo:hi]
            if not l:
                break
            t = (lo - first) / rate
            if bpm:
                t *= bpm / 60.0
            out.write("%.6f %.5f %.5f %.5f %.5f\n" % (t, min(l), max(l), min(r), max(r)))


def main(argv):
    if len(argv) == 2 and argv[0] == "pluck":
        pluck(argv[1])
    elif len(argv) in (6, 7) and argv[0] == "columns":
        columns(argv[1], argv[2], float(argv[3]), float(argv[4]), int(argv[5]),
                float(argv[6]) if len(argv) == 7 else None)
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
