#!/usr/bin/env bash
# Builds and runs all tests: an optimised build, then a Debug build under AddressSanitizer (leak
# checking included) and UndefinedBehaviorSanitizer, once as it is and once collecting at every
# allocation. At the end (also after a failure) it prints the wall time of every phase and the
# slowest test cases of every run, so that growth shows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
jobs=$(nproc)
phases=()
runs=()
started=$SECONDS

summary() {
    local status=$?
    set +e
    echo "== wall time per phase ($jobs cores)"
    for line in "${phases[@]}"; do
        echo "  $line"
    done
    printf '  %-44s %6ds\n' "total" $((SECONDS - started))
    for run in "${runs[@]}"; do
        echo "== ten slowest cases: ${run%%:*}"
        bash "$root/scripts/slowest-cases.sh" "${run#*:}" 10
        local failed
        failed=$(bash "$root/scripts/slowest-cases.sh" --failed "${run#*:}")
        if [ -n "$failed" ]; then
            echo "== failed cases: ${run%%:*}"
            echo "$failed"
        fi
    done
    exit $status
}
trap summary EXIT

# phase <name> <command...>: runs the command and notes its wall time, also when it fails.
phase() {
    local name=$1 start=$SECONDS status=0
    shift
    echo "== $name"
    "$@" || status=$?
    phases+=("$(printf '%-44s %6ds%s' "$name" $((SECONDS - start)) "$([ $status -eq 0 ] || echo '  (failed)')")")
    return $status
}

# run_tests <name> <build tree>: one ctest run; its reports are kept in test-results-<name>/.
run_tests() {
    local name=$1 tree=$root/$2 status=0
    rm -rf "$tree/test-results" "$tree/test-results-$name"
    runs+=("$name:$tree/test-results-$name")
    ctest --test-dir "$tree" --output-on-failure -j "$jobs" || status=$?
    mv "$tree/test-results" "$tree/test-results-$name" 2>/dev/null || true
    return $status
}

phase "dependencies" bash "$root/scripts/install-deps.sh"
phase "optimised build" bash "$root/scripts/build.sh" build/release -DCMAKE_BUILD_TYPE=Release
phase "optimised tests" run_tests optimised build/release

phase "sanitizer build" bash "$root/scripts/build.sh" build/asan -DCMAKE_BUILD_TYPE=Debug \
    -DTARNWICK_SANITIZE=ON -DTARNWICK_BENCH=OFF
# Fake stacks would hide the collector's roots from its stack scan. Leaks are errors: every test
# releases what it made, so pixels or sound buffers that nothing frees show up here.
export ASAN_OPTIONS=detect_stack_use_after_return=0:detect_leaks=1
# UndefinedBehaviorSanitizer aborts after its report: the test program's abort handler then names
# the case that was running.
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:abort_on_error=1
phase "sanitizer tests" run_tests sanitizers build/asan
TARNWICK_GC_STRESS=1 phase "stress tests (collect at every allocation)" run_tests stress build/asan
echo "== all tests passed"
