#!/bin/bash
# Builds Lumora with its tests and runs the whole suite headless, then the database builder's
# own tests.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${LUMORA_BUILD_DIR:-$root/build}"
# xvfb and xdotool let the install test start the installed program on a private display;
# unicode-data (Unihan) lets the database lint check traditional use, OpenCC's Taiwan phrases
# (opencc, libopencc1.1) the words Taiwan writes otherwise. libvorbis-dev and libpulse-dev build the
# sound helper; gcin-voice, pulseaudio (its server, started privately by the test, and parec), sox
# and python3-numpy let the sound test play, record and compare the readings.
bash "$root/tools/install_deps.sh" libfreetype-dev libbz2-dev libpng-dev fonts-wqy-zenhei xvfb xdotool unicode-data \
  opencc libopencc1.1 libvorbis-dev libpulse-dev gcin-voice pulseaudio pulseaudio-utils sox python3-numpy
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${LUMORA_CMAKE_ARGS:-}
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
(cd "$build" && ctest --output-on-failure -j"$(nproc)")

if [ -z "${LUMORA_SKIP_BUILDER_TESTS:-}" ]; then
  cmake -S "$root/tools/dbbuild" -B "$build/dbbuild" -DCMAKE_BUILD_TYPE=Release
  cmake --build "$build/dbbuild" -j"$(nproc)" --target dbbuild_tests
  opencc_dict -i /usr/share/opencc/TWPhrases.ocd2 -o "$build/dbbuild/tw_phrases.txt" -f ocd2 -t text
  (cd "$build/dbbuild" && ctest --output-on-failure -j"$(nproc)")
fi
