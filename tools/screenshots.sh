#!/bin/bash
# Retakes the README's screenshots from the built program, on a private X display:
#   docs/answered.png     a fresh start, the first character answered right, with its example words
#   docs/training.png     a wrong answer during an exam, over a chart of earlier results
#   docs/answered@2x.png  the first of them on a desktop scaled to 200%
# Usage: bash tools/screenshots.sh   (after a build; rerun it when the database changes)
# Environment: FIRST, what is typed for the first character a new learner is asked (default ma1,
# a wrong answer that decides it whatever its readings), and ANSWER, the right reading of the
# second (default yi1); DISPLAY_NUMBER, the X display to use (default 99).
# The exam shot runs under faketime (Debian's faketime) on a date a few weeks after the newest of
# the sample results that dump2 stages, so the chart's ages read as a learner's would.
# Each shot runs on a scratch copy of build/run with a temporary folder of its own, so neither a
# learner's files nor a running copy of the program are touched.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
first="${FIRST:-ma1}"
answer="${ANSWER:-yi1}"
display=":${DISPLAY_NUMBER:-99}"
scratch="$(mktemp -d)"
server=""
program=""
id=""

finish() {
    [ -n "$program" ] && kill "$program" 2>/dev/null || true
    [ -n "$server" ] && kill "$server" 2>/dev/null || true
    rm -rf "$scratch"
}
trap finish EXIT

for tool in Xvfb xdotool import faketime; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing (xvfb, xdotool, imagemagick, faketime)" >&2; exit 1; }
done
[ -x "$root/build/run/lumora" ] || { echo "screenshots: build the program first" >&2; exit 1; }

# Never another session's display: the shots would be taken there, and the keys typed into it.
if [ -e "/tmp/.X${display#:}-lock" ] || [ -e "/tmp/.X11-unix/X${display#:}" ]; then
    echo "screenshots: display $display is in use; choose another with DISPLAY_NUMBER" >&2
    exit 1
fi
Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
export DISPLAY="$display"
for _ in $(seq 50); do
    kill -0 "$server" 2>/dev/null || { echo "screenshots: Xvfb did not start on $display" >&2; server=""; exit 1; }
    xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.1
done

# The main window's id once it is mapped.
main_window() {
    for _ in $(seq 100); do
        local id
        id="$(xdotool search --onlyvisible --name '^Lumora$' 2>/dev/null | head -1 || true)"
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    echo "screenshots: the main window did not appear" >&2
    exit 1
}

# Starts a fresh copy of the program at a desktop scale, optionally on a faked date; its window's
# id goes to $id.
start() {
    local scale="$1" date="${2:-}"
    local clock=()
    [ -n "$date" ] && clock=(env DONT_FAKE_MONOTONIC=1 faketime -f "@$date")
    rm -rf "$scratch/run" "$scratch/tmp"
    cp -r "$root/build/run" "$scratch/run"
    rm -f "$scratch/run/student.lumora" "$scratch/run/log.txt"
    : > "$scratch/run/sf04"
    mkdir -p "$scratch/tmp"
    (cd "$scratch/run" && TMPDIR="$scratch/tmp" QT_SCALE_FACTOR="$scale" exec "${clock[@]}" ./lumora >/dev/null 2>&1) &
    program=$!
    id="$(main_window)"
    # Keys go where the pointer is when no window manager runs.
    xdotool mousemove --window "$id" 100 100
    sleep 0.5
}

stop() {
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    program=""
}

keys() {
    xdotool type --delay 40 "$1"
    sleep 0.3
}

shoot() {
    sleep 0.5
    import -window "$1" "$root/docs/$2"
    echo "wrote docs/$2"
}

# Answered right, at 100% and at 200%: the first character decided by a wrong answer, then the
# second answered right.
for scale in 1 2; do
    start "$scale"
    keys "$first"
    xdotool key space
    sleep 0.3
    keys "$answer"
    if [ "$scale" = 1 ]; then shoot "$id" answered.png; else shoot "$id" answered@2x.png; fi
    stop
done

# During an exam, over a history of results staged by the hidden command dump2 (eight bars in
# the chart), a wrong answer: the strike, the reading, the example words, the exam's own paper.
# The newest sample result is day 2500 (5 November 2009).
start 1 "2009-12-02 12:00:00"
keys "dump2"
xdotool key alt+a
sleep 0.3
xdotool key x
dialog=""
for _ in $(seq 50); do
    dialog="$(xdotool search --onlyvisible --name '^Exam Settings$' 2>/dev/null | head -1 || true)"
    [ -n "$dialog" ] && break
    sleep 0.1
done
[ -n "$dialog" ] || { echo "screenshots: the exam settings did not open" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$dialog")"
# "Beginner" and "50" stand at (50, 27) and (125, 27) dialog units: 1.5 pixels across, 1.625 down.
xdotool mousemove $((X + 80)) $((Y + 48)) click 1
xdotool mousemove $((X + 192)) $((Y + 48)) click 1
xdotool key Return
sleep 0.5
xdotool mousemove --window "$id" 100 100
keys "ma1"
shoot "$id" training.png
stop
