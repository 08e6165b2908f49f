#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, waits, saves a PNG of the screen and stops
# the program again. Uses $DISPLAY when set, else a private Xvfb.
#   screenshot.sh OUTPUT.png WAIT_SECONDS PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
source "$KESTROVA_ROOT/scripts/display.sh"
output=$1 wait_seconds=$2; shift 2
"$KESTROVA_ROOT/scripts/wine-prefix.sh"
trap stop_display EXIT
start_display
wine "$@" >/dev/null 2>&1 &
program=$!
sleep "$wait_seconds"
mkdir -p "$(dirname "$output")"
import -window root -display "$DISPLAY" "$output"
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
echo "screenshot: $output"
