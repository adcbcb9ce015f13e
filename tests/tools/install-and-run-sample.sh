#!/usr/bin/env bash
# The program as an installation gets it: cmake --install puts the program and upgrade-headless
# into the program folder of a sample 7.12 installation, and the installed upgrade-headless
# looks at the installation, then converts and upgrades it to 8.0.7. The installation's folder has
# a name outside ASCII, with a space, as a customer's folder may, and everything runs without a
# locale, as a service may be started.
set -euo pipefail
export LC_ALL=C
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

sample="$work/образец ü"
eval "$("$build/bin/make-installation" "$sample" --release 7.12 --stamp 7.12.4)"
program_folder="$sample/Program"
cmake --install "$build" --prefix "$program_folder" >/dev/null
for program in zuruzod8e upgrade-headless zuruzod-validate; do
    [ -x "$program_folder/$program" ] || fail "no $program in $program_folder"
done
[ ! -e "$program_folder/wizard-tour" ] || fail "the tour was installed without being asked for"
# A lock folder of its own, so that a run elsewhere does not count.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

status=0
"$program_folder/upgrade-headless" status >"$work/status.txt" 2>&1 || status=$?
cat "$work/status.txt"
[ "$status" -eq 0 ] || fail "status ended with $status"
grep -qF "8.00.00  21 steps" "$work/status.txt" || fail "status plans no conversion"

status=0
"$program_folder/upgrade-headless" run >"$work/run.txt" 2>&1 || status=$?
cat "$work/run.txt"
[ "$status" -eq 0 ] || fail "the installed upgrade-headless ended with $status"
for line in "Установлена версия 8, Service Pack 00.00" "Установлен Service Pack 00.07" "889-889" \
    "Обновление версии 8.00 успешно завершено" "Pellix.fdb: ошибок нет"; do
    grep -qF "$line" "$work/run.txt" || fail "no line '$line'"
done
echo "installed into $program_folder and ran the sample"
