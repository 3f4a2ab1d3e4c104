#!/usr/bin/env bash
# Builds and runs all tests: an optimised build, then a Debug build under AddressSanitizer (leak
# checking included) and UndefinedBehaviorSanitizer, once as it is and once collecting at every
# allocation.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
jobs=$(nproc)

echo "== optimised build"
bash "$root/scripts/build.sh" build/release -DCMAKE_BUILD_TYPE=Release
ctest --test-dir "$root/build/release" --output-on-failure -j "$jobs"

echo "== debug build with sanitizers"
bash "$root/scripts/build.sh" build/asan -DCMAKE_BUILD_TYPE=Debug -DTARNWICK_SANITIZE=ON -DTARNWICK_BENCH=OFF
# Fake stacks would hide the collector's roots from its stack scan. Leaks are errors: every test
# releases what it made, so pixels or sound buffers that nothing frees show up here.
export ASAN_OPTIONS=detect_stack_use_after_return=0:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir "$root/build/asan" --output-on-failure -j "$jobs"
echo "== debug build again, collecting and compacting at every allocation"
TARNWICK_GC_STRESS=1 ctest --test-dir "$root/build/asan" --output-on-failure -j "$jobs"
echo "== all tests passed"
