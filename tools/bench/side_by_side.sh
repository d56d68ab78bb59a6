#!/bin/bash
# Starts Lumora, the bare-Qt floor, Granule and KWordQuiz side by side under Xvfb, in interleaved
# rounds, and reports for each the time from process start to its main window being mapped and its
# peak resident size: min / median / max, the medians of the per-round ratios Lumora : other, and
# the median of Lumora's peak RSS minus the floor's.
#
#   tools/bench/side_by_side.sh [ROUNDS] [DISPLAY_NUMBER] [RUN_FOLDER]
#
# ROUNDS defaults to 10, the display to :95, RUN_FOLDER to build/run. Run it after a build
# (bash tools/test.sh or tools/run.sh), which also builds the floor: build/tools/bench/bare_qt_window,
# a bare Qt 6 Widgets window of Lumora's size with a menu bar and a status bar (BARE_QT names
# another). Lumora runs from a copy of RUN_FOLDER with a learner file that has answers. What is
# missing of Xvfb, xdpyinfo, the X11 headers, Granule and KWordQuiz is installed with apt-get.
#
#   LUMORA_BEFORE=OTHER_RUN_FOLDER tools/bench/side_by_side.sh [ROUNDS] [DISPLAY_NUMBER] [RUN_FOLDER]
#
# compares Lumora before and after a change instead, beside the floor: RUN_FOLDER ("lumora")
# against OTHER_RUN_FOLDER ("before"), each from its own copy with the same learner file. In both
# modes the programs run with the sound on (no "sound" file) and, where PulseAudio is installed, a
# private sound server with a null sink in their runtime folder, as on a desktop. Not part of the
# test suite: the figures depend on the load of the machine, so run it on a quiet machine and read
# medians.
#
# Method: tools/bench/map_watch.c (built here with cc) forks the program and listens on the root
# window for MapNotify; without a window manager a top-level window is mapped the moment the
# program asks. The first window of the process at least 300x200 is its main window (Lumora's
# 200x50 progress window does not count). Peak memory is the process's VmHWM one second later,
# after its first paint; then the process is killed. One warm-up round is run and dropped.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
rounds="${1:-10}"
display_number="${2:-95}"
run_folder="${3:-$root/build/run}"

before="${LUMORA_BEFORE:-}"
bare_qt="${BARE_QT:-$root/build/tools/bench/bare_qt_window}"
others=()
[ -z "$before" ] && others=(granule kwordquiz)
bash "$root/tools/install_deps.sh" xvfb x11-utils libx11-dev "${others[@]}"
[ -x "$run_folder/lumora" ] || { echo "no lumora in $run_folder: build first" >&2; exit 1; }
[ -x "$bare_qt" ] || { echo "no $bare_qt: build first" >&2; exit 1; }

work="$(mktemp -d /tmp/side_by_side.XXXXXX)"
xvfb_pid=""
pulse_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ -n "$pulse_pid" ] && kill "$pulse_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cc -O2 -o "$work/map_watch" "$root/tools/bench/map_watch.c" -lX11

# The programs get a home, temp and runtime folder of their own, so that nothing of the person
# running this is read or changed, and Lumora's one-copy rule meets no other copy.
mkdir -p "$work/home" "$work/tmp" "$work/runtime" "$work/lumora"
chmod 700 "$work/runtime"
cp -r "$run_folder"/. "$work/lumora/"
rm -f "$work/lumora/log.txt" "$work/lumora/need_log_file.txt" "$work/lumora/sound"
python3 "$root/tools/bench/make_learner_file.py" "$work/lumora" 25
if [ -n "$before" ]; then
  [ -x "$before/lumora" ] || { echo "no lumora in $before" >&2; exit 1; }
  mkdir -p "$work/before"
  cp -r "$before"/. "$work/before/"
  rm -f "$work/before/log.txt" "$work/before/need_log_file.txt" "$work/before/sound"
  cp "$work/lumora/student.lumora" "$work/before/"
fi
if command -v pulseaudio >/dev/null; then
  env HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --use-pid-file=no --system=no --realtime=no --high-priority=no --disallow-exit \
    --load="module-native-protocol-unix auth-anonymous=1" --load="module-null-sink norewinds=1" >/dev/null 2>&1 &
  pulse_pid=$!
fi

Xvfb ":$display_number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
  DISPLAY=":$display_number" xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done

run_one() {  # name -> "mapped_ms rss_kb"
  local name="$1" line
  local -a command
  local folder="$work/lumora"
  case "$name" in
    lumora) command=(./lumora) ;;
    bare) command=("$bare_qt") ;;
    before) command=(./lumora); folder="$work/before" ;;
    granule) command=(/usr/games/granule) ;;
    kwordquiz) command=(kwordquiz) ;;
  esac
  line="$(cd "$folder" && env -i PATH="$PATH" HOME="$work/home" TMPDIR="$work/tmp" \
            XDG_RUNTIME_DIR="$work/runtime" DISPLAY=":$display_number" LANG=C.UTF-8 \
            "$work/map_watch" 300 200 1000 -- "${command[@]}" 2>/dev/null | tail -n 1)"
  echo "$line" | sed -E 's/mapped_ms=([^ ]+) rss_kb=(.*)/\1 \2/'
}

if [ -n "$before" ]; then programs=(lumora bare before); else programs=(lumora bare granule kwordquiz); fi
count=${#programs[@]}
for name in "${programs[@]}"; do run_one "$name" >/dev/null; done  # warm-up, dropped

: >"$work/results"
for round in $(seq "$rounds"); do
  # The order turns each round, so no program always runs first or last.
  for k in $(seq 0 $((count - 1))); do
    name="${programs[$(((round + k) % count))]}"
    echo "$round $name $(run_one "$name")" >>"$work/results"
  done
done

echo "rounds: $rounds   machine load (1 min): $(cut -d' ' -f1 /proc/loadavg)   cores: $(nproc)"
python3 - "$work/results" "${programs[@]}" <<'EOF'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
data = {}
for rnd, name, ms, kb in rows:
    data.setdefault(name, {})[int(rnd)] = (float(ms), float(kb) / 1024)
def describe(values):
    return "min %7.1f  median %7.1f  max %7.1f" % (min(values), statistics.median(values), max(values))
print("start to main window mapped (ms):")
names = sys.argv[2:]
for name in names:
    print("  %-10s %s" % (name, describe([v[0] for v in data[name].values()])))
print("peak RSS (MB):")
for name in names:
    print("  %-10s %s" % (name, describe([v[1] for v in data[name].values()])))
print("medians of per-round ratios, Lumora : other:")
for other in names[1:]:
    rounds = sorted(set(data["lumora"]) & set(data[other]))
    t = statistics.median(data["lumora"][r][0] / data[other][r][0] for r in rounds)
    m = statistics.median(data["lumora"][r][1] / data[other][r][1] for r in rounds)
    print("  %-10s start %.2f   peak RSS %.2f" % (other, t, m))
rounds = sorted(set(data["lumora"]) & set(data["bare"]))
extra = statistics.median(data["lumora"][r][1] - data["bare"][r][1] for r in rounds)
print("Lumora's peak RSS above the bare-Qt floor (median of per-round differences): %.1f MB" % extra)
EOF
