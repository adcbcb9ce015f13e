#!/usr/bin/env bash
# Times the service packs of this build on large installations: for each scale a
# version-8 set at 8.0.0 is laid out with make-installation --scale, upgraded with
# upgrade-headless, and the time of each pack and of each of its database parts is
# printed, with the growth from one scale to the next (data grows in proportion).
# Usage: bench/packs.sh [SCALE...]   (default 0.1 0.3; add 1 for a full-size set)
# With ZURUZOD_LITERAL_STATEMENTS=1 in the environment the packs run their statements
# as written, without the speed-ups.
set -euo pipefail
cd "$(dirname "$0")/.."
scales=("$@")
[ ${#scales[@]} -gt 0 ] || scales=(0.1 0.3)
scripts/build.sh >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for scale in "${scales[@]}"; do
    folder="$work/scale-$scale"
    echo "scale $scale: laying out the installation..." >&2
    environment=$(build/bin/make-installation "$folder" --release 8 --scale "$scale" 2>/dev/null)
    echo "scale $scale: running the packs..." >&2
    status=0
    (eval "$environment" && ZURUZOD_PART_TIMES=1 build/bin/upgrade-headless >"$folder.out" 2>"$folder.err") || status=$?
    grep -E '^pack ' "$folder.err" | sed "s/^/$scale /" >>"$work/times"
    grep -vE '^pack ' "$folder.err" | sed "s/^/  scale $scale, upgrade-headless (status $status): /" >&2 || true
done

# One row per pack part, one column of seconds per scale, then the growth between neighbours.
awk -v list="${scales[*]}" '
    BEGIN { n = split(list, scale, " ") }
    {
        what = $3 " " $4; sub(/:$/, "", what)
        if (!(what in seen)) { seen[what] = 1; order[++rows] = what }
        t[what, $1] = $5
    }
    END {
        printf "%-28s", "pack part"
        for (i = 1; i <= n; i++) printf "%12s", "S=" scale[i]
        for (i = 2; i <= n; i++) printf "%14s", "x" scale[i - 1] "->" scale[i]
        printf "\n"
        for (r = 1; r <= rows; r++) {
            what = order[r]
            printf "%-28s", what
            for (i = 1; i <= n; i++) printf "%11s", ((what, scale[i]) in t ? sprintf("%.2fs", t[what, scale[i]]) : "-")
            for (i = 2; i <= n; i++) {
                a = t[what, scale[i - 1]]; b = t[what, scale[i]]
                printf "%14s", (a > 0.05 ? sprintf("%.2f", b / a) : "-")
            }
            printf "\n"
        }
    }' "$work/times"
