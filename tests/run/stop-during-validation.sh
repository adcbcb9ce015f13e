#!/usr/bin/env bash
# A stop asked for while the databases are validated after the packs cuts the validation short:
# the packs are in, so every database not yet checked is named as not checked, and the run ends
# at once instead of waiting out each validator's time. A validator that never ends stands in for
# a validation that hangs; on Base it answers first, and an answer given counts however the
# validator ends after it.
set -euo pipefail
bin=$1
work=$(mktemp -d)
pid=""
trap '[ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

eval "$("$bin/make-installation" "$work/inst" --release 7.12 --stamp 7.12.4)"
mkdir "$work/program"
cp "$bin/upgrade-headless" "$work/program/"
printf '#!/bin/sh\ncase "$1" in */Base.fdb) echo valid ;; esac\nexec sleep 300\n' >"$work/program/zuruzod-validate"
chmod +x "$work/program/zuruzod-validate"
export ZURUZOD_VALIDATION_SECONDS=2
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$work/program/upgrade-headless" run >"$work/run.txt" 2>&1 </dev/null &
pid=$!
for _ in $(seq 1200); do
    grep -qF "Base.fdb: ошибок нет" "$work/run.txt" && break
    sleep 0.1
done
grep -qF "Base.fdb: ошибок нет" "$work/run.txt" || { cat "$work/run.txt"; fail "Base's answer was not taken"; }
kill -TERM "$pid"
started=$(date +%s)
status=0
wait "$pid" || status=$?
pid=""
took=$(($(date +%s) - started))
cat "$work/run.txt"
[ "$took" -lt 20 ] || fail "the run went on for $took s after the stop"
grep -qF "Config.fdb: не удалось проверить" "$work/run.txt" || fail "Config is not named as not checked"
grep -qF "System.fdb: не удалось проверить" "$work/run.txt" || fail "System is not named as not checked"
grep -qF "проверка остановлена" "$work/run.txt" || fail "no reason given"
# The packs are in: the run ends as an installed one, its executables and release recorded.
[ "$status" -eq 0 ] || fail "the run ended with $status"
grep -qF "Обновление версии 8.00 успешно завершено" "$work/run.txt" || fail "the run did not end as installed"
echo "the run ended with $status, $took s after the stop"
