#!/bin/bash
# Builds the fuzz targets with clang and runs each for the given seconds (default 60),
# seeded from the bundled database. Exits non-zero at the first crash, leak or sanitizer report.
#   bash tools/fuzz/run_all.sh [seconds]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-60}"
bash "$root/tools/install_deps.sh" clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S "$root/tools/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j"$(nproc)"

# Seeds from the bundled database (kept beside the small hand-made ones below), and for each target
# a length limit that lets its seed in whole: libFuzzer's default of 4096 bytes would cut the
# index files (the frequency list alone has 16,002 bytes) before a load could ever succeed.
declare -A max_len
while read -r target length; do
  max_len[$target]=$length
done < <(python3 "$root/tools/fuzz/make_seeds.py" "$root/database" "$build")

printf '\x01\x01\x02\x02\x78\x00\x50\x00' > "$build/corpus_settings/seed"
printf '\xd4\x07\x00\x00' > "$build/corpus_student/seed"
printf '\x1astudent2.dat version: 1\x00\x00\x01\x00\x00\x4e\x01\x00\x02\x01\x01\x00\x00\x88\x13' \
  > "$build/corpus_student2/seed"

for target in pinyin words settings student student2 index training fits; do
  echo "== fuzz_$target for $seconds s, inputs up to ${max_len[$target]} bytes"
  "$build/fuzz_$target" -max_total_time="$seconds" -max_len="${max_len[$target]}" -rss_limit_mb=4096 \
    -print_final_stats=1 "$build/corpus_$target" 2>&1 | grep -E "ERROR|SUMMARY|^Done|number_of_executed_units|peak_rss"
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "fuzz_$target failed" >&2; exit 1; }
done
