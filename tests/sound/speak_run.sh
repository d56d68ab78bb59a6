#!/bin/bash
# The readings heard, end to end: a copy of the staged program on a private X display and a private
# PulseAudio server whose only sink is a null sink. A character with two recorded readings is asked
# first; the test types its two readings as a learner would, records the sink's monitor, and finds
# both recordings in what came out, in the order of the rows (cross-correlation with the decoded
# files). Then the same run with no sound server: silence, one line in the log, no message box, and
# the learner file saved as usual. The trainer itself never maps a library of the sound stack.
# Exits 77 (skipped) where Xvfb, xdotool, PulseAudio, sox, NumPy or the recordings are missing,
# or where no sound server can be started.
set -euo pipefail
build="$(cd "$1" && pwd)"
skip() { echo "skipped: $*"; exit 77; }
for tool in Xvfb xdotool pulseaudio parec sox; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
python=""
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import numpy' 2>/dev/null; then python="$candidate"; break; fi
done
[ -n "$python" ] || skip "no Python with NumPy"
voices=/usr/share/gcin-voice/ogg
[ -d "$voices" ] || skip "the recordings (gcin-voice) are not installed"

scratch="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
wait_for() {
  local tries=$(($1 * 10)); shift
  until "$@"; do
    tries=$((tries - 1)); [ "$tries" -gt 0 ] || return 1; sleep 0.1
  done
}

# A private sound server: its own runtime folder and home, so that parallel runs never share one.
# norewinds: the null sink otherwise now and then stops its clock after a rewind.
runtime="$scratch/runtime"; home="$scratch/home"
mkdir -p "$runtime" "$home" "$scratch/empty-runtime" "$scratch/tmp"
chmod 700 "$runtime" "$scratch/empty-runtime"
pulse() { env HOME="$home" XDG_RUNTIME_DIR="$runtime" "$@"; }
# Started through env directly, so that $! is the server itself (env execs it) and the cleanup ends
# it: a leftover would hold the test runner's output open.
env HOME="$home" XDG_RUNTIME_DIR="$runtime" pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=no --realtime=no \
  --high-priority=no --disallow-exit --log-target=stderr \
  --load="module-native-protocol-unix auth-anonymous=1" \
  --load="module-null-sink sink_name=lumora_test norewinds=1" >"$scratch/pulse.log" 2>&1 &
pids+=($!)
wait_for 10 pulse pactl info >/dev/null 2>&1 || skip "no sound server could be started: $(tail -n 3 "$scratch/pulse.log")"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
pids+=($!)
wait_for 20 grep -qs '[0-9]' "$scratch/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$scratch/display")"

# The first character with two recorded readings among a few candidates, put first in the queue.
# The zhuyin folders are written out here, independently of the program's own mapping.
portable_copy() {
  local folder="$1"
  cp -r "$build/run" "$folder"
  rm -f "$folder"/{student.lumora,log.txt,sound,need_log_file.txt}
  : >"$folder/sf04"
  "$python" - "$folder" >"$folder.char" <<'EOF'
import struct, sys
folder = sys.argv[1]
folders = {"zhang3": "ㄓㄤ3", "chang2": "ㄔㄤ2", "hai2": "ㄏㄞ2", "huan2": "ㄏㄨㄢ2", "xing2": "ㄒㄧㄥ2", "hang2": "ㄏㄤ2"}
read = lambda name: open(f"{folder}/{name}", "rb").read()
index, info, ranked = read("cifcon"), read("cif"), read("index")
offsets = dict(struct.unpack_from("<HI", index, 2 + 6 * i) for i in range(struct.unpack_from("<H", index)[0]))
def readings(code):
    at = offsets[code] + 5  # past weight, other form and flag
    out = []
    count, at = info[at], at + 1
    for _ in range(count):
        length = info[at]
        text = bytes(159 - b if 33 <= b <= 126 else b for b in info[at + 1:at + 1 + length]).decode("latin-1")
        out.append(text.split(" ")[0])
        at += 1 + length
    return out
for char in "長還行":
    found = readings(ord(char))
    if len(found) == 2 and all(r in folders for r in found):
        break
else:
    sys.exit("no candidate character has two known readings")
# The queue in frequency order, the chosen character moved to its head.
order = [c for c in struct.unpack_from("<8000H", ranked, 2) if c != ord(char)]
order.insert(0, ord(char))
records = [[0, 0, 0, 0] for _ in range(65535)]
for position, code in enumerate(order, start=1):
    records[code][0] = position
out = bytearray(struct.pack("<H", 2004))
for record in records:
    out += struct.pack("<4H", *record)
out += bytes(8 * 5000)
open(f"{folder}/student.lumora", "wb").write(out)
print(ord(char), found[0], found[1], folders[found[0]], folders[found[1]])
EOF
}

main_window() { xdotool search --onlyvisible --name '^Lumora$' 2>/dev/null; }
has_main_window() { [ -n "$(main_window)" ]; }

