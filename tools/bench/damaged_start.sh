#!/bin/bash
# Time to the fatal message and peak memory of a start with one file grown past its limit, as a
# user would meet it: for each named file, a scratch copy of the run folder, `truncate -s SIZE FILE`
# (sparse, so it costs no disk), then ./lumora under /usr/bin/time on a private Xvfb. The message
# window is found with xdotool, the time taken from the process start to it, a screenshot saved
# beside the figures when `import` is there, and Return pressed; /usr/bin/time then gives the peak
# resident size. A normal start is measured the same way, quit from its menu once its main window
# is up (its peak resident size only). Not part of the suite: figures depend on the machine's load.
#
#   bash tools/bench/damaged_start.sh [RUN_FOLDER (build/run)] [DISPLAY (:61)] [SIZE (3G)] [FILES...]
#
# FILES default to wtf index cif pinyin. Screenshots go to $TMPDIR/damaged_start/<file>.png.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
run="${1:-$root/build/run}"
display="${2:-:61}"
size="${3:-3G}"
shift $(($# < 3 ? $# : 3))
files=("$@")
[ ${#files[@]} -eq 0 ] && files=(wtf index cif pinyin)
[ -x "$run/lumora" ] || { echo "no lumora in $run: build first" >&2; exit 2; }
out="${TMPDIR:-/tmp}/damaged_start"
# ImageMagick's import, under its own name or Debian's versioned one.
shot="$(command -v import || command -v import-im6.q16 || true)"
mkdir -p "$out"

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null' EXIT
sleep 1
export DISPLAY="$display"

# Milliseconds since the epoch.
now() { date +%s%3N; }

# Starts lumora in folder $1 under time(1) and waits for a window named "Lumora"; sets $pid and
# $ms, the milliseconds to that window ("none" when it never came).
start_and_wait() {
  local folder="$1" began
  began=$(now)
  (cd "$folder" && exec /usr/bin/time -f "%M" -o "$folder/peak.txt" ./lumora 2>/dev/null) &
  pid=$!
  ms=none
  for _ in $(seq 1 6000); do
    if xdotool search --name '^Lumora$' >/dev/null 2>&1; then
      ms=$(($(now) - began))
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.01
  done
  return 1
}

for file in "${files[@]}"; do
  # Now and then Qt finds the display busy with the many short xdotool connections and gives up
  # before the program runs (exit code 134, no log); such a start is tried again.
  for attempt in 1 2 3; do
    folder="$(mktemp -d "$out/run.XXXXXX")"
    cp -a "$run/." "$folder/"
    truncate -s "$size" "$folder/$file"
    start_and_wait "$folder"
    sleep 0.5
    [ -n "$shot" ] && "$shot" -window root "$out/$file.png" 2>/dev/null
    xdotool key Return
    wait "$pid"
    code=$?
    [ -f "$folder/log.txt" ] && break
    rm -rf "$folder"
  done
  echo "$file at $size: message after $ms ms, peak RSS $(( $(tail -1 "$folder/peak.txt") / 1024 )) MB, exit code $code," \
    "log: $(tr '\n' ' ' < "$folder/log.txt")"
  rm -rf "$folder"
done

# A normal start: the main window, then Quit from the Actions menu (the quit saves after a pause).
folder="$(mktemp -d "$out/run.XXXXXX")"
cp -a "$run/." "$folder/"
start_and_wait "$folder"
sleep 1
xdotool key alt+a q
wait "$pid"
echo "normal start: main window after $ms ms, peak RSS $(( $(tail -1 "$folder/peak.txt") / 1024 )) MB ($(head -1 "$folder/peak.txt" | grep -v '^[0-9]'))"
rm -rf "$folder"
