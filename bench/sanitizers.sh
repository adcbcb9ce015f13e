#!/usr/bin/env bash
# Bad input and memory errors, tried on purpose: runs each fuzz target for a fixed time
# (scripts/fuzz.sh: libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer), then builds
# the whole program and its tests with both sanitizers into build-sanitize/ and runs the suite there.
#
#   bench/sanitizers.sh [SECONDS-EACH]   (default 10)
#
# Exits 1 when a fuzz target found something (the input is kept in fuzz/corpus/<target>/) or a
# test failed under the sanitizers. Takes long: the sanitized suite runs several times slower.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
status=0
scripts/fuzz.sh "$seconds" || status=1
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZURUZOD_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j2
# Firebird's client keeps its own allocations to the end of the process; leaks are not what is looked for.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize -j2 --output-on-failure || status=1
exit $status
