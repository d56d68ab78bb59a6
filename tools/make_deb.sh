#!/bin/bash
# Builds the Debian package lumora_<version>_amd64.deb (installed under /usr) into build-deb/ and
# prints its name. Install it with: apt-get install ./build-deb/lumora_*.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${LUMORA_DEB_BUILD_DIR:-$root/build-deb}"
# dpkg-dev brings dpkg-shlibdeps, which finds the libraries the program links.
bash "$root/tools/install_deps.sh" dpkg-dev libvorbis-dev libpulse-dev
# Only the program and its staged files go into the package; the tests and tools are not built.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
cmake --build "$build" -j"$(nproc)" --target lumora lumora-voice stage
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/lumora_*.deb
