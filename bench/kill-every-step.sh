#!/usr/bin/env bash
# Ends upgrade-headless without any clean-up at step boundaries of a run on a 7.12 installation
# (the conversion copy, the backup, every step of each pack, the journal walks), starts it again,
# and checks what the second start leaves: every database equal to the uninterrupted run's
# (times and generated GUIDs aside), or, after the offered restore, every database equal byte
# for byte to its copy in the backup taken before the first change.
#
#   bench/kill-every-step.sh [--bin FOLDER] [--stride S] [--at N,M,...] [--spread] [--jobs J]
#
# --bin: where make-installation, upgrade-headless and db-dump are (default build/bin);
# --stride: try every S-th boundary (default 1: every one); --at: only these boundaries;
# --spread: the first and the last boundary of every pack (its journal walk counted in) and one in
# its middle, the first and the last of the conversion copy and of the backup, as the boundary map
# of the uninterrupted run places them; --jobs: J installations tried side by side (default 1).
# Prints one line per boundary tried, with what it is (the pack and the boundary within it, or the
# copy, the backup or a journal walk), then "tried T, held H, failed F"; exits 1 when one failed.
set -euo pipefail
cd "$(dirname "$0")/.."

bin=build/bin
stride=1
at=""
spread=0
jobs=1
while [ $# -gt 0 ]; do
    case "$1" in
    --bin | --stride | --at | --jobs) [ $# -ge 2 ] || { echo "$1 takes a value" >&2; exit 2; } ;;
    esac
    case "$1" in
    --bin) bin=$2; shift 2 ;;
    --stride) stride=$2; shift 2 ;;
    --at) at=$2; shift 2 ;;
    --spread) spread=1; shift ;;
    --jobs) jobs=$2; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
# A count of 0 or one that is not a number would lay out nothing or loop without end.
for count in "$stride" "$jobs"; do
    [[ "$count" =~ ^[1-9][0-9]*$ ]] || { echo "--stride and --jobs take a whole number from 1 up, not '$count'" >&2; exit 2; }
done
[[ "$at" =~ ^([1-9][0-9]*(,|$))*$ ]] || { echo "--at takes boundary numbers from 1 up, separated by commas, not '$at'" >&2; exit 2; }
bin=$(cd "$bin" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stopped=86 # the exit status of a run ended at its boundary
restored=4

# Each worker has its own installation, laid out once and copied afresh for every start (its
# registry and alias file hold whole paths, so the copy always lies in the same folder), and its
# own runtime folder for the program's single-instance lock.
lay_out() {
    mkdir -p "$1/runtime"
    chmod 700 "$1/runtime"
    "$bin/make-installation" "$1/inst" --release 7.12 >"$1/env"
    cp -a "$1/inst" "$1/pristine"
}

fresh() {
    rm -rf "$1/inst"
    cp -a "$1/pristine" "$1/inst"
}

headless() {
    local worker=$1
    shift
    (
        # shellcheck disable=SC1091
        . "$worker/env"
        export XDG_RUNTIME_DIR="$worker/runtime"
        "$bin/upgrade-headless" "$@"
    ) >>"$worker/run.log" 2>&1
}

dump_all() {
    for database in "$1/inst/Data/Kalver800/"*.fdb; do
        echo "== ${database##*/}"
        "$bin/db-dump" "$database"
    done
}

for w in $(seq 1 "$jobs"); do
    lay_out "$work/w$w"
done

# The uninterrupted run also writes the boundary map: "N<TAB>PLACE<TAB>K" for every boundary.
fresh "$work/w1"
status=0
ZURUZOD_BOUNDARY_MAP="$work/map" headless "$work/w1" || status=$?
[ "$status" -eq 0 ] || { echo "the uninterrupted run did not finish ($status)"; cat "$work/w1/run.log"; exit 2; }
dump_all "$work/w1" >"$work/reference"

# A pack's journal walk belongs to the pack: its last boundary is where the next pack begins.
spread_of_map() {
    awk -F'\t' '
        { unit = $2; sub(/^journal /, "pack ", unit) }
        $2 ~ /^pack / { inside[unit] = inside[unit] " " $1 }
        !(unit in first) { first[unit] = $1; order[++units] = unit }
        { last[unit] = $1 }
        END {
            for (i = 1; i <= units; ++i) {
                unit = order[i]
                print first[unit]
                if (unit ~ /^pack /) {
                    n = split(inside[unit], steps, " ")
                    print steps[int((n + 1) / 2)]
                }
                print last[unit]
            }
        }' "$work/map" | sort -n -u
}

boundaries() {
    if [ -n "$at" ]; then
        tr ',' '\n' <<<"$at"
    elif [ "$spread" -eq 1 ]; then
        spread_of_map
    else
        seq 1 "$stride" "$(wc -l <"$work/map")"
    fi
}

place_of() {
    awk -F'\t' -v n="$1" '$1 == n { print $2 " " $3; found = 1 } END { if (!found) print "past the run" }' "$work/map"
}

# One line for the boundary: what the second start left, held or FAILED.
try_boundary() {
    local worker=$1 n=$2 status=0 ok outcome
    fresh "$worker"
    ZURUZOD_STOP_AT=$n headless "$worker" || status=$?
    if [ "$status" -ne "$stopped" ]; then
        echo "boundary $n ($(place_of "$n")): the run ended with $status before reaching it, FAILED"
        return
    fi
    local marker="$worker/inst/Data/zuruzod-upgrade-run.txt"
    if [ -f "$marker" ]; then
        cp "$marker" "$worker/marker.kept"
        status=0
        headless "$worker" --restore || status=$?
        ok=1
        [ "$status" -eq "$restored" ] || ok=0
        while IFS=$'\t' read -r database copy; do
            [ -n "$copy" ] || continue
            cmp -s "$database" "$copy" || ok=0
        done < <(tail -n +2 "$worker/marker.kept")
        [ ! -f "$marker" ] || ok=0
        outcome="restored"
    else
        status=0
        headless "$worker" || status=$?
        dump_all "$worker" >"$worker/second"
        ok=0
        [ "$status" -eq 0 ] && diff -q "$work/reference" "$worker/second" >/dev/null && ok=1
        outcome="finished"
    fi
    if [ "$ok" -eq 1 ]; then
        echo "boundary $n ($(place_of "$n")): $outcome, held"
    else
        echo "boundary $n ($(place_of "$n")): $outcome, FAILED (second start $status)"
    fi
}

# The boundaries are dealt out in turn, so that every worker gets early and late ones alike.
boundaries >"$work/boundaries"
for w in $(seq 1 "$jobs"); do
    (
        awk -v jobs="$jobs" -v w="$w" '(NR - 1) % jobs == w - 1' "$work/boundaries" | while read -r n; do
            try_boundary "$work/w$w" "$n" | tee -a "$work/w$w/lines"
        done
    ) &
done
wait

cat "$work"/w*/lines >"$work/lines" 2>/dev/null || true
# A boundary the run ended before reaching was tried, and failed.
tried=$(wc -l <"$work/lines")
held=$(grep -c ", held$" "$work/lines" || true)
failed=$(grep -c "FAILED" "$work/lines" || true)
echo "tried $tried, held $held, failed $failed"
# A worker that broke off leaves boundaries without a line: that is a failure too.
missing=$(($(wc -l <"$work/boundaries") - $(wc -l <"$work/lines")))
[ "$missing" -eq 0 ] || echo "$missing boundaries left without an answer, FAILED"
[ "$failed" -eq 0 ] && [ "$missing" -eq 0 ] && [ "$held" -gt 0 ]
