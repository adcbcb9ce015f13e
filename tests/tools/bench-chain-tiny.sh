#!/usr/bin/env bash
# The whole-chain bench at a tiny scale, so that it keeps working: its table names the packs,
# the whole run, the rows and the peak size, and its chart is a PNG. Times are not judged.
set -euo pipefail
bin=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

BENCH_BIN=$bin BENCH_RESULTS=$work/results BENCH_CACHE=$work/cache "$source_dir/bench/chain.sh" 0.001 \
    >"$work/out" 2>"$work/err" || { cat "$work/out" "$work/err"; echo "FAILED: the bench ended with an error"; exit 1; }
cat "$work/out"
fail() { cat "$work/err"; echo "FAILED: $*"; exit 1; }
for row in "8.00.01 total" "8.00.04 Orders" "8.00.07 total" "conversion and the rest" "whole run" \
    "rows of the set" "rows per second" "peak resident MB"; do
    grep -q "^$row " "$work/results/chain.txt" || fail "no row '$row'"
done
[ "$(head -c 8 "$work/results/chain.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "the chart is no PNG"
echo "the bench ran at a tiny scale"
