#!/usr/bin/env bash
# The service packs 8.00.01 to 8.00.07 on a small generated installation, run three ways:
# with the statements as written (ZURUZOD_LITERAL_STATEMENTS=1), with the speed-ups, and,
# when a Firebird server is at hand (ZURUZOD_TEST_SERVER=1), with the speed-ups while the
# server holds the OrdersServer database. Every database must come out the same, table by
# table (db-dump, times and generated GUIDs aside).
set -euo pipefail
bin=$1
work=$(mktemp -d)
holder=
cleanup() {
    [ -z "$holder" ] || kill "$holder" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; exit 1; }
# A lock folder of its own, so that a run elsewhere on the machine does not count as a second copy.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

ways=(literal optimised)
[ "${ZURUZOD_TEST_SERVER:-}" = 1 ] && ways+=(server)
for way in "${ways[@]}"; do
    folder=$work/$way
    "$bin/make-installation" "$folder" --release 8 --scale 0.001 >"$folder.env" 2>/dev/null
    if [ "$way" = server ]; then
        # The server must be able to open the file the test laid out in its private folder.
        chmod o+x "$work"
        mkfifo "$work/hold"
        "$bin/server-hold" "$folder/Data/Kalver800/OrdersServer.fdb" 12 <"$work/hold" >"$work/held" &
        holder=$!
        exec 7>"$work/hold"
        for _ in $(seq 100); do
            grep -q held "$work/held" 2>/dev/null && break
            sleep 0.1
        done
        grep -q held "$work/held" || fail "the server did not take the OrdersServer database"
    fi
    status=0
    (
        eval "$(cat "$folder.env")"
        [ "$way" = literal ] && export ZURUZOD_LITERAL_STATEMENTS=1
        [ "$way" = server ] && export ZURUZOD_STATEMENT_TIMES=1
        "$bin/upgrade-headless" >"$folder.out" 2>&1
    ) || status=$?
    [ "$status" = 0 ] || { cat "$folder.out"; fail "the $way run ended with status $status"; }
    if [ "$way" = server ]; then
        grep -q "EXECUTE BLOCK" "$folder.out" || fail "no parameter sets were gathered for the server"
        exec 7>&-
        wait "$holder" || fail "the server's hold did not end well"
        holder=
    fi
    for database in "$folder"/Data/Kalver800/*.fdb; do
        "$bin/db-dump" "$database" kv5.12 >"$folder.$(basename "$database" .fdb).dump"
    done
done

for way in "${ways[@]:1}"; do
    for dump in "$work"/literal.*.dump; do
        name=${dump#"$work"/literal.}
        diff -q "$dump" "$work/$way.$name" >/dev/null || {
            diff "$dump" "$work/$way.$name" | head -20
            fail "$name differs between the literal and the $way run"
        }
    done
done
echo "the same databases from: ${ways[*]} ($(ls "$work"/literal.*.dump | wc -l) databases each)"
