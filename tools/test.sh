#!/bin/bash
# Builds Lumora with its tests and runs the whole suite headless.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${LUMORA_BUILD_DIR:-$root/build}"
bash "$root/tools/install_deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${LUMORA_CMAKE_ARGS:-}
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j"$(nproc)"
