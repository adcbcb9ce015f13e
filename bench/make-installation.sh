#!/usr/bin/env bash
# Times make-installation laying out a large installation, and shows the size of its
# databases. Usage: bench/make-installation.sh [SCALE] [7.12|8]   (default 1 and 8)
set -euo pipefail
cd "$(dirname "$0")/.."
scale=${1:-1}
release=${2:-8}
scripts/build.sh >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
start=$(date +%s.%N)
build/bin/make-installation "$work" --release "$release" --scale "$scale" >/dev/null
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" -v scale="$scale" 'BEGIN { printf "scale %s built in %.1f s\n", scale, e - s }'
du -sh "$work" | awk '{print "databases: " $1}'
