#!/usr/bin/env bash
# A 7.12 installation laid out under a folder named in Cyrillic goes to 8.0.7 in one run, with
# every database of the set validated after the packs.
set -euo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/Папка заказов/inst"
mkdir -p "$root"
"$bin/make-installation" "$root" --release 7.12 >"$work/env"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
status=0
(
    # shellcheck disable=SC1091
    . "$work/env"
    "$bin/upgrade-headless"
) >"$work/out" 2>&1 || status=$?
fail() { cat "$work/out"; echo "FAILED: $*"; exit 1; }
[ "$status" -eq 0 ] || fail "upgrade-headless ended with $status"
grep -q "Обновление версии 8.00 успешно завершено" "$work/out" || fail "the run did not finish"
for name in Base Config Orders System; do
    grep -q "Проверка базы данных $root/Data/Kalver800/$name.fdb: ошибок нет" "$work/out" ||
        fail "$name.fdb was not validated"
done
echo "the installation in a Cyrillic folder was upgraded and validated"
