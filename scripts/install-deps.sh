#!/usr/bin/env bash
# Installs the Debian packages a build or test run needs, skipping what is present.
# Usage: scripts/install-deps.sh [build|test|gui|ardour|docs|hardening|all]...
set -euo pipefail
build_pkgs=(g++ cmake ninja-build pkg-config ccache libx11-dev libxext-dev libxrandr-dev
  libxinerama-dev libxcursor-dev libfreetype-dev libpng-dev libjpeg-dev zlib1g-dev
  fonts-liberation juce-modules-source-data libsndfile1-dev)
test_pkgs=(libgtest-dev libgmock-dev libbenchmark-dev)
gui_pkgs=(xvfb xauth x11-apps xdotool imagemagick x11-utils libxres-dev)
ardour_pkgs=(ardour zam-plugins lsp-plugins-vst)
# docs: the guide's pictures (plots of renders, labelled editor crops)
docs_pkgs=(gnuplot-nox imagemagick fonts-liberation python3 xvfb xauth)
# hardening: clang with its sanitizer and libFuzzer runtimes (TSan runs with GCC's)
hardening_pkgs=(clang-14 libclang-rt-14-dev)
want=()
[ $# -eq 0 ] && set -- build
for group in "$@"; do
  case "$group" in
    build) want+=("${build_pkgs[@]}") ;;
    test) want+=("${build_pkgs[@]}" "${test_pkgs[@]}" "${gui_pkgs[@]}") ;;
    gui) want+=("${gui_pkgs[@]}") ;;
    ardour) want+=("${ardour_pkgs[@]}") ;;
    docs) want+=("${docs_pkgs[@]}") ;;
    hardening) want+=("${hardening_pkgs[@]}") ;;
    all) want+=("${build_pkgs[@]}" "${test_pkgs[@]}" "${gui_pkgs[@]}" "${ardour_pkgs[@]}" "${docs_pkgs[@]}"
      "${hardening_pkgs[@]}") ;;
    *) echo "install-deps: unknown group '$group'" >&2; exit 2 ;;
  esac
done
missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq || true
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
