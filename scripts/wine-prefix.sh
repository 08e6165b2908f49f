#!/usr/bin/env bash
# Creates the project's Wine prefix once: Japanese font replacements for the faces the
# program asks for, and a check that the ANSI code page inside it is 932.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

marker="$WINEPREFIX/.kestrova-ready"
[ -f "$marker" ] && exit 0

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$marker" ] && exit 0

echo "wine-prefix: creating $WINEPREFIX" >&2
wineboot -i >/dev/null 2>&1 || true
wineserver -w

reg="$(mktemp --suffix=.reg)"
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for face in "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "MS Sans Serif" \
                "ＭＳ Ｐゴシック" "MS PGothic"; do
        printf '"%s"="IPAPGothic"\r\n' "$face"
    done
    printf '"ＭＳ ゴシック"="IPAGothic"\r\n"MS Gothic"="IPAGothic"\r\n'
    printf '"ＭＳ Ｐ明朝"="IPAPMincho"\r\n"MS PMincho"="IPAPMincho"\r\n'
    printf '"ＭＳ 明朝"="IPAMincho"\r\n"MS Mincho"="IPAMincho"\r\n'
} | { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } > "$reg"
wine regedit /S "$reg" >/dev/null 2>&1
wineserver -w
rm -f "$reg"
touch "$marker"
echo "wine-prefix: ready" >&2
