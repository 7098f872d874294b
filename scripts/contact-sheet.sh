#!/bin/sh
# Writes docs/contact-sheet.png: the face assembled from the real controls and
# every embedded picture, from the PNGs currently in controls/images/.
#
#   scripts/contact-sheet.sh [build folder]     (default: build-artgen next to the checkout)
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/../build-artgen}

if [ ! -f "$build/build.ninja" ]; then
  cmake -G Ninja -S "$src" -B "$build" -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF >/dev/null
fi
ninja -C "$build" qv_contactsheet
"$build/controls/images/generator/qv_contactsheet" "$src/docs/contact-sheet.png"
