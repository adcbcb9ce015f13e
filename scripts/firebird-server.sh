#!/usr/bin/env bash
# Starts or stops a Firebird server for the tests that reach databases through a server.
#
#   scripts/firebird-server.sh start   starts Debian's SuperServer in the background unless one already
#                                      listens on port 3050, and writes build/firebird-server.env
#   scripts/firebird-server.sh stop    stops the server this script started, and no other
#
# The server runs as root, like the test programs, so that it can open the databases the tests lay out
# in private temporary folders and share the lock folder /tmp/firebird with the embedded engine.
# Each start gives SYSDBA a fresh random password; build/firebird-server.env exports it for the tests
# as ZURUZOD_TEST_SYSDBA_PASSWORD together with ZURUZOD_TEST_SERVER=1.
set -euo pipefail
cd "$(dirname "$0")/.."

server=/usr/sbin/firebird
security=/var/lib/firebird/3.0/system/security3.fdb
port=3050
state=build
pid_file=$state/firebird-server.pid
env_file=$state/firebird-server.env
log_file=$state/firebird-server.log

listening() {
    if command -v ss >/dev/null; then
        ss -Hltn "sport = :$port" | grep -q .
    else
        (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null
    fi
}

# The PID this script recorded, when that process is still the Firebird server.
our_pid() {
    [ -f "$pid_file" ] || return 1
    local pid
    pid=$(cat "$pid_file")
    [ -n "$pid" ] && [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$server" ] || return 1
    echo "$pid"
}

start() {
    if listening; then
        if pid=$(our_pid); then
            echo "The Firebird server started earlier (PID $pid) already listens on port $port."
        else
            echo "A Firebird server already listens on port $port; it is left alone."
            echo "The server test runs against it only with ZURUZOD_TEST_SERVER=1 and its SYSDBA password"
            echo "in ZURUZOD_TEST_SYSDBA_PASSWORD."
        fi
        return 0
    fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "Run as root: the server must read the tests' private folders and the security database." >&2
        return 1
    fi
    [ -x "$server" ] || { echo "$server is missing (package firebird3.0-server-core)." >&2; return 1; }
    rm -f "$pid_file" "$env_file"
    mkdir -p "$state"

    # The lock folder is shared by the server and every embedded engine; all of them run as root here,
    # but keep the owner and mode the Debian package gives it so that its own service still works.
    install -d -o firebird -g firebird -m 0770 /tmp/firebird

    # Only possible while no server holds the security database: the embedded engine opens it directly.
    local password
    password=$(head -c 12 /dev/urandom | od -An -tx1 | tr -d ' \n')
    printf "CREATE OR ALTER USER SYSDBA PASSWORD '%s' USING PLUGIN Srp;\nCOMMIT;\n" "$password" |
        isql-fb -q -b -user SYSDBA "$security" >/dev/null

    setsid "$server" </dev/null >"$log_file" 2>&1 &
    local pid=$!
    echo "$pid" >"$pid_file"

    for _ in $(seq 1 100); do
        if listening; then
            (umask 077 && printf "export ZURUZOD_TEST_SERVER=1\nexport ZURUZOD_TEST_SYSDBA_PASSWORD='%s'\n" \
                "$password" >"$env_file")
            echo "The Firebird server runs (PID $pid) on port $port; the tests read $env_file."
            return 0
        fi
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "The Firebird server stopped at once; see $log_file." >&2
            rm -f "$pid_file"
            return 1
        fi
        sleep 0.1
    done
    echo "The Firebird server does not answer on port $port; stopping it." >&2
    stop
    return 1
}

stop() {
    local pid
    if ! pid=$(our_pid); then
        echo "No Firebird server started by this script is running."
        rm -f "$pid_file" "$env_file"
        return 0
    fi
    kill -TERM "$pid"
    for _ in $(seq 1 150); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "The Firebird server (PID $pid) ignores SIGTERM; killing it."
        kill -KILL "$pid"
    fi
    rm -f "$pid_file" "$env_file"
    echo "The Firebird server (PID $pid) has stopped."
}

case "${1:-}" in
    start) start ;;
    stop) stop ;;
    *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
