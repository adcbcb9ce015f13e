#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test, with a Firebird server for the server tests;
# then gives each fuzz target a few seconds (scripts/fuzz.sh), any finding failing the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
scripts/check-format.sh
scripts/build.sh

# Stop the server afterwards only when this run started it, whatever the tests do.
pid_before=$(cat build/firebird-server.pid 2>/dev/null || true)
scripts/firebird-server.sh start
pid_after=$(cat build/firebird-server.pid 2>/dev/null || true)
if [ -n "$pid_after" ] && [ "$pid_after" != "$pid_before" ]; then
    trap 'scripts/firebird-server.sh stop' EXIT
    trap 'exit 130' INT TERM
fi

if [ -f build/firebird-server.env ]; then
    # shellcheck source=/dev/null
    . build/firebird-server.env
elif [ -n "${ZURUZOD_TEST_SYSDBA_PASSWORD:-}" ]; then
    export ZURUZOD_TEST_SERVER=1
else
    echo "The server tests will be skipped: set ZURUZOD_TEST_SYSDBA_PASSWORD to the running server's SYSDBA password."
fi
ctest --test-dir build --output-on-failure -j 2
scripts/fuzz.sh 5
