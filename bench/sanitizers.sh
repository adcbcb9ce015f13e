#!/usr/bin/env bash
# Bad input and memory errors, tried on purpose: runs each fuzz target for a fixed time
# (scripts/fuzz.sh: libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer), then builds
# the whole program and its tests with both sanitizers into build-sanitize/ and runs the suite there.
#
#   bench/sanitizers.sh [SECONDS-EACH]   (default 10; 0 skips the fuzz targets)
#
# Exits 1 when a fuzz target found something (the input is kept in fuzz/corpus/<target>/) or a
# test failed under the sanitizers. Takes long: the sanitized suite runs several times slower.
#
# The server tests run when build/firebird-server.env is there (scripts/firebird-server.sh start).
# Left out of the sanitized run: run.KillAtStepBoundaries, which kills the headless run at
# eighteen step boundaries and runs the chain again after each, far too long here; the chain and
# the restarts it tries are run under the sanitizers by the other run tests.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
status=0
if [ "$seconds" != 0 ]; then
    scripts/fuzz.sh "$seconds" || status=1
fi
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZURUZOD_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j2
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if [ -f build/firebird-server.env ]; then
    # shellcheck source=/dev/null
    . build/firebird-server.env
fi
start=$(date +%s)
# Leaks are looked for in the test programs of the lower layers, which do all their work in their
# own process; Firebird's client, the engine it loads and ICU keep their allocations to the end of
# the process and are set aside. Most other tests start the tools (db-dump, upgrade-headless), at
# whose exit LeakSanitizer's tracer itself fails on the embedded engine's threads, so they run
# without it.
in_process='^(platform|environment|engine|packs)\.'
ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 LSAN_OPTIONS=suppressions=$PWD/bench/lsan-suppressions.txt:print_suppressions=0 \
    ctest --test-dir build-sanitize -j2 --output-on-failure -R "$in_process" || status=1
ASAN_OPTIONS=abort_on_error=1:detect_leaks=0 \
    ctest --test-dir build-sanitize -j2 --output-on-failure -E "$in_process|^run\.KillAtStepBoundaries\$" || status=1
echo "The sanitized suite took $(( $(date +%s) - start )) s."
exit $status
