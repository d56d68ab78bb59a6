#!/usr/bin/env python3
"""Writes a learner file with answers for the benchmarks: the queue in frequency order (as a fresh
start makes it), the first ANSWERS characters answered (two right, one wrong in turn) and three exam
results in the history.

    make_learner_file.py RUN_FOLDER [ANSWERS]

Reads RUN_FOLDER/index and writes RUN_FOLDER/student.lumora."""
import os
import struct
import sys

CODES = 65535
HISTORY = 5000


def main():
    folder = sys.argv[1]
    answers = int(sys.argv[2]) if len(sys.argv) > 2 else 25
    with open(os.path.join(folder, "index"), "rb") as f:
        data = f.read()
    ranked = struct.unpack_from("<8000H", data, 2)
    queue = [0] * CODES
    for rank, code in enumerate(ranked, start=1):
        queue[code] = rank
    records = [[queue[code], 0, 0, 0] for code in range(CODES)]
    for k, code in enumerate(ranked[:answers]):
        right = k % 3 != 2
        records[code][1 if right else 2] += 1
        records[code][3] = 1 if right else 0
    out = bytearray(struct.pack("<H", 2004))
    for record in records:
        out += struct.pack("<4H", *record)
    history = [(8700, 1200, 150, 100), (8650, 1100, 160, 100), (8600, 900, 200, 50)]
    for k in range(HISTORY):
        day, known, margin, asked = history[k] if k < len(history) else (0, 0, 0, 0)
        out += struct.pack("<4H", day, known, margin, asked)
    with open(os.path.join(folder, "student.lumora"), "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
