#!/usr/bin/env bash
# Installs what is missing, builds the Windows build, starts the sample databases and
# launches the program folder's Kestrova under Wine (on $DISPLAY, else under Xvfb with a
# screenshot in artifacts/).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bash scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$(nproc)" >/dev/null
scripts/wine-prefix.sh
scripts/sampledb.sh start
program_folder="$root/build/win32/Kestrova"
echo "program folder: $program_folder"
if [ ! -f "$program_folder/Kestrova.exe" ]; then
    echo "Kestrova.exe is not built yet; showing the display check window instead."
    scripts/screenshot.sh artifacts/display-check.png 8 build/win32/tests/platform/hello_window.exe 10
    exit 0
fi
source scripts/wine-env.sh
if [ -n "${DISPLAY:-}" ]; then
    cd "$program_folder" && exec wine Kestrova.exe
fi
scripts/screenshot.sh artifacts/kestrova.png 15 "$program_folder/Kestrova.exe"