# Starts the copy in its folder, types the readings in the database's order, waits for the sound
# to play out and quits through the menu. Leaves the program's pid in $lumora.
answer_and_quit() {
  local folder="$1" runtime_folder="$2"
  read -r code first second _ <"$folder.char"
  (cd "$folder" && exec env HOME="$home" XDG_RUNTIME_DIR="$runtime_folder" TMPDIR="$scratch/tmp" \
     QT_QPA_PLATFORM=xcb ./lumora >"$folder.output" 2>&1) &
  lumora=$!
  pids+=("$lumora")
  wait_for 60 has_main_window || fail "no main window appeared: $(cat "$folder.output")"
  ! grep -qE 'libpulse|libvorbis|libogg' "/proc/$lumora/maps" || fail "the sound stack was loaded before the first sound"
  xdotool windowfocus --sync "$(main_window | head -n1)"
  # The first reading in row 1: right, and the second follows in row 2; or wrong, which decides the
  # character at once (the second reading's keys are then ignored). Either way both readings play.
  xdotool type --delay 40 "$first$second"
  sleep 2  # the two syllables play out (under a second); not a measure of speed
  windows=$(main_window | wc -l)
  ! grep -qE 'libpulse|libvorbis|libogg' "/proc/$lumora/maps" || fail "the trainer loaded the sound stack itself"
  xdotool key --delay 100 alt+a q
  wait_for 30 eval '! kill -0 "$lumora" 2>/dev/null' || fail "the program did not quit"
  local status=0
  wait "$lumora" || status=$?
  [ "$status" -eq 1 ] || fail "exit code $status: $(cat "$folder.output")"
  [ "$windows" -eq 1 ] || fail "$windows windows were shown, not the main window alone"
}

# Right and wrong answers of the chosen character in a learner file: "good wrong".
answers_of() {
  "$python" -c 'import struct,sys; r=struct.unpack_from("<4H", open(sys.argv[1],"rb").read(), 2 + 8 * int(sys.argv[2])); print(r[1], r[2])' "$1" "$2"
}

# With the sound server: record the monitor while the learner answers.
sounding="$scratch/sounding"
portable_copy "$sounding"
env HOME="$home" XDG_RUNTIME_DIR="$runtime" parec -d lumora_test.monitor --format=s16le --rate=44100 --channels=1 --raw --latency-msec=20 \
  >"$scratch/heard.raw" &
recorder=$!
pids+=("$recorder")
answer_and_quit "$sounding" "$runtime"
kill "$recorder"
read -r code first second first_folder second_folder <"$sounding.char"
read -r good wrong < <(answers_of "$sounding/student.lumora" "$code")
[ $((good + wrong)) -eq 1 ] || fail "the answer was not recorded: good $good wrong $wrong"
# Right means the rows asked the readings in the database's order; wrong, in the other.
if [ "$good" -eq 1 ]; then rows=("$first_folder" "$second_folder"); else rows=("$second_folder" "$first_folder"); fi
sox "$voices/${rows[0]}/3.ogg" -t raw -e signed -b 16 -r 44100 -c 1 "$scratch/row1.raw"
sox "$voices/${rows[1]}/3.ogg" -t raw -e signed -b 16 -r 44100 -c 1 "$scratch/row2.raw"
"$python" - "$scratch/heard.raw" "$scratch/row1.raw" "$scratch/row2.raw" <<'EOF' || fail "the readings were not heard in row order"
import sys
import numpy as np
heard = np.fromfile(sys.argv[1], dtype="<i2").astype(float)
def find(template):
    """Where the template matches best and how well: normalized cross-correlation, 1 = identical."""
    n = len(template)
    size = 1 << int(np.ceil(np.log2(len(heard) + n)))
    corr = np.fft.irfft(np.fft.rfft(heard, size) * np.conj(np.fft.rfft(template, size)), size)[:len(heard) - n + 1]
    energy = np.concatenate(([0.0], np.cumsum(heard ** 2)))
    window = np.sqrt(np.maximum(energy[n:] - energy[:-n], 1e-9))
    score = corr / (window * np.sqrt(np.sum(template ** 2)))
    at = int(np.argmax(score))
    return at, float(score[at])
rows = [np.fromfile(name, dtype="<i2").astype(float) for name in sys.argv[2:]]
found = [find(row) for row in rows]
for k, (at, score) in enumerate(found, start=1):
    print(f"row {k}: heard at {at / 44100:.3f} s, correlation {score:.3f}")
if len(heard) == 0 or min(score for _, score in found) < 0.8:
    sys.exit("a reading was not heard")
if not found[0][0] + len(rows[0]) <= found[1][0] + 441:  # the second starts once the first has ended
    sys.exit("the readings were not heard one after the other in row order")
EOF
echo "both readings heard in row order"

# Without a sound server: the same answer in silence, the records saved, one line in the log.
silent="$scratch/silent"
portable_copy "$silent"
answer_and_quit "$silent" "$scratch/empty-runtime"
read -r good wrong < <(answers_of "$silent/student.lumora" "$code")
[ $((good + wrong)) -eq 1 ] || fail "without a sound server the answer was not saved"
[ "$(grep -c '^sound: ' "$silent/log.txt")" -eq 1 ] || fail "no single sound line in the log: $(cat "$silent/log.txt")"
echo "without a sound server: $(grep '^sound: ' "$silent/log.txt")"
