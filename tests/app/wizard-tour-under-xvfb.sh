#!/usr/bin/env bash
# The real program in a real X server, from its start-up to the end of a run: a 7.12
# installation is converted through the wizard's pages, and the run stops at the first
# pack this build does not carry.
set -euo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

eval "$("$bin/make-installation" "$work/installation" --release 7.12 --stamp 7.12.4)"
cp "$bin/wizard-tour" "$work/installation/Program/"
# A lock folder of its own, so that a copy of the program running elsewhere does not count.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

status=0
output=$(timeout -s KILL 240 xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$work/installation/Program/wizard-tour" "$work/pictures" 2>&1) || status=$?
echo "$output"
fail() { echo "FAILED: $*"; exit 1; }
[ "$status" -eq 0 ] || fail "the program ended with status $status"
for line in "Установлена версия 8, Service Pack 00.00" "Установлен Service Pack 00.02" "Код: sp.03"; do
    grep -qF "$line" <<<"$output" || fail "no line '$line'"
done
for page in choice start agreement installation picture box finished; do
    ls "$work/pictures/"*"-$page.png" >/dev/null 2>&1 || fail "no picture of '$page'"
done
log=$(cat "$work/installation/Data/Версия/800/Info/"Register*.log)
for entry in "*000 Запуск программы" "*401 Установка обновлений" "*402 Установка обновления 80000" \
    "*403 Обновление установлено" "*402 Установка обновления 80002" "*402 Установка обновления 80003" "*009 Закрытие программы zuruzod 8e"; do
    grep -qF "$entry" <<<"$log" || fail "no event-log entry '$entry'"
done
echo "1 passed, 0 failed"
