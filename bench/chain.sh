#!/usr/bin/env bash
# Times the whole chain on large installations: for each scale a 7.12 installation is laid
# out with make-installation --scale and taken through the conversion and the service packs
# 8.00.00 to 8.00.07 by upgrade-headless. Prints one table: each pack's and each database
# part's time, the whole run, the rows of the upgraded set and the rows per second, the peak
# resident size, and the growth from one scale to the next; draws the packs' times as a bar
# chart into bench/results/chain.png (the table beside it as chain.txt).
#
# Usage: bench/chain.sh [--server] [--window] [--from-8] [SCALE...]   (default 0.1 0.3; add 1 for a full-size set)
#   --server  the set is laid out at 8.0.0 (no conversion) and its OrdersServer database is held by
#             the Firebird server of scripts/firebird-server.sh, so every statement on it is a round trip
#             (the server's SYSDBA password from ZURUZOD_TEST_SYSDBA_PASSWORD or build/firebird-server.env)
#   --window  the program itself runs the chain under Xvfb (wizard-tour) instead of upgrade-headless;
#             it tells how often the window's events ran while the inner gauge of a long step was shown
#   --from-8  the set is laid out at 8.0.0 (no conversion), as with --server, for comparisons with it
# BENCH_BIN=FOLDER takes the programs from FOLDER instead of building build/bin (the suite's tiny run).
# BENCH_CACHE=FOLDER keeps each laid-out scale there and copies it for every run (default: a temporary
# folder, removed at the end); a full-size set takes minutes to lay out.
# BENCH_RESULTS=FOLDER writes the table and the chart there instead of bench/results.
# With ZURUZOD_LITERAL_STATEMENTS=1 in the environment the packs run their statements as written.
set -euo pipefail
cd "$(dirname "$0")/.."
here=$PWD

mode=headless
server=0
from8=0
scales=()
for arg in "$@"; do
    case $arg in
    --server) server=1 ;;
    --window) mode=window ;;
    --from-8) from8=1 ;;
    *) scales+=("$arg") ;;
    esac
