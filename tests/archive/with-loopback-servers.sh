#!/usr/bin/env bash
# Runs the command with a private FTP server (Debian's pyftpdlib) and HTTP server on
# 127.0.0.1, each on a free port and serving a scratch folder of its own; both are stopped
# by their PIDs when the command ends. The ports and folders reach the command through
# KESTROVA_FTP_PORT, KESTROVA_HTTP_PORT, KESTROVA_FTP_ROOT and KESTROVA_HTTP_ROOT.
set -euo pipefail
work=$(mktemp -d "${KESTROVA_TEST_WORK:-${TMPDIR:-/tmp}}/kestrova-servers.XXXXXX")
ftp_pid=""
http_pid=""
cleanup() {
    for pid in $ftp_pid $http_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
free_port() {
    /usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}
wait_for_port() {
    for _ in $(seq 100); do
        /usr/bin/python3 -c "import socket,sys; socket.create_connection(('127.0.0.1', $1), 0.2)" 2>/dev/null && return 0
        sleep 0.1
    done
    echo "no server on port $1" >&2
    return 1
}
mkdir -p "$work/ftp" "$work/http"
ftp_port=$(free_port)
/usr/bin/python3 -m pyftpdlib -i 127.0.0.1 -p "$ftp_port" -w -d "$work/ftp" -u kestrova -P hoshi \
    >"$work/ftp.log" 2>&1 &
ftp_pid=$!
http_port=$(free_port)
(cd "$work/http" && exec /usr/bin/python3 -m http.server --bind 127.0.0.1 "$http_port" >"$work/http.log" 2>&1) &
http_pid=$!
wait_for_port "$ftp_port"
wait_for_port "$http_port"
export KESTROVA_FTP_PORT=$ftp_port KESTROVA_HTTP_PORT=$http_port
export KESTROVA_FTP_ROOT="Z:$work/ftp" KESTROVA_HTTP_ROOT="Z:$work/http"
status=0
"$@" || status=$?
exit "$status"
