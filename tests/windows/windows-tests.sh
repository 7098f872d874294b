#!/usr/bin/env bash
# Tests of the Windows modules, one step per call (CTest runs them in order,
# see CMakeLists.txt here; each step can also be run by hand):
#   build                 cross-build both DLLs (scripts/build-windows.sh) and the test host
#   prefix                install Wine (64-bit) and make a fresh Wine prefix
#   static                export table, imports and machine type of both DLLs
#   checks                64-bit: entry, record, dispatcher, chunks, audio, unload (Wine)
#   scenario <so> <host>  64-bit: the scenario under Wine against the Linux module, byte for byte
#   editor                64-bit: editor in host windows, screenshot, frame resizing (Wine)
#   hosting               64-bit: the Win32 window rules in process, the editor resizing itself (Wine)
#   smoke32               32-bit: entry and a short dispatcher run under qemu-i386 + 32-bit Wine
# Environment: QV_WIN_TEST_DIR   work folder (prefix, transcripts, screenshots);
#              QV_UPDATE_DOCS=1  the editor step also copies its screenshot to docs/.
set -euo pipefail
export LC_ALL=C
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
work="${QV_WIN_TEST_DIR:-$root/build-win64/tests}"
mkdir -p "$work"
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
dll32="$root/build-win32/QV-DelayTX.dll"
dll64="$root/build-win64/QV-DelayTX.dll"
host64="$root/build-win64/qv-wintest.exe"
host32="$root/build-win32/qv-wintest.exe"
wine64=/usr/lib/wine/wine64

SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
install_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  $SUDO apt-get update -qq || true
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
}

# Every Wine run gets its own virtual X server, so no other test's pointer
# or windows get in the way of the editor's.
in_x() { xvfb-run -a -s "-screen 0 1280x1024x24" "$@"; }
winpath() { echo "Z:$1"; }

build_test_host() {
  local triple=$1 out=$2 flags=()
  [ "$triple" = i686-w64-mingw32 ] && flags=(-msse2 -mfpmath=sse -mstackrealign)
  "$triple-g++-posix" -std=c++17 -O2 -Wall -Wextra -ffp-contract=off "${flags[@]}" -I"$root" \
    "$here/WinTestHost.cpp" "$here/ModuleScenario.cpp" "$here/ScenarioTranscript.cpp" "$here/CheckLog.cpp" \
    -o "$out" -static -static-libgcc -static-libstdc++ -lgdi32 -luser32
}

step_build() {
  "$root/scripts/build-windows.sh"
  cmake --build "$root/build-win64" --target qv-win32-hosting-test
  build_test_host x86_64-w64-mingw32 "$host64"
  build_test_host i686-w64-mingw32 "$host32"
  ls -l "$dll32" "$dll64"
}

step_prefix() {
  install_packages wine64 wine xvfb xauth imagemagick
  rm -rf "$WINEPREFIX"
  in_x "$wine64" wineboot --init >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w 2>/dev/null || true
  [ -f "$WINEPREFIX/system.reg" ] || { echo "no Wine prefix was created in $WINEPREFIX" >&2; exit 1; }
  echo "Wine prefix ready: $WINEPREFIX"
}

# --- static checks ----------------------------------------------------------
pass=0; fail=0
check() {   # check <description> <command...>
  local what=$1; shift
  if "$@"; then echo "ok   $what"; pass=$((pass + 1)); else echo "FAIL $what"; fail=$((fail + 1)); fi
}
summary() { echo "$pass passed, $fail failed"; [ "$fail" -eq 0 ]; }

# The COFF machine field, read from the file itself.
machine_of() {
  local pe; pe=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
  od -An -t x2 -j $((pe + 4)) -N 2 "$1" | tr -d ' '
}
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|comctl32|imm32|shlwapi|version|wininet|winmm|ws2_32|wsock32|rpcrt4|dxgi|msvcrt)\.dll$'

