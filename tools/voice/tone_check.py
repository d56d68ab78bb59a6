#!/usr/bin/python3
"""Checks the tone labels of the gcin-voice folders by listening to the recordings, not by their
names: the pitch contour of each recording is classed by its shape alone as level, rising, dipping
or falling, and the classes are counted against the folder's suffix (none, 2, 3, 4; 1 is the
neutral tone, too short to have a shape of its own, and is shown by its length).

    tools/voice/tone_check.py [VOICE_FILE] [VOICE_FOLDER] [--every N]

VOICE_FILE is 3.ogg (Edward Der-Hua Liu, the default) or 5.ogg (ChionMeilin); VOICE_FOLDER defaults
to /usr/share/gcin-voice/ogg; --every N takes every Nth folder (default 1: all). Needs sox and NumPy.

Method: sox decodes each file to 16 kHz mono (high-passed at 60 Hz); the fundamental frequency is
found every 10 ms in 64 ms Hann windows by subharmonic summation (eight harmonics weighted 0.84^k,
candidates 70 to 400 Hz (800 for 5.ogg) in tenths of a semitone) where the frame carries at least 5 % of the file's
peak energy; the track is put in semitones above the voice's median pitch, octave jumps (more than 8.5
semitones off) folded back, and median-smoothed over 5 frames. Its shape over the voiced stretch (ends trimmed by 10 %; start and end are the means of its first
and last fifth):
  level    the whole track within 2.5 semitones;
  falling  from a high start (1.5 semitones or more above the middle) down 3 semitones or more,
           the lowest point in the last 40 %;
  rising   the lowest point in the first 55 %, the end 1.5 semitones or more above it and not
           below the start (a short dip before the rise is common);
  dipping  the lowest point later, at least 2 semitones under the start (a low dip, with or
           without the final rise; in Taiwan often a low fall);
  anything else is "unclear".
"""
import os
import subprocess
import sys

import numpy as np

RATE = 16000
FRAME_FFT = int(0.064 * RATE)
HOP = int(0.010 * RATE)
TOP = 400  # Hz, the highest pitch looked for; 800 for the high voice 5.ogg


def decode(path):
    raw = subprocess.run(["sox", path, "-t", "raw", "-e", "float", "-b", "32", "-r", str(RATE), "-c", "1", "-", "highpass", "60"],
                         capture_output=True, check=True).stdout
    return np.frombuffer(raw, dtype=np.float32).astype(np.float64)


def pitch_track(signal):
    """F0 in Hz per 10 ms frame by subharmonic summation, NaN where the frame is too quiet."""
    window = np.hanning(FRAME_FFT)
    starts = range(0, max(0, len(signal) - FRAME_FFT), HOP)
    frames = np.array([signal[s:s + FRAME_FFT] * window for s in starts])
    if len(frames) == 0:
        return np.array([])
    energy = np.sum(frames ** 2, axis=1)
    spectrum = np.abs(np.fft.rfft(frames, n=4 * FRAME_FFT, axis=1))
    bin_hz = RATE / (4 * FRAME_FFT)
    candidates = 70.0 * 2 ** (np.arange(0, 12 * np.log2(TOP / 70) * 10) / 120)  # tenth-semitone steps
    score = np.zeros((len(frames), len(candidates)))
    for harmonic in range(1, 9):
        bins = np.round(candidates * harmonic / bin_hz).astype(int)
        score += 0.84 ** (harmonic - 1) * spectrum[:, np.minimum(bins, spectrum.shape[1] - 1)]
    track = candidates[np.argmax(score, axis=1)]
    track[energy < 0.05 * energy.max()] = np.nan
    return track


def smooth(values, width=5):
    half = width // 2
    padded = np.pad(values, half, mode="edge")
    return np.array([np.median(padded[k:k + width]) for k in range(len(values))])


def classify(semitones):
    """The shape of a contour in semitones above the speaker's middle pitch."""
    n = len(semitones)
    if n < 6:
        return "unclear"
    cut = max(1, n // 10)
    t = semitones[cut:n - cut]
    n = len(t)
    part = max(1, n // 5)
    start, end = np.mean(t[:part]), np.mean(t[-part:])
    low = int(np.argmin(t))
    position = low / (n - 1)
    if t.max() - t.min() < 2.5:
        return "level"
    if start - end >= 3 and start >= 1.5 and position >= 0.6:
        return "falling"
    if position < 0.55 and end - t[low] >= 1.5 and end >= start - 0.5:
        return "rising"
    if position >= 0.55 and start - t[low] >= 2:
        return "dipping"
    return "unclear"


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    every = 1
    if "--every" in sys.argv:
        every = int(sys.argv[sys.argv.index("--every") + 1])
        args = [a for a in args if a != str(every)]
    voice = args[0] if args else "3.ogg"
    global TOP
    TOP = 800 if voice == "5.ogg" else 400
    folder = args[1] if len(args) > 1 else "/usr/share/gcin-voice/ogg"
    names = sorted(os.listdir(folder))[::every]
    tracks = {}
    lengths = {}
    for name in names:
        path = os.path.join(folder, name, voice)
        # The lone initials (letter names, not syllables) carry no tone label of a syllable.
        if not os.path.exists(path) or (len(name) == 1 and name in "ㄅㄆㄇㄈㄉㄊㄋㄌㄍㄎㄏㄐㄑㄒ"):
            continue
        signal = decode(path)
        f0 = pitch_track(signal)
        voiced = f0[~np.isnan(f0)] if len(f0) else f0
        lengths[name] = len(voiced) * HOP / RATE
        tracks[name] = voiced
    everything = np.concatenate([t for t in tracks.values() if len(t)])
    reference = np.median(everything)
    labels = {"": "none (1st?)", "2": "2", "3": "3", "4": "4", "1": "1 (neutral?)"}
    classes = ["level", "rising", "dipping", "falling", "unclear"]
    table = {label: {c: 0 for c in classes} for label in labels}
    voiced_length = {label: [] for label in labels}
    for name, track in tracks.items():
        suffix = name[-1] if name[-1] in "1234" else ""
        semitones = 12 * np.log2(track / reference) if len(track) else track
        # Octave errors of the pitch finder folded back: speech stays within about 8 semitones of
        # the speaker's middle.
        semitones = np.where(semitones > 8.5, semitones - 12, np.where(semitones < -8.5, semitones + 12, semitones))
        semitones = smooth(semitones)
        table[suffix][classify(semitones)] += 1
        voiced_length[suffix].append(lengths[name])
    print(f"voice {voice}: {len(tracks)} recordings, median pitch {reference:.0f} Hz")
    print(f"{'suffix':<14}{'n':>5}" + "".join(f"{c:>9}" for c in classes) + "   agree  voiced s (median)")
    expected = {"": "level", "2": "rising", "3": "dipping", "4": "falling"}
    agree_total = n_total = 0
    for suffix, label in labels.items():
        row = table[suffix]
        n = sum(row.values())
        if n == 0:
            continue
        agree = row[expected[suffix]] if suffix in expected else None
        if agree is not None:
            agree_total += agree
            n_total += n
        share = f"{100 * agree / n:5.1f}%" if agree is not None else "     -"
        print(f"{label:<14}{n:>5}" + "".join(f"{row[c]:>9}" for c in classes) +
              f"   {share}  {np.median(voiced_length[suffix]):.2f}")
    print(f"suffixes none/2/3/4 classed as level/rising/dipping/falling: {agree_total} of {n_total} "
          f"({100 * agree_total / max(1, n_total):.1f}%)")


if __name__ == "__main__":
    main()
