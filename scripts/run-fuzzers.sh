#!/usr/bin/env bash
# Runs the two fuzzers (state chunks through effSetChunk, and dispatcher
# scripts) against the module built with ASan + UBSan and coverage.
#   QV_FUZZ_SECONDS   seconds per fuzzer (default 60)
#   QV_FUZZ_MAX_LEN   largest input of the chunk fuzzer (default 8192; 0: as large
#                     as the largest seed, i.e. whole banks; slower, for long runs)
#   QV_ASAN_BUILD_DIR the sanitizer tree shared with scripts/run-sanitizers.sh
# A longer run, e.g. an hour each over whole banks:
#   QV_FUZZ_SECONDS=3600 QV_FUZZ_MAX_LEN=0 scripts/run-fuzzers.sh
# The working corpus grows in <tree>/fuzz-corpus/<kind>; inputs that crash or
# break a rule land in <tree>/fuzz-artifacts/<kind>/. Copy those into
# fuzz/regressions/<kind>/ (fuzz_regression_tests replays them) and fix the cause.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
build="${QV_ASAN_BUILD_DIR:-build-asan}"
seconds="${QV_FUZZ_SECONDS:-60}"
max_len="${QV_FUZZ_MAX_LEN:-8192}"

t0=$SECONDS
[ -f "$build/CMakeCache.txt" ] || QV_ASAN_BUILD_DIR="$build" scripts/run-sanitizers.sh configure-asan
cmake --build "$build" -j"$(nproc)" --target fuzz_chunk fuzz_dispatcher QV-DelayTX
echo "run-fuzzers: build $((SECONDS - t0)) s"

export ASAN_OPTIONS="detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QV_MODULE="$root/$build/QV-DelayTX.so"
[[ "$build" = /* ]] && QV_MODULE="$build/QV-DelayTX.so"

status=0
for kind in chunk dispatcher; do
    corpus="$build/fuzz-corpus/$kind"
    artifacts="$build/fuzz-artifacts/$kind"
    mkdir -p "$corpus" "$artifacts"
    options=(-max_total_time="$seconds" -artifact_prefix="$artifacts/" -print_final_stats=1)
    if [ "$kind" = chunk ]; then
        options+=(-dict=fuzz/chunk.dict)
        [ "$max_len" != 0 ] && options+=(-max_len="$max_len")
    fi
    log="$build/fuzz-$kind.log"
    t1=$SECONDS
    if "$build/fuzz/fuzz_$kind" "${options[@]}" "$corpus" fuzz/corpus/"$kind" fuzz/regressions/"$kind" >"$log" 2>&1; then
        result="no failure"
    else
        result="FAILED (see $log and $artifacts)"
        status=1
        tail -40 "$log"
    fi
    runs="$(grep -Eo '^Done [0-9]+ runs' "$log" | grep -Eo '[0-9]+' || grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$' || echo '?')"
    cov="$(grep -Eo 'cov: [0-9]+' "$log" | tail -1 || true)"
    echo "run-fuzzers: $kind: $runs executions in $((SECONDS - t1)) s, $cov, $result"
done
exit $status
