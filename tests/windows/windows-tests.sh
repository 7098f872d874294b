#!/usr/bin/env bash
# Tests of the Windows modules, one step per call (CTest runs them in order,
# see CMakeLists.txt here; each step can also be run by hand from any folder):
#   build                  cross-build both DLLs (scripts/build-windows.sh) and the test programs
#   static                 export table, imports and machine type of both DLLs
#   prefix                 install Wine (64-bit) and make a fresh Wine prefix
#   checks                 64-bit: entry, record, dispatcher, chunks, audio, unload
#   scenario <so> <host>   64-bit: the scenario against the Linux module, byte for byte
#   editor                 64-bit: editor in host windows, screenshot, frame resizing
#   hosting                64-bit: the Win32 window rules in process, the editor resizing itself
#   prefix32               install 32-bit Wine and qemu-user, make a 32-bit prefix
#   checks32               32-bit: as checks, under qemu-i386
#   scenario32 <so> <host> 32-bit: as scenario, under qemu-i386
# Environment: QV_WIN_TEST_DIR   work folder (prefixes, transcripts, screenshots);
#              QV_UPDATE_DOCS=1  the editor step also copies its screenshot to docs/.
set -euo pipefail
export LC_ALL=C
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
work="${QV_WIN_TEST_DIR:-$root/build-win64/tests}"
mkdir -p "$work"
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all WINEARCH=win64
# No Mono, Gecko, desktop menu entries or crash debugger in the test prefixes.
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d,winedbg.exe=d"
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

# Wine's helper processes (services, explorer, device drivers) outlive the
# program and would keep this step's output open: a step ends them all.
end_wine_on_exit() {   # end_wine_on_exit <prefix>
  trap "WINEPREFIX='$1' /usr/lib/wine/wineserver64 -k 2>/dev/null || true" EXIT
}
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
  end_wine_on_exit "$WINEPREFIX"
  in_x "$wine64" wineboot --init >/dev/null 2>&1 || true
  timeout 120 /usr/lib/wine/wineserver64 -w 2>/dev/null || true
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
  end_wine_on_exit "$WINEPREFIX"
  in_x "$wine64" "$host64" checks "$(winpath "$dll64")"
}

# The same scenario through the Linux module and a Windows one; the
# transcripts (texts, chunks, audio samples) must be identical.
compare_scenario() {   # compare_scenario <linux module> <linux host> <bits> <wine command...>
  local linux_module=$1 linux_host=$2 bits=$3; shift 3
  local win="$work/scenario-windows$bits.bin" lin="$work/scenario-linux.bin"
  rm -f "$win" "$lin"
  "$@" scenario "$(winpath "$([ "$bits" = 32 ] && echo "$dll32" || echo "$dll64")")" "$(winpath "$win")"
  "$linux_host" run "$linux_module" "$lin"
  "$linux_host" compare "$lin" "$win"
}

step_scenario() {
  end_wine_on_exit "$WINEPREFIX"
  compare_scenario "$1" "$2" 64 in_x "$wine64" "$host64"
}

step_editor() {
  end_wine_on_exit "$WINEPREFIX"
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
  end_wine_on_exit "$WINEPREFIX"
  in_x "$wine64" "$root/build-win64/qv-win32-hosting-test.exe"
}

# --- 32-bit under emulation -------------------------------------------------
# This machine's kernel runs no 32-bit code, so Debian's 32-bit Wine loader
# runs in qemu-i386, talking to the native 64-bit wineserver. Wine starts
# every further process by executing "wine-preloader" next to its loader, and
# finds its data relative to the loader's folder: so the loader gets a folder
# of its own, laid out like Debian's, whose wine-preloader is a script that
# starts the real one under qemu-i386.
qemu_wine="$work/wine32-qemu"
wine32() {
  WINEPREFIX="$work/wineprefix32" WINEARCH=win32 WINELOADERNOEXEC=1 \
    in_x "$qemu_wine/lib/wine/wine-preloader" "$qemu_wine/lib/wine/wine" "$@"
}

step_prefix32() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
    $SUDO apt-get update -qq || true
  fi
  install_packages qemu-user wine32:i386 wine32-preloader:i386 xvfb xauth
  rm -rf "$qemu_wine" "$work/wineprefix32"
  end_wine_on_exit "$work/wineprefix32"
  mkdir -p "$qemu_wine/lib/wine" "$qemu_wine/lib/i386-linux-gnu" "$qemu_wine/share"
  ln -s /usr/lib/i386-linux-gnu/wine "$qemu_wine/lib/i386-linux-gnu/wine"
  ln -s /usr/share/wine "$qemu_wine/share/wine"
  ln -s /usr/lib/wine/wineserver64 "$qemu_wine/lib/wine/wineserver"
  cp /usr/lib/wine/wine "$qemu_wine/lib/wine/wine"
  cp /usr/lib/wine/wine-preloader "$qemu_wine/lib/wine/wine-preloader.elf"
  printf '#!/bin/sh\nexec qemu-i386 "$(dirname "$0")/wine-preloader.elf" "$@"\n' > "$qemu_wine/lib/wine/wine-preloader"
  chmod +x "$qemu_wine/lib/wine/wine-preloader"
  wine32 wineboot --init >/dev/null 2>&1 || true
  WINEPREFIX="$work/wineprefix32" timeout 120 /usr/lib/wine/wineserver64 -w 2>/dev/null || true
  [ -f "$work/wineprefix32/system.reg" ] || { echo "no 32-bit Wine prefix was created" >&2; exit 1; }
  echo "32-bit Wine prefix ready: $work/wineprefix32"
}

step_checks32() {
  end_wine_on_exit "$work/wineprefix32"
  wine32 "$host32" checks "$(winpath "$dll32")"
}

step_scenario32() {
  end_wine_on_exit "$work/wineprefix32"
  compare_scenario "$1" "$2" 32 wine32 "$host32"
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
  prefix32) step_prefix32 ;;
  checks32) step_checks32 ;;
  scenario32) step_scenario32 "$@" ;;
  *) echo "usage: $0 build|static|prefix|checks|scenario <so> <host>|editor|hosting|prefix32|checks32|scenario32 <so> <host>" >&2
     exit 2 ;;
esac
