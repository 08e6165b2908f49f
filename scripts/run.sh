#!/usr/bin/env bash
# Command 1: installs what is missing, builds the Windows build, starts the sample databases,
# offers their DSNs in the PostgreSQL and MySQL connection histories and launches the program
# folder's Kestrova under Wine. On $DISPLAY the program is left to the user (Ctrl+P, Enter);
# without a display it runs under Xvfb, connects to the sample PostgreSQL the same way and
# saves screenshots in artifacts/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bash scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$(nproc)" >/dev/null
scripts/wine-prefix.sh
scripts/sampledb.sh start
program_folder="$root/build/win32/Kestrova"
demo="$root/build/win32/tests/app/KestrovaDemo.exe"
echo "program folder: $program_folder"

# A section the user already has is left alone: the history is theirs.
offer_connection() {
    local section=$1 argument=$2 ini="$program_folder/Kestrova.ini"
    if [ -f "$ini" ] && grep -q "^\[$section\]" "$ini"; then
        return
    fi
    printf '[%s]\r\nLastConnect=%s\r\nCn1=%s\r\n' "$section" "$argument" "$argument" >>"$ini"
}
offer_connection Postgres "KestrovaPg,sample,kestrova,kestrova"
offer_connection MySQL "KestrovaMy,sample,kestrova,kestrova"

source scripts/wine-env.sh
# Scripts run from the command area create Vorn's objects by ProgID: registered in this
# prefix only, once a display is there (a Wine session started without one keeps no display
# for the programs that follow it).
register_vorn() { wine regsvr32 /s "$program_folder/Vorn.dll" || echo "run: registering Vorn.dll failed" >&2; }
if [ -n "${DISPLAY:-}" ]; then
    register_vorn
    echo "Kestrova starts: Ctrl+P then Enter connects to the sample PostgreSQL database (Ctrl+M: MariaDB)."
    cd "$program_folder" && exec wine Kestrova.exe
fi

source scripts/display.sh
trap stop_display EXIT
start_display
register_vorn
mkdir -p artifacts
step() { echo "$(date +%T) $*"; }
step "starting Kestrova"
(cd "$program_folder" && exec wine Kestrova.exe >/dev/null 2>&1) &
kestrova=$!
sleep 8
step "Ctrl+P: the PostgreSQL connection dialog"
wine "$demo" dialog
sleep 1
import -window root -display "$DISPLAY" artifacts/kestrova-connect-dialog.png
step "Enter: connect, then show the definition of 社員"
wine "$demo" connect
sleep 1
import -window root -display "$DISPLAY" artifacts/kestrova.png
step "a VBScript run that uses Vorn.BatchHelper; its output comes back into the lower list"
wine "$demo" viewresult
sleep 1
import -window root -display "$DISPLAY" artifacts/kestrova-viewresult.png
step "closing Kestrova"
wine "$demo" close
wait "$kestrova" 2>/dev/null || true
step "done"
echo "screenshots: artifacts/kestrova-connect-dialog.png artifacts/kestrova.png artifacts/kestrova-viewresult.png"