static_checks() {
  local dll=$1 objdump=$2 machine=$3 format=$4 bits=$5
  local dump; dump=$("$objdump" -p "$dll")
  check "$bits-bit: file format $format" grep -q "file format $format" <<<"$("$objdump" -f "$dll")"
  check "$bits-bit: machine type 0x$machine" test "$(machine_of "$dll")" = "$machine"
  check "$bits-bit: it is a DLL (IMAGE_FILE_DLL)" \
    test $(( 0x$(awk '/^Characteristics/ { print $2; exit }' <<<"$dump" | sed 's/^0x//') & 0x2000 )) -ne 0
  check "$bits-bit: export table names the library QV-DelayTX.dll" \
    grep -Eq '^Name[[:space:]]+[0-9a-f]+ QV-DelayTX\.dll$' <<<"$dump"
  local names; names=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" | awk '/\[/ && !/Table/ { print $NF }' | sort | tr '\n' ' ')
  check "$bits-bit: exports exactly main and VSTPluginMain (got: $names)" test "$names" = "VSTPluginMain main "
  local rvas; rvas=$(sed -n '/Export Address Table --/,/^$/p' <<<"$dump" | awk '/Export RVA/ { print $(NF-2) }' | sort -u | wc -l)
  check "$bits-bit: both names point to the same function" test "$rvas" = 1
  local imports; imports=$(awk '/DLL Name:/ { print tolower($3) }' <<<"$dump" | sort -u)
  local foreign; foreign=$(grep -Ev "$system_dlls" <<<"$imports" || true)
  check "$bits-bit: imports only system DLLs ($(tr '\n' ' ' <<<"$imports"))" test -z "$foreign"
}

step_static() {
  static_checks "$dll32" i686-w64-mingw32-objdump 014c pei-i386 32
  static_checks "$dll64" x86_64-w64-mingw32-objdump 8664 pei-x86-64 64
  summary
}

# --- 64-bit under Wine ------------------------------------------------------
step_checks() {
  in_x "$wine64" "$host64" checks "$(winpath "$dll64")"
}

step_scenario() {
  local linux_module=$1 linux_host=$2
  rm -f "$work/scenario-windows.bin" "$work/scenario-linux.bin"
  in_x "$wine64" "$host64" scenario "$(winpath "$dll64")" "$(winpath "$work/scenario-windows.bin")"
  "$linux_host" run "$linux_module" "$work/scenario-linux.bin"
  "$linux_host" compare "$work/scenario-linux.bin" "$work/scenario-windows.bin"
}

step_editor() {
  local shot="$work/editor-windows.bmp"
  rm -f "$shot" "$shot.editor.bmp"
  in_x "$wine64" "$host64" editor "$(winpath "$dll64")" "$(winpath "$shot")"
  convert "$shot" "$work/editor-windows.png"
  # The editor's picture in the host's window must be the editor's artwork:
  # most of its pixels are the background image, drawn unscaled at (0, 0).
  local total differing
  total=$(identify -format '%[fx:w*h]' "$root/controls/images/imgBackground.png")
  differing=$(compare -metric AE -fuzz 4% "$shot.editor.bmp" "$root/controls/images/imgBackground.png" null: 2>&1 || true)
  echo "editor area: $differing of $total pixels differ from the background artwork (controls and texts drawn on it)"
  local limit=$((total * 45 / 100))
  [ "${differing%%.*}" -le "$limit" ] || { echo "FAIL the editor area does not show the editor's artwork" >&2; exit 1; }
  echo "ok   the editor area shows the editor's artwork"
  if [ "${QV_UPDATE_DOCS:-0}" = 1 ]; then
    cp "$work/editor-windows.png" "$root/docs/editor-windows.png"
    echo "updated docs/editor-windows.png"
  fi
}

step_hosting() {
  in_x "$wine64" "$root/build-win64/qv-win32-hosting-test.exe"
}

# --- 32-bit under emulation -------------------------------------------------
step_smoke32() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
    $SUDO apt-get update -qq || true
  fi
  install_packages qemu-user wine32:i386 xvfb xauth
  # This kernel runs no 32-bit code itself: the 32-bit Wine loader runs in
  # qemu-i386 and talks to the native wineserver.
  export WINEPREFIX="$work/wineprefix32" WINEARCH=win32
  export WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver
  in_x qemu-i386 /usr/lib/wine/wine "$host32" smoke "$(winpath "$dll32")"
}

step="${1:-}"; shift || true
case "$step" in
  build) step_build ;;
  prefix) step_prefix ;;
  static) step_static ;;
  checks) step_checks ;;
  scenario) step_scenario "$@" ;;
  editor) step_editor ;;
  hosting) step_hosting ;;
  smoke32) step_smoke32 ;;
  *) echo "usage: $0 build|prefix|static|checks|scenario <linux-module> <linux-host>|editor|hosting|smoke32" >&2; exit 2 ;;
esac
