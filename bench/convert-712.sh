#!/usr/bin/env bash
# Times the upgrade of a 7.12 installation whose System database holds many saved
# grid layouts (the conversion empties them), from the state detection to the end
# of the run, with the headless runner. Usage: bench/convert-712.sh [ROWS]
set -euo pipefail
cd "$(dirname "$0")/.."
rows=${1:-200000}
scripts/build.sh >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
eval "$(build/bin/make-installation "$work" --release 8 --schema 7.12 --stamp 7.12.4)"
system="$work/Data/Kalver800/System.fdb"

echo "Filling Set_Grid of System.fdb with $rows rows..."
isql-fb -q -user kv5.12 "$system" <<SQL
SET TERM ^ ;
EXECUTE BLOCK AS
DECLARE i INTEGER = 100;
BEGIN
  WHILE (i < $rows + 100) DO
  BEGIN
    INSERT INTO Set_Grid (KodGrid, NameForm, NameGrid, Setting)
    VALUES (:i, 'Заказы', 'Grid' || :i, 'Width=120;Колонка=Номер;Порядок=' || :i);
    i = i + 1;
  END
END^
SET TERM ; ^
COMMIT;
SQL
ls -l "$system" | awk '{print "System.fdb: " $5 " bytes"}'

start=$(date +%s.%N)
status=0
build/bin/upgrade-headless >"$work/run.log" 2>"$work/boxes.log" || status=$?
end=$(date +%s.%N)
echo "upgrade-headless exit status $status"
awk -v s="$start" -v e="$end" 'BEGIN { printf "conversion and run: %.2f s\n", e - s }'
grep -c . "$work/run.log" | awk '{print "run-log lines: " $1}'
