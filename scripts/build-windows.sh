#!/usr/bin/env bash
# Cross-builds the Windows modules on this Linux machine:
#   build-win32/QV-DelayTX.dll (32-bit) and build-win64/QV-DelayTX.dll (64-bit).
# Installs the MinGW-w64 toolchains from Debian, builds libpng and libjpeg
# from Debian's own source packages as static cross libraries (JUCE here is
# built against the system's image libraries; MinGW has only zlib packaged),
# then configures and builds the module for each architecture.
#   QV_WIN_ARCHS   which to build, "32 64" by default
#   QV_WIN_DEPS    folder for the cross-built libraries (default: build-win-deps)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
archs=(${QV_WIN_ARCHS:-32 64})
deps="${QV_WIN_DEPS:-$root/build-win-deps}"
mkdir -p "$deps"
deps="$(cd "$deps" && pwd)"

# Paths below the checkout are hashed relative to it, so a fresh clone in
# another folder on the same machine reuses the compiled objects.
# The locale is part of ccache's hash too: one fixed locale for every caller.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}" LC_ALL=C

SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

# --- packages ---------------------------------------------------------------
scripts/install-deps.sh build
want=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686
  binutils-mingw-w64-x86-64 libz-mingw-w64-dev dpkg-dev)
missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -qq || true
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# --- Debian source packages of libpng and libjpeg-turbo ---------------------
# Fetched with a private apt state whose deb-src lines are derived from the
# machine's own Debian sources, so the system's apt set-up stays as it is.
src="$deps/src"
fetch_sources() {
  local apt="$deps/apt"
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/parts.d" "$src"
  {
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
      [ -f "$f" ] && awk '$1 == "deb" { $1 = "deb-src"; print }' "$f"
    done
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] && awk '
        function flush(  n, m, i, j, s, u) {
          if (types ~ /(^|[ \t])deb([ \t]|$)/ && uris != "" && enabled !~ /^[Nn]o/) {
            n = split(uris, u, " "); m = split(suites, s, " ")
            for (i = 1; i <= n; i++) for (j = 1; j <= m; j++)
              printf "deb-src %s%s %s %s\n", (signed != "" ? "[signed-by=" signed "] " : ""), u[i], s[j], comps
          }
          types = uris = suites = comps = signed = enabled = ""
        }
        /^[ \t]*#/ { next }
        /^[ \t]*$/ { flush(); next }
        { key = $1; sub(/:$/, "", key); $1 = ""; sub(/^[ \t]+/, "")
          if (key == "Types") types = $0; else if (key == "URIs") uris = $0
          else if (key == "Suites") suites = $0; else if (key == "Components") comps = $0
          else if (key == "Signed-By") signed = $0; else if (key == "Enabled") enabled = $0 }
        END { flush() }' "$f"
    done
  } | grep -E 'debian' > "$apt/deb-src.list" || true
  [ -s "$apt/deb-src.list" ] || { echo "build-windows: no Debian apt source found to derive deb-src lines from" >&2; exit 1; }
  local opts=(-o "Dir::Etc::SourceList=$apt/deb-src.list" -o "Dir::Etc::SourceParts=$apt/parts.d"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "APT::Sandbox::User=root")
  apt-get "${opts[@]}" update -qq
  local pkg v
  for pkg in libpng1.6 libjpeg-turbo; do
    # The newest version first; a mirror may lack the newest files of a
    # security update, so older versions of the same release are tried next.
    local ok=0
    for v in $(apt-cache "${opts[@]}" showsrc "$pkg" | awk '/^Version:/ { print $2 }' | sort -u | sort_versions); do
      if (cd "$src" && apt-get "${opts[@]}" source -qq "$pkg=$v" >/dev/null 2>&1); then ok=1; break; fi
    done
    [ $ok = 1 ] || { echo "build-windows: could not fetch the source of $pkg" >&2; exit 1; }
  done
}
sort_versions() {
  # Newest first, in Debian's version order.
  local list=() v
  while read -r v; do list+=("$v"); done
  local n=${#list[@]} i j t
  for ((i = 0; i < n; i++)); do
    for ((j = i + 1; j < n; j++)); do
      if dpkg --compare-versions "${list[j]}" gt "${list[i]}"; then t=${list[i]}; list[i]=${list[j]}; list[j]=$t; fi
    done
  done
  [ $n -gt 0 ] && printf '%s\n' "${list[@]}"
}
pngsrc() { find "$src" -maxdepth 1 -type d -name 'libpng1.6-*' | head -n1; }
jpegsrc() { find "$src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1; }
if [ -z "$(pngsrc)" ] || [ -z "$(jpegsrc)" ]; then
  rm -rf "$src"
  fetch_sources
fi

# --- static cross libraries -------------------------------------------------
build_libs() {
  local triple=$1 toolchain=$2
  local prefix="$deps/$triple"
  [ -f "$prefix/.done" ] && return 0
  rm -rf "$prefix" && mkdir -p "$prefix/include" "$prefix/lib"
  local cc="$triple-gcc-posix" cflags="-O2" launcher=()
  command -v ccache >/dev/null && launcher=(ccache)
  [ "$triple" = i686-w64-mingw32 ] && cflags="$cflags -msse2 -mfpmath=sse -mstackrealign"

  # libpng: the prebuilt configuration header and the library sources.
  local png; png="$(pngsrc)"
  local obj="$deps/obj-png-$triple"
  rm -rf "$obj" && mkdir -p "$obj"
  cp "$png/scripts/pnglibconf.h.prebuilt" "$obj/pnglibconf.h"
  local f
  for f in png pngerror pngget pngmem pngpread pngread pngrio pngrtran pngrutil pngset pngtrans \
           pngwio pngwrite pngwtran pngwutil; do
    "${launcher[@]}" "$cc" $cflags -DPNG_ARM_NEON_OPT=0 -DPNG_INTEL_SSE_OPT=0 -I"$obj" -I"$png" -c "$png/$f.c" -o "$obj/$f.o"
  done
  "$triple-ar" rcs "$prefix/lib/libpng16.a" "$obj"/*.o
  cp "$png/png.h" "$png/pngconf.h" "$obj/pnglibconf.h" "$prefix/include/"

  # libjpeg-turbo: its own CMake build, no SIMD (JUCE's decoder speed is no concern here).
  local jpeg; jpeg="$(jpegsrc)"
  cmake -S "$jpeg" -B "$deps/obj-jpeg-$triple" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS="$cflags" -DCMAKE_INSTALL_PREFIX="$prefix" \
    ${launcher:+-DCMAKE_C_COMPILER_LAUNCHER=ccache} \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
    -DCMAKE_INSTALL_LIBDIR=lib -DCMAKE_INSTALL_INCLUDEDIR=include >/dev/null
  cmake --build "$deps/obj-jpeg-$triple" --target jpeg-static >/dev/null
  cp "$deps/obj-jpeg-$triple/libjpeg.a" "$prefix/lib/"
  cp "$jpeg/jpeglib.h" "$jpeg/jmorecfg.h" "$jpeg/jerror.h" "$jpeg/jpegint.h" "$deps/obj-jpeg-$triple/jconfig.h" \
     "$prefix/include/"
  # JUCE's loader needs the type "boolean" from jmorecfg.h; the guard that
  # leaves it to <rpcndr.h> would hide it whenever windows.h came first.
  sed -i '/#ifndef __RPCNDR_H__/,/#endif/{/#ifndef __RPCNDR_H__/d;/#endif/d}' "$prefix/include/jconfig.h"
  touch "$prefix/.done"
}

# --- the modules ------------------------------------------------------------
for a in "${archs[@]}"; do
  case "$a" in
    32) triple=i686-w64-mingw32; toolchain="$root/cmake/mingw-i686.cmake" ;;
    64) triple=x86_64-w64-mingw32; toolchain="$root/cmake/mingw-x86_64.cmake" ;;
    *) echo "build-windows: unknown architecture '$a' (32 or 64)" >&2; exit 2 ;;
  esac
  build_libs "$triple" "$toolchain"
  build="$root/build-win$a"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF -DQV_WIN_DEPS_DIR="$deps/$triple" >/dev/null
  cmake --build "$build" --target QV-DelayTX -j"$(nproc)"
  "$triple-strip" --strip-unneeded "$build/QV-DelayTX.dll"
  echo "Built $build/QV-DelayTX.dll ($(stat -c %s "$build/QV-DelayTX.dll") bytes)"
done
