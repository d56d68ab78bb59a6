#!/bin/bash
# Kill test of the save: runs the program (build/tools/lumora_driver, the real program with its
# seams set from the command line) in a scratch folder, answering as fast as it can, and kills it
# with SIGKILL at random moments, most of them just after a save has begun. After every kill the
# next start must load student.lumora, and what it loads must equal either the save before the last
# one begun or the last one begun. Not part of the suite: it runs for a few minutes.
#   bash tools/kill_test.sh [kills (200)] [build folder (build)]
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
kills="${1:-200}"
build="${2:-$root/build}"
driver="$build/tools/lumora_driver"
[ -x "$driver" ] || { echo "no $driver: build first" >&2; exit 2; }

scratch="$(mktemp -d /tmp/lumora-kill-XXXXXX)"
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 2
for file in cbf cbfcon cif cifcon index pinyin wtf bktrain_de.jpg bkexam_de.jpg; do
  ln -s "$build/run/$file" "$file"
done
: > sf04
mkdir tmp
export TMPDIR="$scratch/tmp" QT_QPA_PLATFORM=offscreen

# Milliseconds to sleep, as a decimal for sleep(1).
nap() { sleep "$(printf '0.%03d' "$1")"; }

# Waits up to 20 s for the running line of the current run.
wait_running() {
  for _ in $(seq 1 2000); do
    grep -q '^running' run.txt 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    nap 10
  done
  return 1
}

candidates=""   # what the next start may load
last_begun=""   # the last save begun before the kill, if any
found_new=0 found_old=0 unsaved=0 failures=0 started=0
after_save=0 mid_copy=0 copies_checked=0 with_backups=0

# Checks what a start loaded against what the kill before it may have left, and counts whether
# the kill came after the last save's rename (the new file) or before it (the old one).
check_loaded() {
  local loaded="$1" label="$2"
  [ -z "$candidates" ] && return
  if ! grep -qw "$loaded" <<<"$candidates"; then
    echo "$label: loaded $loaded, expected one of: $candidates"
    failures=$((failures + 1))
  elif [ -z "$last_begun" ]; then
    unsaved=$((unsaved + 1))
  elif [ "$loaded" = "$last_begun" ]; then
    found_new=$((found_new + 1))
  else
    found_old=$((found_old + 1))
  fi
}

for kill in $(seq 1 "$kills"); do
  # Emptied here, not by the redirection: that happens in the new process, maybe after the
  # first look for its running line.
  : > saves.txt
  : > run.txt
  "$driver" --answers -1 --pause $((RANDOM % 5)) --save-log saves.txt --day-offset $((kill * 20)) --day-per-save \
    > run.txt 2>/dev/null &
  pid=$!
  if ! wait_running; then
    echo "kill $kill: the program did not start: $(tail -3 run.txt)"
    failures=$((failures + 1))
    kill -9 "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
    break
  fi
  started=$((started + 1))
  loaded="$(awk '/^running/ {print $3; exit}' run.txt)"
  check_loaded "$loaded" "kill $((kill - 1))"

  # Mostly just after a save has begun (the 1st to 3rd of this run), now and then anywhere.
  if [ $((RANDOM % 5)) -eq 0 ]; then
    nap $((RANDOM % 600))
  else
    want=$((1 + RANDOM % 3))
    for _ in $(seq 1 500); do
      [ "$(grep -c '^saving' saves.txt)" -ge "$want" ] && break
      nap 2
    done
    nap $((RANDOM % 25))
  fi
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null

  mapfile -t begun < <(awk '/^saving/ {print $2}' saves.txt)
  count=${#begun[@]}
  if [ "$count" -eq 0 ]; then
    candidates="$loaded"
    last_begun=""
  elif [ "$count" -eq 1 ]; then
    candidates="$loaded ${begun[0]}"
    last_begun="${begun[0]}"
  else
    candidates="${begun[count - 2]} ${begun[count - 1]}"
    last_begun="${begun[count - 1]}"
  fi
  [ "$count" -gt 0 ] && after_save=$((after_save + 1))
  # A temporary copy left in the folder: the kill came while a backup was being written.
  compgen -G "backups/*.tmp*" >/dev/null && mid_copy=$((mid_copy + 1))
  "$driver" --check-backups > backups.txt 2>/dev/null
  copies=$(awk '/^backups / {print $2}' backups.txt)
  copies_checked=$((copies_checked + ${copies:-0}))
  [ "${copies:-0}" -gt 0 ] && with_backups=$((with_backups + 1))
  if grep -q ' damaged ' backups.txt; then
    echo "kill $kill: a backup does not load: $(grep ' damaged ' backups.txt | tr '\n' ' ')"
    failures=$((failures + 1))
  fi
  size=$(stat -c %s sf04)
  if [ "$size" -ne 0 ] && [ "$size" -ne 8 ]; then
    echo "kill $kill: sf04 has $size bytes"
    failures=$((failures + 1))
  fi
  [ $((kill % 25)) -eq 0 ] && echo "... $kill kills"
done

# A last start loads what the last kill left.
: > run.txt
"$driver" --linger 0 > run.txt 2>/dev/null &
pid=$!
wait_running
check_loaded "$(awk '/^running/ {print $3; exit}' run.txt)" "last kill"
wait "$pid" 2>/dev/null
leftovers=$(find . -maxdepth 1 -name 'student.lumora.tmp*' | wc -l)
echo "kills: $started; the next start loaded the new save: $found_new, the save before it" \
  "(killed during the save): $found_old, no save begun: $unsaved; failures: $failures;" \
  "temporary files left: $leftovers"
echo "backups: kills after a save (with its backup) began: $after_save; kills that left a copy" \
  "half written under a temporary name: $mid_copy; kills after which copies existed: $with_backups;" \
  "copies checked: $copies_checked, every one loading"
[ "$failures" -eq 0 ] && [ "$started" -eq "$kills" ]
