#!/bin/bash
# Builds Lumora and starts the trainer on the bundled database, from build/run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# libvorbis-dev and libpulse-dev build the sound helper; gcin-voice holds the recorded readings.
bash "$root/tools/install_deps.sh" libvorbis-dev libpulse-dev gcin-voice
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" -j"$(nproc)"
cd "$root/build/run"
exec ./lumora
