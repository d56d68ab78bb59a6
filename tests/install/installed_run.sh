#!/bin/bash
# Installs the program into a temporary prefix and starts it as a desktop would: from a third
# folder, with a home of its own, on a private X display. It types one wrong answer, quits through
# the menu, and checks where the records went. A copy of the portable folder, started from
# elsewhere, must keep its records beside itself. Exits 77 (skipped) without Xvfb or xdotool.
set -euo pipefail
build="$(cd "$1" && pwd)"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done

scratch="$(mktemp -d)"
xvfb_pid=""
lumora_pid=""
cleanup() {
  [ -z "$lumora_pid" ] || kill "$lumora_pid" 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

# Polls a command until it succeeds, instead of sleeping for a guessed time.
wait_for() {
  local seconds="$1"; shift
  local tries=$((seconds * 10))
  until "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

prefix="$scratch/prefix"
home="$scratch/home"
data_home="$scratch/home/data"   # not the default, so the program must read XDG_DATA_HOME
records="$data_home/lumora"
work="$scratch/work"
mkdir -p "$home" "$work" "$scratch/tmp"

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/lumora lib/lumora/lumora-voice share/lumora/{cbfcon,cbf,cifcon,cif,index,pinyin,wtf,bktrain_de.jpg,bkexam_de.jpg,lumora_help} \
            share/applications/org.lumora.Lumora.desktop share/metainfo/org.lumora.Lumora.metainfo.xml \
            share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/org.lumora.Lumora.png \
            share/icons/hicolor/scalable/apps/org.lumora.Lumora.svg share/doc/lumora/{NOTICE,README.md}; do
  [ -f "$prefix/$file" ] || fail "$file was not installed"
done
for learner_file in sf04 student.lumora log.txt; do
  [ ! -e "$prefix/share/lumora/$learner_file" ] || fail "the prefix carries a learner's $learner_file"
done

# Every file of a folder with its size and time, to see that nothing was written there.
snapshot() { (cd "$1" && find . -printf '%p %s %T@\n' | sort); }

# A private display; Xvfb writes its number to the descriptor once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb_pid=$!
wait_for 20 grep -qs '[0-9]' "$scratch/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$scratch/display")"

main_window() { xdotool search --onlyvisible --name '^Lumora$' 2>/dev/null | head -n1; }
has_main_window() { [ -n "$(main_window)" ]; }
has_ended() { ! kill -0 "$lumora_pid" 2>/dev/null; }

# Starts a program from the work folder with the scratch home, answers one character wrong
# ("ma1" is no reading of the most frequent character, which a fresh queue asks first), quits
# through Actions > Quit and expects the exit code of a normal run.
answer_and_quit() {
  local program="$1"
  (cd "$work" && exec env HOME="$home" XDG_DATA_HOME="$data_home" TMPDIR="$scratch/tmp" \
     QT_QPA_PLATFORM=xcb "$program" >"$scratch/output" 2>&1) &
  lumora_pid=$!
  wait_for 60 has_main_window || fail "no main window appeared: $(cat "$scratch/output")"
  local window
  window="$(main_window)"
  xdotool windowfocus --sync "$window"
  xdotool type --delay 30 ma1
  xdotool key --delay 100 alt+a q
  wait_for 30 has_ended || fail "the program did not quit"
  local status=0
  wait "$lumora_pid" || status=$?
  lumora_pid=""
  [ "$status" -eq 1 ] || fail "exit code $status: $(cat "$scratch/output")"
}

# Sums the right and the wrong answers over every character record of a learner file.
answers_in() {
  od -An -v -tu2 -j2 -N524280 "$1" | tr -s ' ' '\n' | grep -v '^$' |
    awk '(NR % 4 == 2 || NR % 4 == 3) { sum += $1 } END { print sum + 0 }'
}

prefix_before="$(snapshot "$prefix")"
start=$SECONDS
answer_and_quit "$prefix/bin/lumora"
echo "installed program: answered and quit in $((SECONDS - start)) s"

[ -d "$records" ] || fail "no records folder $records"
[ "$(stat -c %a "$records")" = 700 ] || fail "records folder has mode $(stat -c %a "$records"), not 700"
[ "$(stat -c %s "$records/student.lumora")" -eq 564282 ] || fail "no full student.lumora in $records"
[ "$(od -An -tu1 -N1 "$records/sf04" | tr -d ' ')" = 1 ] || fail "sf04 in $records holds no saved settings"
[ -f "$records/log.txt" ] || fail "no log.txt in $records"
[ "$(answers_in "$records/student.lumora")" -eq 1 ] || fail "the answer was not recorded"
[ -z "$(ls -A "$work")" ] || fail "files written into the current folder: $(ls -A "$work")"
[ "$(snapshot "$prefix")" = "$prefix_before" ] || fail "files written into the prefix"

# The portable folder, copied and started by its full name from the work folder.
portable="$scratch/portable"
cp -r "$build/run" "$portable"
rm -f "$portable"/{student.lumora,log.txt,student.txt,exam.txt,need_log_file.txt}
: >"$portable/sf04"
rm -rf "$records"
answer_and_quit "$portable/lumora"
[ "$(answers_in "$portable/student.lumora")" -eq 1 ] || fail "the portable copy did not keep its records beside itself"
[ -z "$(ls -A "$work")" ] || fail "the portable copy wrote into the current folder: $(ls -A "$work")"
[ ! -e "$records" ] || fail "the portable copy wrote into the per-user folder"
echo "installed and portable layouts keep the records where they belong"
