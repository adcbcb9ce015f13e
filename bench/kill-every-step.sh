#!/usr/bin/env bash
# Ends upgrade-headless without any clean-up at step boundaries of a run on a 7.12 installation
# (the conversion copy, the backup, every step of each pack, the journal walks), starts it again,
# and checks what the second start leaves: every database equal to the uninterrupted run's
# (times and generated GUIDs aside), or, after the offered restore, every database equal byte
# for byte to its copy in the backup taken before the first change.
#
#   bench/kill-every-step.sh [--bin FOLDER] [--stride S] [--at N,M,...]
#
# --bin: where make-installation, upgrade-headless and db-dump are (default build/bin);
# --stride: try every S-th boundary (default 1: every one); --at: only these boundaries.
# Prints one line per boundary tried, then "tried T, held H, failed F"; exits 1 when one failed.
set -euo pipefail
cd "$(dirname "$0")/.."

bin=build/bin
stride=1
at=""
while [ $# -gt 0 ]; do
    case "$1" in
    --bin) bin=$2; shift 2 ;;
    --stride) stride=$2; shift 2 ;;
    --at) at=$2; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
bin=$(cd "$bin" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
stopped=86 # the exit status of a run ended at its boundary
restored=4

# The installation is laid out once and copied afresh for every start: its registry and alias
# file hold whole paths, so the copy always lies in the same folder.
"$bin/make-installation" "$work/inst" --release 7.12 >"$work/env"
cp -a "$work/inst" "$work/pristine"

fresh() {
    rm -rf "$work/inst"
    cp -a "$work/pristine" "$work/inst"
}

headless() {
    (
        # shellcheck disable=SC1091
        . "$work/env"
        "$bin/upgrade-headless" "$@"
    ) >>"$work/run.log" 2>&1
}

dump_all() {
    for database in "$work/inst/Data/Kalver800/"*.fdb; do
        echo "== ${database##*/}"
        "$bin/db-dump" "$database"
    done
}

fresh
status=0
headless || status=$?
[ "$status" -eq 0 ] || { echo "the uninterrupted run did not finish ($status)"; cat "$work/run.log"; exit 2; }
dump_all >"$work/reference"

boundaries() {
    if [ -n "$at" ]; then
        tr ',' '\n' <<<"$at"
    else
        seq 1 "$stride" 100000
    fi
}

tried=0
held=0
failed=0
for n in $(boundaries); do
    fresh
    status=0
    ZURUZOD_STOP_AT=$n headless || status=$?
    if [ "$status" -ne "$stopped" ]; then
        # A run that finishes before the boundary has no such boundary: the sweep is over. A run
        # that fails or stops on its own before it is a fault, never the end of the boundaries.
        if [ -n "$at" ] || [ "$status" -ne 0 ]; then
            echo "boundary $n: the run ended with $status before reaching it"
            failed=$((failed + 1))
        fi
        break
    fi
    tried=$((tried + 1))
    marker="$work/inst/Data/zuruzod-upgrade-run.txt"
    if [ -f "$marker" ]; then
        cp "$marker" "$work/marker.kept"
        status=0
        headless --restore || status=$?
        ok=1
        [ "$status" -eq "$restored" ] || ok=0
        while IFS=$'\t' read -r database copy; do
            [ -n "$copy" ] || continue
            cmp -s "$database" "$copy" || ok=0
        done < <(tail -n +2 "$work/marker.kept")
        [ ! -f "$marker" ] || ok=0
        outcome="restored"
    else
        status=0
        headless || status=$?
        dump_all >"$work/second"
        ok=0
        [ "$status" -eq 0 ] && diff -q "$work/reference" "$work/second" >/dev/null && ok=1
        outcome="finished"
    fi
    if [ "$ok" -eq 1 ]; then
        held=$((held + 1))
        echo "boundary $n: $outcome, held"
    else
        failed=$((failed + 1))
        echo "boundary $n: $outcome, FAILED (second start $status)"
    fi
done
echo "tried $tried, held $held, failed $failed"
[ "$failed" -eq 0 ]
