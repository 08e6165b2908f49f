#!/usr/bin/env bash
# Runs a Windows program in the project's Wine prefix; used as CMake's cross-compiling
# emulator, so every Windows test goes through it. Without a display it starts its own Xvfb.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
"$KESTROVA_ROOT/scripts/wine-prefix.sh"
if [ -n "${DISPLAY:-}" ]; then
    exec wine "$@"
fi
source "$KESTROVA_ROOT/scripts/display.sh"
trap stop_display EXIT
start_display
status=0
wine "$@" || status=$?
exit "$status"