done
[ ${#scales[@]} -gt 0 ] || scales=(0.1 0.3)

if [ -n "${BENCH_BIN:-}" ]; then
    bin=$(cd "$BENCH_BIN" && pwd)
else
    scripts/build.sh >/dev/null
    bin=$here/build/bin
fi
results=${BENCH_RESULTS:-$here/bench/results}
mkdir -p "$results"

work=$(mktemp -d)
holders=()
cleanup() {
    for pid in "${holders[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
cache=${BENCH_CACHE:-$work/cache}
mkdir -p "$cache"
# A lock folder of its own, so that a run elsewhere on the machine does not count as a second copy.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

release=7.12
[ "$from8" = 0 ] || release=8
if [ "$server" = 1 ]; then
    release=8
    if [ -z "${ZURUZOD_TEST_SYSDBA_PASSWORD:-}" ]; then
        [ -f build/firebird-server.env ] || { echo "no server: run scripts/firebird-server.sh start" >&2; exit 2; }
        # shellcheck disable=SC1091
        . build/firebird-server.env
    fi
fi

# The installation of a scale at its fixed place, laid out once and kept as a pristine copy:
# the registry and the alias file hold whole paths, so every run uses the same folder.
installation() {
    local scale=$1 folder=$cache/$release-$scale
    if [ ! -d "$folder.pristine" ]; then
        rm -rf "$folder"
        echo "scale $scale: laying out the installation..." >&2
        "$bin/make-installation" "$folder" --release "$release" --scale "$scale" >"$folder.env" 2>/dev/null
        cp -a "$folder" "$folder.pristine"
    else
        rm -rf "$folder"
        cp -a "$folder.pristine" "$folder"
    fi
    echo "$folder"
}

# Holds the set's OrdersServer database on the server for the run, with the installation's
# account, the way a shop's server holds it; the holder lets go when its input closes.
hold_on_server() {
    local fifo=$work/hold-$RANDOM
    mkfifo "$fifo"
    "$bin/server-hold" "$1" 12 <"$fifo" >"$fifo.out" &
    holders+=($!)
    exec 7>"$fifo"
    for _ in $(seq 100); do
        grep -q held "$fifo.out" 2>/dev/null && return 0
        sleep 0.1
    done
    echo "the server did not take $1" >&2
    exit 1
}

failed=0
for scale in "${scales[@]}"; do
    folder=$(installation "$scale")
    eval "$(cat "$folder.env")"
    if [ "$server" = 1 ]; then
        hold_on_server "$folder/Data/Kalver800/OrdersServer.fdb"
    fi
    echo "scale $scale: running the chain ($mode)..." >&2
    status=0
    if [ "$mode" = window ]; then
        cp "$bin/wizard-tour" "$folder/Program/"
        (cd "$folder/Program" && ZURUZOD_PART_TIMES=1 /usr/bin/time -f 'run %e s %M kB' \
            xvfb-run -a -s "-screen 0 1280x1024x24" ./wizard-tour "$work/pictures-$scale" \
            >"$work/run-$scale.out" 2>"$work/run-$scale.err") || status=$?
    else
        (ZURUZOD_PART_TIMES=1 /usr/bin/time -f 'run %e s %M kB' "$bin/upgrade-headless" \
            >"$work/run-$scale.out" 2>"$work/run-$scale.err") || status=$?
    fi
    if [ "$status" != 0 ]; then
        echo "  scale $scale: the run ended with status $status" >&2
        failed=1
    fi
    if [ "$server" = 1 ]; then
        exec 7>&-
        wait "${holders[-1]}" 2>/dev/null || true
    fi
    err=$work/run-$scale.err
    if [ "$mode" = window ]; then
        grep -h "during long steps" "$work/run-$scale.out" | sed "s/^/  scale $scale: /" >&2 || true
    fi
    grep -E '^pack ' "$err" | awk -v s="$scale" '{ what = $2 " " $3; sub(/:$/, "", what); print s "\t" what "\t" $4 }' \
        >>"$work/times"
    read -r whole peak < <(awk '/^run / { print $2, $4 }' "$err")
    packs=$(awk '/^pack [^ ]+ total:/ { sum += $4 } END { printf "%.3f", sum }' "$err")
    rows=0
    for database in "$folder"/Data/Kalver800/*.fdb; do
        rows=$((rows + $("$bin/db-dump" --count "$database" kv5.12)))
    done
    {
        printf '%s\tconversion and the rest\t%.3f\n' "$scale" "$(echo "$whole - $packs" | bc -l)"
        printf '%s\twhole run\t%s\n' "$scale" "$whole"
        printf '%s\trows of the set\t%s\n' "$scale" "$rows"
        printf '%s\trows per second\t%.0f\n' "$scale" "$(echo "$rows / $whole" | bc -l)"
        printf '%s\tpeak resident MB\t%.0f\n' "$scale" "$(echo "$peak / 1024" | bc -l)"
    } >>"$work/times"
    grep -vE '^(pack |run )' "$err" | sed "s/^/  scale $scale: /" | tail -5 >&2 || true
done

# One row per pack part, one column per scale, then the growth between neighbours.
awk -F'\t' -v list="${scales[*]}" '
    BEGIN { n = split(list, scale, " ") }
    {
        if (!($2 in seen)) { seen[$2] = 1; order[++rows] = $2 }
        t[$2, $1] = $3
    }
    END {
        printf "%-30s", "what"
        for (i = 1; i <= n; i++) printf "%12s", "S=" scale[i]
        for (i = 2; i <= n; i++) printf "%12s", "x" scale[i - 1] "->" scale[i]
        printf "\n"
        for (r = 1; r <= rows; r++) {
            what = order[r]
            counted = what ~ /^(rows|peak)/
            printf "%-30s", what
            for (i = 1; i <= n; i++) {
                if (!((what, scale[i]) in t)) printf "%12s", "-"
                else if (counted) printf "%12d", t[what, scale[i]]
                else printf "%11.2fs", t[what, scale[i]]
            }
            for (i = 2; i <= n; i++) {
                a = t[what, scale[i - 1]]; b = t[what, scale[i]]
                printf "%12s", (a > 0.05 ? sprintf("%.2f", b / a) : "-")
            }
            printf "\n"
        }
    }' "$work/times" | tee "$results/chain.txt"

# The chart: each pack's total and the whole run, one bar per scale.
awk -F'\t' '$2 ~ /total$/ || $2 == "whole run" || $2 == "conversion and the rest" {
        label = $2; sub(/ total$/, "", label); print label "\tS=" $1 "\t" $3 }' "$work/times" >"$work/chart"
title="the whole chain from $release, $mode$([ "$server" = 1 ] && echo ", OrdersServer on the server" || true), seconds per pack"
"$bin/bench-chart" "$work/chart" "$results/chain.png" "$title"
echo "chart: $results/chain.png" >&2
exit "$failed"
