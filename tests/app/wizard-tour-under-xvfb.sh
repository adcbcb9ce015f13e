#!/usr/bin/env bash
# The real program in a real X server, from its start-up to the end of a run: a 7.12
# installation is converted through the wizard's pages and upgraded to 8.0.7 in one run.
# While the run converts, the window is asked to close
# the way a window manager asks it; it must stay until the run is over.
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
    "$work/installation/Program/wizard-tour" --close-during-conversion "$work/pictures" 2>&1) || status=$?
echo "$output"
fail() { echo "FAILED: $*"; exit 1; }
[ "$status" -eq 0 ] || fail "the program ended with status $status"
for line in "close asked during the conversion" \
    "Во время установки обновлений программу закрыть нельзя - дождитесь окончания установки" \
    "Установлена версия 8, Service Pack 00.00" "Установлен Service Pack 00.07" "889-889" "Обновление версии 8.00 успешно завершено"; do
    grep -qF "$line" <<<"$output" || fail "no line '$line'"
done
for page in choice start agreement installation picture finished; do
    ls "$work/pictures/"*"-$page.png" >/dev/null 2>&1 || fail "no picture of '$page'"
done

# The conversion went to its end under the request, and every pack after it: every
# database at 8.0.7 with one journal row for each stamp, the Sorvin database gone.
[ ! -e "$work/installation/Data/Kalver800/Sorvin.fdb" ] || fail "Sorvin.fdb is still there"
for name in Base Config Orders OrdersServer Price Pellix Grelto System; do
    state=$(isql-fb -q -user kv5.12 "$work/installation/Data/Kalver800/$name.fdb" 2>&1 <<'SQL' | xargs
SET HEADING OFF;
SELECT Version || '.' || ServicePack || '.' || Build || ' ' || (SELECT COUNT(*) FROM log_Upgrade) || ' ' ||
       (SELECT COUNT(*) FROM log_Upgrade WHERE uVersion = 'Base 8.0.0') FROM kv_Setting;
SQL
    )
    [ "$state" = "8.0.7 8 1" ] || fail "$name.fdb: stamp, journal rows, rows of 8.0.0 are '$state'"
done

log=$(tr -d '\r' <"$work/installation/Data/Версия/800/Info/"Register*.log)
for entry in "*000 Запуск программы" "*401 Установка обновлений" "*402 Установка обновления 80000" \
    "*403 Обновление установлено" "*402 Установка обновления 80002" "*402 Установка обновления 80007"; do
    grep -qF "$entry" <<<"$log" || fail "no event-log entry '$entry'"
done
closings=$(grep -cF "*009 Закрытие программы zuruzod 8e" <<<"$log" || true)
[ "$closings" -eq 1 ] || fail "the program's closing is logged $closings times"
last=$(grep . <<<"$log" | tail -n 1)
[[ "$last" == *"*009 Закрытие программы zuruzod 8e" ]] || fail "the last event-log entry is '$last'"
echo "1 passed, 0 failed"
