#!/usr/bin/env bash
# Rebuilds the starter presets from presets/starter-set.txt with the project's own host tool:
# one .fxp per [block] of the text, then starter-set.fxb with those programs as programs 1,
# 2, ... in the order of the text and program 0 left at the module's defaults.
#
#   scripts/make-presets.sh [BUILD] [OUT]
#     BUILD  build tree holding qvhost and QV-DelayTX.so (default: $QV_BUILD_DIR or build);
#            both are built there first when missing
#     OUT    folder for the .fxp and .fxb files (default: presets)
#
# The files depend only on the text and the module, so running it again gives the same bytes.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${QV_BUILD_DIR:-$src/build}}
out=${2:-$src/presets}
settings=$src/presets/starter-set.txt

if [ ! -x "$build/qvhost" ] || [ ! -f "$build/QV-DelayTX.so" ]; then
  if [ ! -f "$build/build.ninja" ]; then
    cmake -G Ninja -S "$src" -B "$build" -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF >/dev/null
  fi
  ninja -C "$build" qvhost QV-DelayTX
fi
qvhost=$build/qvhost
module=$build/QV-DelayTX.so
mkdir -p "$out"

files=()
file="" name="" params=()
flush() {
  [ -n "$file" ] || return 0
  [ -n "$name" ] || { echo "make-presets: [$file] has no name" >&2; exit 1; }
  "$qvhost" preset save "$module" "$out/$file.fxp" --name "$name" "${params[@]}" >/dev/null
  echo "$out/$file.fxp  \"$name\""
  files+=("$out/$file.fxp")
}

lineno=0
while IFS= read -r line || [ -n "$line" ]; do
  lineno=$((lineno + 1))
  line=${line%%#*}                       # comments
  line=$(printf '%s' "$line" | sed -e 's/^[[:space:]]*//' -e 's/[[:space:]]*$//')
  [ -n "$line" ] || continue
  if [[ $line =~ ^\[([A-Za-z0-9._-]+)\][[:space:]]*(.*)$ ]]; then
    flush
    file=${BASH_REMATCH[1]} name=${BASH_REMATCH[2]} params=()
    continue
  fi
  [ -n "$file" ] || { echo "make-presets: line $lineno: settings before the first [name]" >&2; exit 1; }
  for token in $line; do
    [[ $token =~ ^[A-Za-z][A-Za-z0-9]*=[-+0-9.eE]+$ ]] ||
      { echo "make-presets: line $lineno: '$token' is not NAME=VALUE" >&2; exit 1; }
    params+=(--param "$token")
  done
done < "$settings"
flush

slots=()
for i in "${!files[@]}"; do
  slots+=(--slot "$((i + 1))=${files[$i]}")
done
"$qvhost" preset save "$module" "$out/starter-set.fxb" "${slots[@]}" >/dev/null
echo "$out/starter-set.fxb  (programs 1-${#files[@]}; program 0 at the defaults)"
