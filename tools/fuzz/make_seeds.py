#!/usr/bin/env python3
"""Writes one seed per fuzz target, made from the bundled database, into corpus_<target>/ under
the given folder, and prints "<target> <max_len>" for each: a length that fits the seed.

    python3 tools/fuzz/make_seeds.py DATABASE_DIR BUILD_DIR
"""
import os
import struct
import sys

SEPARATOR = b"\xff\xfe\xfd"


def u16(value):
    return struct.pack("<H", value & 0xFFFF)


def scramble(text):
    return bytes(159 - b if 33 <= b <= 126 else b for b in text)


def main():
    database, build = sys.argv[1], sys.argv[2]

    def read(name):
        with open(os.path.join(database, name), "rb") as file:
            return file.read()

    def write(target, content):
        folder = os.path.join(build, "corpus_" + target)
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "bundled"), "wb") as file:
            file.write(content)
        # Room to grow past the seed; small inputs keep libFuzzer's usual 4096.
        print(target, max(4096, len(content) + len(content) // 8) if target != "training" else 1024)

    cbfcon, cbf, cifcon, cif, index = (read(n) for n in ("cbfcon", "cbf", "cifcon", "cif", "index"))
    ranked = [struct.unpack_from("<H", index, 2 + 2 * k)[0] for k in range((len(index) - 2) // 2)]

    # The index target: the five files whole, but for the glyphs, which only the lookups after a
    # successful load read (the first 300 of them are kept).
    write("index", SEPARATOR.join([cbfcon, cbf[: 72 * 300], cifcon, cif, index]))

    write("pinyin", read("pinyin"))
    write("words", read("wtf")[:65536])
    write("settings", bytes([1, 1, 2, 2, 0x78, 0, 0x50, 0]))

    # A fresh learner file for the bundled frequency list; even-sized, so the target lays it
    # over a whole file.
    learner = bytearray(2 + 8 * 65535 + 8 * 5000)
    learner[0:2] = u16(2004)
    for rank, code in enumerate(ranked, start=1):
        learner[2 + 8 * code: 4 + 8 * code] = u16(rank)
    write("student", bytes(learner))

    # The earlier release's file holding the same queue with a few answers and a history.
    header = b"student2.dat version: 1"
    old = bytes([len(header)]) + header + u16(0) + u16(len(ranked))
    for rank, code in enumerate(ranked, start=1):
        old += u16(code) + u16(rank) + bytes([rank % 3, rank % 2, rank % 3])
    old += u16(0) + u16(5000) + b"".join(u16(700 - k % 700) + u16(900) + u16(50) for k in range(5000))
    write("student2", old)

    # The training target: the most frequent character's record, then keys that answer it right,
    # wrong, with corrections and the hidden words.
    offsets = {}
    for k in range(struct.unpack_from("<H", cifcon, 0)[0]):
        code, low, high = struct.unpack_from("<HHH", cifcon, 2 + 6 * k)
        offsets[code] = low | (high << 16)
    start = offsets[ranked[0]]
    end = start + 6
    readings = []
    for _ in range(cif[start + 5]):
        length = cif[end]
        readings.append(scramble(cif[end + 1: end + 1 + length]).split(b" ")[0])
        end += 1 + length
    typed = [r if r[-1:].isdigit() else r + b"5" for r in readings]
    right = b"".join(typed)
    wrong = b"".join(t[:-1] + (b"2" if t[-1:] == b"1" else b"1") for t in typed)
    keys = right + b" " + wrong + b" " + b"x\x08" + right + b" dump3" + right + b" " + b"ma9\x08\x081 "
    write("training", cif[start:end] + SEPARATOR + keys)

    # The fits target: the syllable list, the most frequent character's record, then the five
    # database files as for the index target.
    write("fits", SEPARATOR.join([read("pinyin"), cif[start:end], cbfcon, cbf[: 72 * 300], cifcon, cif, index]))


if __name__ == "__main__":
    main()
