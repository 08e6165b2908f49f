#!/usr/bin/env bash
# Installs what is missing, builds the Windows and the native build, and runs every test
# of both: the native ones directly, the Windows ones under Wine with one Xvfb and one
# wineserver for the whole run. The last line is "N passed, N failed".
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
started=$(date +%s)

bash scripts/setup.sh || exit 1
source scripts/wine-env.sh
source scripts/display.sh

build() {
    local preset=$1 log="$root/build/$1-build.log"
    mkdir -p "$root/build"
    if ! { cmake --preset "$preset" && cmake --build --preset "$preset" -j "$(nproc)"; } >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "build $preset failed (log: $log)"
        echo "0 passed, 1 failed"
        exit 1
    fi
    echo "built $preset at $(( $(date +%s) - started )) s"
}
build native
build win32

scripts/wine-prefix.sh || exit 1
# Stop at the end only what this run started: databases, display and wineserver.
databases_were_running=0
scripts/sampledb.sh status 2>/dev/null && databases_were_running=1
wineserver_pid=""
keeper_pid=""
cleanup() {
    if [ -n "$keeper_pid" ]; then
        kill "$keeper_pid" 2>/dev/null || true
        wait "$keeper_pid" 2>/dev/null || true
    fi
    if [ -n "$wineserver_pid" ] && kill -0 "$wineserver_pid" 2>/dev/null; then
        # Our own server: end it with the Wine processes of its session (services and the like).
        wineserver -k 2>/dev/null || kill "$wineserver_pid" 2>/dev/null || true
        wait "$wineserver_pid" 2>/dev/null || true
    fi
    [ "$databases_were_running" = 1 ] || scripts/sampledb.sh stop || true
    stop_display
}
trap cleanup EXIT
start_display
scripts/sampledb.sh start >/dev/null || { echo "sample databases did not start"; echo "0 passed, 1 failed"; exit 1; }
source scripts/wine-env.sh   # picks up the ODBC configuration just written
# One persistent wineserver keeps Wine process starts cheap; when one already serves the
# prefix this one exits at once and the running one is used.
wineserver -f -p &
wineserver_pid=$!

if ! scripts/wine-run.sh build/win32/tests/platform/platform_tests.exe \
        --gtest_filter=Platform.AnsiCodePageIsShiftJis >/dev/null 2>&1; then
    echo "FATAL: the Wine prefix $WINEPREFIX does not run with ANSI code page 932" \
         "(is the ja_JP.UTF-8 locale generated?)"
    echo "0 passed, 1 failed"
    exit 1
fi
echo "wine prefix: ANSI code page 932"
# One desktop process for every test program (see tests/platform/DesktopKeeper.cpp); its
# output goes nowhere, so that nothing it starts holds on to CTest's pipes.
wine build/win32/tests/platform/DesktopKeeper.exe </dev/null >/dev/null 2>&1 &
keeper_pid=$!

rm -f build/{native,win32}/test-reports/*.xml build/{native,win32}/Testing/Temporary/LastTestsFailed.log
# The native tests (fuzz runs of a few seconds each among them) run side by side; the
# Windows ones one after another, as they share one display, clipboard and focus.
echo "== tests: native"
ctest --test-dir build/native -j "$(nproc)" --output-on-failure --timeout 1200 2>&1 | grep -v '^$'
echo "== tests: win32"
ctest --test-dir build/win32 --output-on-failure --timeout 1200 2>&1 | grep -v '^$'

echo "elapsed: $(( $(date +%s) - started )) s"
scripts/test-summary.sh build/native build/win32
