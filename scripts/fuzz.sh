#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# into build-fuzz/ and runs each for a while: scripts/fuzz.sh [SECONDS-EACH] (default 10).
# Each target starts from its inputs in fuzz/corpus/<target>/, which also keeps every input
# that ever made one fail; a new failure is written to fuzz/corpus/<target>/ and ends the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZURUZOD_FUZZ=ON >/dev/null
cmake --build build-fuzz --target fuzz-targets
status=0
for target in fuzz-registry-store fuzz-ini-file fuzz-alias-file fuzz-parameter-text fuzz-line-list fuzz-payload; do
    work=$(mktemp -d)
    echo "== $target: $seconds s"
    mkdir "$work.tmp"
    if ! TMPDIR="$work.tmp" build-fuzz/bin/$target -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="fuzz/corpus/$target/" "$work" "fuzz/corpus/$target" >"$work.log" 2>&1; then
        tail -40 "$work.log"
        echo "$target FAILED; the input that did it is in fuzz/corpus/$target/"
        status=1
    else
        grep -E '^Done|stat::number_of_executed_units' "$work.log" | tail -1
    fi
    rm -rf "$work" "$work.log" "$work.tmp"
done
exit $status
