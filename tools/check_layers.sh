#!/bin/bash
# Checks that no folder includes a header of a layer above it: data at the bottom, the engine on
# data, the display on data and the engine's drawing declarations, the shell on everything.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
status=0

check() {
    local folder="$1" allowed="$2"
    local line
    while IFS= read -r line; do
        echo "layering: $line" >&2
        status=1
    done < <(grep -Hn '#include "' "$root/$folder"/*.h "$root/$folder"/*.cpp |
             grep -Ev "#include \"($allowed)" | sed "s#^$root/##")
}

check data 'data/'
check engine 'data/|engine/'
check display 'data/|display/|engine/drawing\.h'
exit $status
