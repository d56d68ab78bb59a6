#!/usr/bin/env python3
"""Runs build/tools/measure_startup many times in a copy of a run folder and prints medians of:
start to main window shown (and the processor time used until then, which competing programs
hardly change), start to first paint, and quit (the Quit command, data saved without
the 3 s pause) to process exit.

    startup_and_quit.py MEASURE_STARTUP RUN_FOLDER [RUNS]

Runs on the display in DISPLAY (or QT_QPA_PLATFORM=offscreen when that is set). The run folder
should hold a learner file with answers (make_learner_file.py). Not a test: read the medians on a
quiet machine."""
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def main():
    program = os.path.abspath(sys.argv[1])
    source = sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 21
    shown, processor, painted, quits = [], [], [], []
    with tempfile.TemporaryDirectory() as work:
        folder = os.path.join(work, "run")
        shutil.copytree(source, folder)
        env = dict(os.environ, TMPDIR=work)
        for run in range(runs):
            quit_mode = run % 2 == 1
            args = [program] + (["--quit"] if quit_mode else [])
            process = subprocess.Popen(args, cwd=folder, env=env, stdout=subprocess.PIPE,
                                       stderr=subprocess.DEVNULL, text=True)
            quit_at = None
            for line in process.stdout:
                if m := re.match(r"main window shown: (\d+) ms after process start(, ([\d.]+) ms)?", line):
                    shown.append(float(m.group(1)))
                    if m.group(3):
                        processor.append(float(m.group(3)))
                elif m := re.match(r"first paint begins: (\d+)", line):
                    painted.append(float(m.group(1)))
                elif m := re.match(r"quit at ([\d.]+)", line):
                    quit_at = float(m.group(1))
                    break
            process.wait()
            ended = time.monotonic() * 1000
            if quit_at is not None:
                quits.append(ended - quit_at)
            process.stdout.close()
    print("runs: %d   load (1 min): %s" % (runs, open("/proc/loadavg").read().split()[0]))
    for name, values in (("start to main window shown", shown),
                         ("  processor time until then", processor), ("start to first paint", painted),
                         ("quit to process exit", quits)):
        if values:
            print("  %-28s min %7.1f  median %7.1f  max %7.1f ms  (%d)" % (
                name, min(values), statistics.median(values), max(values), len(values)))


if __name__ == "__main__":
    main()
