#!/usr/bin/env bash
# Makes the pictures of docs/guide.md (docs/guide-*.png) with the project's own tools:
#  - the editor as qvhost shows it, set up like two of the starter presets, and labelled,
#    enlarged crops of its sections (scripts/label-picture.py, ImageMagick);
#  - waveform plots of real renders through the module (qvhost render of a plucked note made
#    by scripts/guide-signal.py, plotted with gnuplot): ping-pong, and tempo sync at three tempi.
#
#   scripts/make-guide-pictures.sh [BUILD]
#     BUILD  build tree holding qvhost and QV-DelayTX.so (default: $QV_BUILD_DIR or build);
#            both are built there first when missing
#
# Needs the 'docs' packages (scripts/install-deps.sh docs); the editor pictures need an X
# display and use xvfb-run when DISPLAY is not set.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${QV_BUILD_DIR:-$src/build}}
docs=$src/docs
"$src/scripts/install-deps.sh" docs

if [ ! -x "$build/qvhost" ] || [ ! -f "$build/QV-DelayTX.so" ]; then
  if [ ! -f "$build/build.ninja" ]; then
    cmake -G Ninja -S "$src" -B "$build" -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF >/dev/null
  fi
  ninja -C "$build" qvhost QV-DelayTX
fi
qvhost=$build/qvhost
module=$build/QV-DelayTX.so
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The --param options of one block of presets/starter-set.txt.
params_of() {
  awk -v block="[$1]" '
    $1 == block { inside = 1; next }
    /^\[/       { inside = 0 }
    inside      { sub(/#.*/, ""); for (i = 1; i <= NF; i++) printf "--param\n%s\n", $i }
  ' "$src/presets/starter-set.txt"
}

# The editor in qvhost's window, set up with the given parameters, saved once painted.
screenshot() {
  local out=$1 preset=$2 args
  mapfile -t args < <(params_of "$preset")
  [ ${#args[@]} -gt 0 ] || { echo "make-guide-pictures: no settings for $preset" >&2; exit 1; }
  if [ -n "${DISPLAY:-}" ]; then
    "$qvhost" editor "$module" --screenshot "$out" "${args[@]}" >/dev/null
  else
    xvfb-run -a -s "-screen 0 1280x1024x24" "$qvhost" editor "$module" --screenshot "$out" "${args[@]}" >/dev/null
  fi
}

label() { python3 "$src/scripts/label-picture.py" "$@"; echo "$2"; }
calc() { awk "BEGIN { printf \"%.6f\", $1 }"; }

# ---- The editor and its sections --------------------------------------------------------
# Free times in stereo mode (every knob of both lines in view), and synced dotted eighths in
# ping-pong mode (the right line linked to the left one).
screenshot "$work/free.png" 07-ambient-wash
screenshot "$work/pingpong.png" 02-dotted-eighth-ping-pong
convert "$work/free.png" -strip -define png:exclude-chunks=date,time "$docs/guide-editor.png"
echo "$docs/guide-editor.png"

# Points are the controls' places in the 525 x 312 editor.
label "$work/pingpong.png" "$docs/guide-left-column.png" 0 8 88 300 \
  "80,36,r,Host tempo" "80,56,r,Host time signature" "80,78,r,Delay mode: left line - right line" \
  "80,104,r,Mode indicator: S / L / P" "71,140,r,Power" \
  "20,173,l,Input: left only" "46,178,l,Input: stereo (ST)" "78,173,r,Input: right only" \
  "21,212,l,Stereo mode" "21,224,l,Link mode" "21,236,l,Ping-pong mode" \
  "88,285,r,Logo: click for the about panel"

label "$work/pingpong.png" "$docs/guide-delay-feedback.png" 86 12 122 250 \
  "93,55,l,Delay time: left line" "93,90,l,Delay time: right line" \
  "93,152,l,SYNC: note values at host tempo" "101,173,l,Left delay" "98,194,l,Left delay value" \
  "101,230,l,Right delay (linked here)" \
  "206,46,r,Feedback: left line" "206,105,r,Feedback: right line" \
  "125,151,r,T: triplet" "137,151,r,Dot: dotted" "193,173,r,Left feedback" "195,194,r,Left feedback value" \
  "193,230,r,Right feedback (linked here)"

label "$work/free.png" "$docs/guide-pan.png" 201 12 71 250 \
  "201,42,l,Pan: left line" "201,102,l,Pan: right line" "221,173,l,Left pan" "221,230,l,Right pan" \
  "255,194,r,Share sent to the other side" "255,251,r,Right line's share"

label "$work/free.png" "$docs/guide-filter.png" 270 12 116 250 \
  "274,47,l,Filter curve: left line" "274,98,l,Filter curve: right line" \
  "273,152,l,ON: left filter" "281,173,l,Left frequency" "273,209,l,ON: right filter" "281,230,l,Right frequency" \
  "317,152,r,LP: low-pass" "332,152,r,HP: high-pass" "373,173,r,Left resonance" \
  "373,230,r,Right resonance" "317,209,r,LP / HP: right line"

label "$work/free.png" "$docs/guide-mix-output.png" 384 12 130 250 \
  "387,47,l,Dry / wet: left line" "387,98,l,Dry / wet: right line" "401,173,l,Left dry / wet" \
  "401,230,l,Right dry / wet" "398,194,l,Wet share in %" \
  "509,46,r,Output level: left" "509,98,r,Output level: right" "493,173,r,Left output" \
  "493,230,r,Right output" "495,194,r,Level in dB"

# ---- Renders and plots ------------------------------------------------------------------
signal=$src/scripts/guide-signal.py
python3 "$signal" pluck "$work/pluck.wav"
note=0.1    # where the note starts in pluck.wav

# Ping-pong: the Dotted-8th Ping-Pong preset at 120 BPM.
"$qvhost" render "$module" "$work/pluck.wav" "$work/pingpong.wav" --tempo 120 \
  --preset "$src/presets/02-dotted-eighth-ping-pong.fxp" >/dev/null
python3 "$signal" columns "$work/pingpong.wav" "$work/pingpong.dat" "$(calc "$note - 0.05")" 2.45 1200
gnuplot <<EOF
set terminal pngcairo size 960,520 font "Liberation Sans,11"
set output "$docs/guide-pingpong.png"
set multiplot layout 2,1 title "Dotted-8th Ping-Pong at 120 BPM: the delay T is a dotted eighth, 0.375 s" font "Liberation Sans,13"
set xrange [0:2.45]
set yrange [-0.9:0.9]
set ytics 0.5
unset key
set grid xtics lc rgb "#c0c0c0" lw 1 dt 2
set xtics ("note" 0.05, "T" 0.425, "1.5T" 0.6125, "2T" 0.8, "2.5T" 0.9875, "3T" 1.175, "3.5T" 1.3625, "4T" 1.55, "4.5T" 1.7375, "5T" 1.925, "5.5T" 2.1125, "6T" 2.3)
set lmargin 12
set ylabel "left output"
plot "$work/pingpong.dat" using 1:2:3 with filledcurves fc rgb "#e0661c"
set ylabel "right output"
set xlabel "time after the note: the right line repeats at T, 2T, 3T ..., the left line half a repeat later"
plot "$work/pingpong.dat" using 1:4:5 with filledcurves fc rgb "#2a6fb8"
unset multiplot
EOF
echo "$docs/guide-pingpong.png"

# Tempo sync: the Quarter-Note Echo preset at three tempi, on a time axis in beats.
plots=()
for bpm in 90 120 150; do
  "$qvhost" render "$module" "$work/pluck.wav" "$work/sync-$bpm.wav" --tempo "$bpm" \
    --preset "$src/presets/06-quarter-note-echo.fxp" >/dev/null
  seconds=$(calc "4.3 * 60 / $bpm")
  python3 "$signal" columns "$work/sync-$bpm.wav" "$work/sync-$bpm.dat" "$(calc "$note - 0.05 * 60 / $bpm")" \
    "$seconds" 900 "$bpm"
  beat=$(awk "BEGIN { printf \"%.3g\", 60 / $bpm }")
  plots+=("set ylabel \"$bpm BPM\"; set label 1 \"a beat = $beat s\" at graph 0.98, graph 0.85 right; plot \"$work/sync-$bpm.dat\" using 1:2:3 with filledcurves fc rgb \"#e0661c\"")
done
gnuplot <<EOF
set terminal pngcairo size 960,600 font "Liberation Sans,11"
set output "$docs/guide-tempo-sync.png"
set multiplot layout 3,1 title "Quarter-Note Echo at three host tempi: the repeats stay on the beat" font "Liberation Sans,13"
set xrange [0:4.3]
set yrange [-0.9:0.9]
set ytics 0.5
unset key
set grid xtics lc rgb "#c0c0c0" lw 1 dt 2
set xtics ("note" 0.05, "1 beat" 1.05, "2 beats" 2.05, "3 beats" 3.05, "4 beats" 4.05)
set lmargin 12
${plots[0]}
${plots[1]}
set xlabel "time after the note, in beats of the host tempo (left output)"
${plots[2]}
unset multiplot
EOF
echo "$docs/guide-tempo-sync.png"
