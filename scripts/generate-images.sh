#!/bin/sh
# Redraws every picture in controls/images/ with the project's own generator
# (qv_artgen). Needs fonts-liberation; needs no display.
#
#   scripts/generate-images.sh [build folder]     (default: build-artgen next to the checkout)
#
# Rebuild qv_controls afterwards to embed the new pictures, and refresh the
# contact sheet with scripts/contact-sheet.sh.
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/../build-artgen}

if [ ! -f "$build/build.ninja" ]; then
  cmake -G Ninja -S "$src" -B "$build" -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF >/dev/null
fi
ninja -C "$build" qv_artgen
"$build/controls/images/generator/qv_artgen" "$src/controls/images"
