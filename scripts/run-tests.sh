#!/usr/bin/env bash
# All tests: builds everything with tests and benchmarks in the build tree,
# then runs the whole suite (GUI tests under a virtual X server, the Ardour
# integration test included), then the hardening runs below.
#   QV_BUILD_DIR   build tree (default: build)
#   QV_SKIP_ARDOUR=1  leave out the Ardour test (it needs ardour installed)
#   QV_HARDENING=0  leave out the fuzzers and the sanitizer builds
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
groups=(test)
[ "${QV_SKIP_ARDOUR:-0}" = 1 ] || groups+=(ardour)
[ "${QV_HARDENING:-1}" = 1 ] && groups+=(hardening)
scripts/install-deps.sh "${groups[@]}"
build="${QV_BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQV_BUILD_TESTS=ON -DQV_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
exclude=()
[ "${QV_SKIP_ARDOUR:-0}" = 1 ] && exclude=(-LE ardour)
cd "$build"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j2 --timeout 600 "${exclude[@]}"

# Hardening, in trees of their own (build-asan, build-tsan): the whole suite
# under ASan + UBSan, both fuzzers for a minute each in that tree, and the
# concurrency tests under TSan. From a fresh clone on a 2-core machine, with
# nothing cached, they add about 14 minutes (ASan build 6.5 min, its tests 2,
# fuzzers 2, TSan build 3, its tests 1).
# All three run even when one fails, so one CI run shows every finding.
if [ "${QV_HARDENING:-1}" = 1 ]; then
  cd "$root"
  failed=()
  scripts/run-sanitizers.sh asan || failed+=(asan)
  scripts/run-fuzzers.sh || failed+=(fuzzers)
  scripts/run-sanitizers.sh tsan || failed+=(tsan)
  if [ ${#failed[@]} -gt 0 ]; then
    echo "run-tests: hardening failed: ${failed[*]}" >&2
    exit 1
  fi
fi
