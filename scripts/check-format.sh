#!/usr/bin/env bash
# Fails when a C++ source is not laid out as .clang-format says; "--fix" rewrites them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${sources[@]}"
    exit 0
fi
if ! clang-format --dry-run --Werror "${sources[@]}" 2>/dev/null; then
    echo "Some sources are not formatted; run scripts/check-format.sh --fix and look at the change:" >&2
    clang-format --dry-run "${sources[@]}" 2>&1 | grep -oE '^[^: ]+\.(cpp|h):[0-9]+:[0-9]+: ' | cut -d: -f1 | sort -u >&2
    exit 1
fi
