#!/usr/bin/env bash
# Builds the project with sanitizers and runs tests there.
#   scripts/run-sanitizers.sh [asan|tsan|configure-asan]...   (default: asan tsan)
#     asan           the whole test suite under AddressSanitizer + UndefinedBehaviorSanitizer
#                    (tree QV_ASAN_BUILD_DIR, default build-asan; the Ardour test is left
#                    out: Ardour cannot load a module built with a sanitizer runtime)
#     tsan           the concurrency tests under ThreadSanitizer (GCC's)
#                    (tree QV_TSAN_BUILD_DIR, default build-tsan; only what they need)
#     configure-asan only configures the ASan tree (scripts/run-fuzzers.sh builds in it)
# The ASan tree is also compiled for libFuzzer coverage, so the fuzzers share it.
# Every run prints how long its build and its tests took.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

asan_dir="${QV_ASAN_BUILD_DIR:-build-asan}"
tsan_dir="${QV_TSAN_BUILD_DIR:-build-tsan}"

find_clang()
{
    scripts/install-deps.sh test hardening >&2
    CXX_BIN="$(command -v clang++-14)"
    CC_BIN="$(command -v clang-14)"
}

# configure <dir> <sanitizers> <extra compile flags> [cmake args...]
configure()
{
    local dir="$1" sanitizers="$2" cflags="$3"
    shift 3
    find_clang
    # The sanitizer runtime is linked as a shared library everywhere, so the
    # module (loaded with dlopen by the tests and by qvhost) and the programs
    # that load it share one runtime.
    local runtime_dir
    runtime_dir="$(dirname "$("$CXX_BIN" -print-file-name=libclang_rt.asan-x86_64.so)")"
    local lflags="-shared-libsan -Wl,-rpath,$runtime_dir"
    CC="$CC_BIN" CXX="$CXX_BIN" cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DQV_SANITIZE="$sanitizers" -DQV_BUILD_TESTS=ON -DQV_BUILD_BENCH=OFF \
        "-DCMAKE_C_FLAGS=-gline-tables-only $cflags" "-DCMAKE_CXX_FLAGS=-gline-tables-only $cflags" \
        "-DCMAKE_EXE_LINKER_FLAGS=$lflags" "-DCMAKE_MODULE_LINKER_FLAGS=$lflags" \
        "-DCMAKE_SHARED_LINKER_FLAGS=$lflags" "$@" >/dev/null
}

configure_asan()
{
    # Every test folder except those whose tests this run leaves out anyway
    # (Ardour, the Windows builds), so their parts are not built here.
    local dirs=() d
    for d in tests/*/; do
        d="$(basename "$d")"
        [ -f "tests/$d/CMakeLists.txt" ] && [ "$d" != ardour ] && [ "$d" != windows ] && dirs+=("$d")
    done
    local list
    list="$(IFS=';'; echo "${dirs[*]}")"
    configure "$asan_dir" address,undefined "-fsanitize=fuzzer-no-link" "-DQV_TEST_DIRS=$list"
}

run_asan()
{
    local t0=$SECONDS
    configure_asan
    cmake --build "$asan_dir" -j"$(nproc)"
    local t1=$SECONDS
    local options="check_initialization_order=1:strict_init_order=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
    export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    # Left out here: Ardour (it cannot load a module built with a sanitizer
    # runtime) and the Windows builds (not sanitized; CI runs them anyway).
    # Tests that load Debian's third-party modules, or probe modules that hand
    # out records a host must refuse and cannot free, run without leak
    # detection: those modules leak and are unloaded before the report, so
    # their leaks cannot even be told apart. Resident-memory figures mean
    # nothing under ASan (freed memory waits in its quarantine).
    local foreign='Debians|ThirdParty|RealModules\.(Lsp|Zam)|EntriesThatGiveNoUsableEffect|QvhostFailures\.OneLine'
    local measuring='OpenCloseCyclesKeepMemoryAndXResources'
    local status=0
    cd "$asan_dir"
    # GUI tests share one display and its pointer: one at a time, after the rest.
    ASAN_OPTIONS="detect_leaks=1:$options" ctest --output-on-failure -j2 --timeout 1200 \
        -LE 'ardour|windows|gui' -E "$foreign|$measuring" || status=1
    ASAN_OPTIONS="detect_leaks=1:$options" xvfb-run -a -s "-screen 0 1280x1024x24" \
        ctest --output-on-failure --timeout 1200 -L gui -LE 'ardour|windows' -E "$foreign|$measuring" || status=1
    ASAN_OPTIONS="detect_leaks=0:$options" xvfb-run -a -s "-screen 0 1280x1024x24" \
        ctest --output-on-failure -j2 --timeout 1200 -LE 'ardour|windows' -R "$foreign" -E "$measuring" || status=1
    cd "$root"
    echo "run-sanitizers: ASan+UBSan build $((t1 - t0)) s, tests $((SECONDS - t1)) s"
    return $status
}

run_tsan()
{
    local t0=$SECONDS
    scripts/install-deps.sh test >&2
    # GCC here: clang 14's shared ThreadSanitizer runtime crashes on start on
    # this kernel, and the module needs a shared runtime to load into the tests.
    CC=gcc CXX=g++ cmake -S . -B "$tsan_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DQV_SANITIZE=thread -DQV_BUILD_TESTS=ON -DQV_BUILD_BENCH=OFF -DQV_TEST_DIRS=concurrency \
        -DCMAKE_C_FLAGS=-g1 -DCMAKE_CXX_FLAGS=-g1 >/dev/null
    cmake --build "$tsan_dir" -j"$(nproc)" --target concurrency_tests concurrency_gui_tests
    local t1=$SECONDS
    export TSAN_OPTIONS="suppressions=$root/tests/tsan.supp:halt_on_error=1:second_deadlock_stack=1"
    # Longer than the tests' default: under TSan each step is many times slower.
    export QV_CONCURRENCY_SECONDS="${QV_CONCURRENCY_SECONDS:-10}"
    local status=0
    (cd "$tsan_dir" && xvfb-run -a -s "-screen 0 1280x1024x24" \
        ctest --output-on-failure --timeout 1200 -L concurrency) || status=1
    echo "run-sanitizers: TSan build $((t1 - t0)) s, tests $((SECONDS - t1)) s"
    return $status
}

[ $# -eq 0 ] && set -- asan tsan
for what in "$@"; do
    case "$what" in
        asan) run_asan ;;
        tsan) run_tsan ;;
        configure-asan) configure_asan ;;
        *) echo "run-sanitizers: unknown step '$what'" >&2; exit 2 ;;
    esac
done
