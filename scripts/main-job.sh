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

# Demo render: the plucks in demo/ (made by scripts/make-demo-signal.py)
# through a dotted-eighth ping-pong at 120 BPM, with a tail for the echoes.
demo="$build/demo-pingpong.wav"
"$build/qvhost" render "$vstdir/QV-DelayTX.so" demo/plucks.wav "$demo" \
  --tempo 120 --playing --tail 3 \
  --param fDelaySyncButton=1 --param fDelayDotButton=1 \
  --param fDelayLeft=0.5 --param fDelayRight=0.5 \
  --param fFeedbackLeft=0.45 --param fFeedbackRight=0.45 \
  --param fPingPongModeButton=1 --param fStereoModeButton=0 \
  --param fFilterFreqLeft=0.2 --param fFilterFreqRight=0.2 \
  --param fMixLeft=0.4 --param fMixRight=0.4
echo "Demo render (dotted-eighth ping-pong at 120 BPM): $demo"
