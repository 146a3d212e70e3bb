#!/usr/bin/env bash
# Builds and tests everything: the tests with g++, again with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, then every fuzzer for FUZZ_SECONDS (default 60) each, KLU_JOBS
# (default 2) at a time.
set -euo pipefail

# shellcheck source=scripts/setup.sh
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$KLU_ROOT"

FUZZ_SECONDS="${FUZZ_SECONDS:-60}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

started=$SECONDS
elapsed() { echo "$((SECONDS - started)) s"; }
tests_passed=0
tests_failed=0

# run_ctest DIR: runs the tests of one build and adds its counts to the totals.
run_ctest() {
    local log status=0
    log="$(mktemp)"
    ctest --test-dir "$1" --output-on-failure -j "$KLU_JOBS" 2>&1 | tee "$log" || status=$?
    # "100% tests passed, 0 tests failed out of 57"
    local summary
    summary="$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)"
    rm -f "$log"
    if [[ -n "$summary" ]]; then
        local failed total
        failed="$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$summary")"
        total="$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")"
        tests_passed=$((tests_passed + total - failed))
        tests_failed=$((tests_failed + failed))
    fi
    if ((status != 0)); then
        echo "ctest failed in $1"
        echo "$tests_passed passed, $tests_failed failed"
        exit "$status"
    fi
}

klu_install_packages

echo "== g++ build (build/) [$(elapsed)]"
klu_configure build g++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
klu_build build
run_ctest build

echo "== clang build with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/) [$(elapsed)]"
klu_configure build-asan clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKLU_SANITIZE=ON \
    -DKLU_BUILD_BENCH=OFF
klu_build build-asan
run_ctest build-asan

echo "== fuzzers (build-fuzz/), $FUZZ_SECONDS s each, $KLU_JOBS at a time [$(elapsed)]"
klu_configure build-fuzz clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKLU_BUILD_FUZZ=ON \
    -DKLU_BUILD_TESTS=OFF -DKLU_BUILD_BENCH=OFF
klu_build build-fuzz --target fuzzers
rm -rf build-fuzz/seeds build-fuzz/logs
build-fuzz/fuzz/fuzz_seeds build-fuzz/seeds
mkdir -p build-fuzz/artifacts build-fuzz/logs

# run_fuzzer NAME: fuzzes from a private copy of its seeds, output in build-fuzz/logs/NAME.log:
# the folder build-fuzz/seeds/NAME when there is one (the PNG pictures of fuzz_png), else the
# hint files in build-fuzz/seeds. libFuzzer exits non-zero on a crash, a leak, a timeout or
# running out of memory.
run_fuzzer() {
    local name="$1" corpus status=0
    corpus="$(mktemp -d)"
    if [[ -d "build-fuzz/seeds/$name" ]]; then
        cp -r "build-fuzz/seeds/$name/." "$corpus/"
    else
        find build-fuzz/seeds -maxdepth 1 -type f -exec cp {} "$corpus/" \;
    fi
    "build-fuzz/fuzz/$name" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$name-" "$corpus" \
        >"build-fuzz/logs/$name.log" 2>&1 || status=$?
    rm -rf "$corpus"
    return "$status"
}

fuzzers=()
for fuzzer in build-fuzz/fuzz/fuzz_*; do
    name="$(basename "$fuzzer")"
    if [[ "$name" != fuzz_seeds && -f "$fuzzer" && -x "$fuzzer" ]]; then
        fuzzers+=("$name")
    fi
done
if ((${#fuzzers[@]} == 0)); then
    echo "no fuzzers found in build-fuzz/fuzz"
    exit 1
fi

fuzz_failures=0
for ((first = 0; first < ${#fuzzers[@]}; first += KLU_JOBS)); do
    batch=("${fuzzers[@]:first:KLU_JOBS}")
    pids=()
    for name in "${batch[@]}"; do
        run_fuzzer "$name" &
        pids+=($!)
    done
    for i in "${!batch[@]}"; do
        name="${batch[i]}"
        status=0
        wait "${pids[i]}" || status=$?
        log="build-fuzz/logs/$name.log"
        speed="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")"
        if ((status == 0)); then
            echo "-- $name: clean, ${speed:-?} runs/s"
        else
            echo "-- $name: FAILED (exit $status); the input is in build-fuzz/artifacts/"
            tail -n 80 "$log"
            fuzz_failures=$((fuzz_failures + 1))
        fi
    done
done
if ((fuzz_failures > 0)); then
    echo "$fuzz_failures fuzzer(s) failed"
    echo "$tests_passed passed, $tests_failed failed"
    exit 1
fi

echo "== done in $(elapsed); ${#fuzzers[@]} fuzzer(s) ran clean"
echo "$tests_passed passed, $tests_failed failed"
