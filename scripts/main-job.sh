#!/usr/bin/env bash
# The main job: build the plug-in and the host tool, install the module into
# the LinuxVST folder, and show what a host sees when it loads it.
#   QV_VST_DIR   where to install (default: ~/.vst)
#   QV_BUILD_DIR build tree (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build
build="${QV_BUILD_DIR:-build}"
vstdir="${QV_VST_DIR:-$HOME/.vst}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target QV-DelayTX qvhost -j"$(nproc)"
mkdir -p "$vstdir"
install -m 0755 "$build/QV-DelayTX.so" "$vstdir/QV-DelayTX.so"
echo "Installed $vstdir/QV-DelayTX.so"
"$build/qvhost" info "$vstdir/QV-DelayTX.so"
