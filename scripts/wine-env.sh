# Sourced by the scripts that run Windows programs: the project's own Wine prefix,
# the Japanese locale (ANSI code page 932) and quiet Wine logs.
KESTROVA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export KESTROVA_ROOT
export WINEPREFIX="${KESTROVA_WINEPREFIX:-$KESTROVA_ROOT/.wine}"
export WINEARCH=win32
export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers: nothing here needs them and they would ask for downloads.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# The project's ODBC configuration, once the sample databases have written it.
if [ -f "$KESTROVA_ROOT/.data/odbc/odbc.ini" ]; then
    export ODBCSYSINI="$KESTROVA_ROOT/.data/odbc"
    export ODBCINI="$KESTROVA_ROOT/.data/odbc/odbc.ini"
fi
