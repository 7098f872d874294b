#!/usr/bin/env bash
# The main job: build the plug-in and the host tool, install the module into
# the LinuxVST folder, show what a host sees when it loads it, and take a
# picture of its editor inside the host tool's window.
#   QV_VST_DIR   where to install (default: ~/.vst)
#   QV_BUILD_DIR build tree (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
# gui: Xvfb for the editor picture when there is no display
scripts/install-deps.sh build gui
build="${QV_BUILD_DIR:-build}"
vstdir="${QV_VST_DIR:-$HOME/.vst}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target QV-DelayTX qvhost -j"$(nproc)"
mkdir -p "$vstdir"
install -m 0755 "$build/QV-DelayTX.so" "$vstdir/QV-DelayTX.so"
echo "Installed $vstdir/QV-DelayTX.so"
"$build/qvhost" info "$vstdir/QV-DelayTX.so"

# The editor as a host shows it: opened in qvhost's own window, saved once painted.
picture="$build/editor-in-host.png"
if [ -n "${DISPLAY:-}" ]; then
  "$build/qvhost" editor "$vstdir/QV-DelayTX.so" --screenshot "$picture" >/dev/null
else
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/qvhost" editor "$vstdir/QV-DelayTX.so" --screenshot "$picture" >/dev/null
fi
echo "Editor picture: $picture"

# Demo render: goes here.
