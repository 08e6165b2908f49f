#!/usr/bin/env bash
# Data view benchmark against the sample PostgreSQL instance, psql measured in the same run:
#   1. opening the data view of the 1,000,000-row table with row limit 1,000 (best of three,
#      with the memory growth) against psql reading the same 1,000 rows
#   2. GridView::SortByColumn over 10,000 rows of the view; the view's header double-click
#      (a reload with ORDER BY) for the same rows, beside psql's ordered read, as information
#   3. "更新" of 1,000 edited rows of a scratch table against psql running the same UPDATE
#      statements from one file (autocommit per statement in both)
#   4. copying 100,000 rows of the view to the clipboard
# Kestrova's times are measured inside the program (connection included); psql's are whole
# runs of psql (process start and connection included), best of three.
#   bash scripts/bench-dataview.sh
#   BUILD_DIR=build/other bash scripts/bench-dataview.sh   (another Windows build tree; default build/win32)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
build_dir="${BUILD_DIR:-build/win32}"
if [ "$build_dir" = build/win32 ]; then
    cmake --preset win32 >/dev/null
elif [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build_dir" --target dataview_benchmark -j "$(nproc)" >/dev/null

databases_were_running=0
scripts/sampledb.sh status >/dev/null 2>&1 && databases_were_running=1
scripts/sampledb.sh start >/dev/null
scripts/sampledb.sh bench >/dev/null
source scripts/wine-env.sh
source scripts/display.sh

port=$(cat .data/pg.port)
export PGPASSWORD=kestrova PGCLIENTENCODING=SJIS
psql_run() { psql -h 127.0.0.1 -p "$port" -U kestrova -d bench -q -o /dev/null -v ON_ERROR_STOP=1 "$@"; }

work=$(mktemp -d)
cleanup() {
    # The program leaves its scratch table for the psql peer; it goes here in any case.
    [ -f "$work/drop.sql" ] && psql_run -f "$work/drop.sql" >/dev/null 2>&1 || true
    rm -rf "$work"
    stop_display
    [ "$databases_were_running" = 1 ] || scripts/sampledb.sh stop >/dev/null || true
}
trap cleanup EXIT
# psql reads its statements in the client encoding, code page 932 like the program's.
sql_file() { iconv -f UTF-8 -t CP932 > "$work/$1.sql"; echo "$work/$1.sql"; }
sql_file drop <<<'drop table if exists "更新計測";' >/dev/null
open_sql=$(echo 'select * from "百万行" limit 1000;' | sql_file open)
header_sql=$(echo 'select * from "百万行" order by "名前" limit 10000;' | sql_file header)
updates="$work/dataview_updates.sql"   # written by the program: the view's own statements

best_psql() {
    local times="" run start end
    for run in 1 2 3; do
        start=$(date +%s.%N); psql_run -f "$1"; end=$(date +%s.%N)
        times+="$(echo "$end - $start" | bc -l)"$'\n'
    done
    printf '%s' "$times" | sort -g | head -n 1
}

# Where i386 code (Wine, the drivers) runs under qemu-user, every instruction and call of the
# program costs many times what it costs natively, while psql runs natively either way.
if [ -r /proc/sys/fs/binfmt_misc/qemu-i386 ] && head -n 1 /proc/sys/fs/binfmt_misc/qemu-i386 | grep -qx enabled; then
    echo "i386 code: emulated (qemu-user); psql: native"
else
    echo "i386 code: native"
fi
echo "build: $build_dir"

start_display
status=0
scripts/wine-run.sh "$build_dir/tests/bench/dataview_benchmark.exe" "$(winepath -w "$work" 2>/dev/null)" \
    >"$work/figures" 2>"$work/steps" || status=$?
if [ "$status" != 0 ] || [ ! -s "$updates" ]; then
    cat "$work/steps" "$work/figures"
    echo "dataview_benchmark failed (exit $status)"
    exit 1
fi
# The program writes code page 932 with CR LF.
tr -d '\r' <"$work/figures" >"$work/figures.txt"
# KESTROVA_BENCH_STEPS=1: the program's steps and checks too.
if [ -n "${KESTROVA_BENCH_STEPS:-}" ]; then
    tr -d '\r' <"$work/steps" | iconv -f CP932 -t UTF-8 -c | grep -av '^wine:\|fixme:' | sed 's/^/  /'
fi
figure() { awk -v task="$1" -v field="$2" '$1 == task {print $field}' "$work/figures.txt"; }

psql_open=$(best_psql "$open_sql")
psql_header=$(best_psql "$header_sql")
psql_apply=$(best_psql "$updates")

verdict() { if [ "$(echo "$1" | bc -l)" = 1 ]; then echo met; else echo missed; fi; }
ratio() { echo "$1 / $2" | bc -l; }
printf '%-34s %10s %8s %7s  %s\n' task kestrova_s psql_s ratio goal
open_s=$(figure open 2); open_ratio=$(ratio "$open_s" "$psql_open")
printf '%-34s %10.3f %8.3f %7.2f  %s\n' "open, row limit 1,000 of 1,000,000" "$open_s" "$psql_open" "$open_ratio" \
    "within 2x psql: $(verdict "$open_ratio <= 2")"
ws=$(figure open 4); private=$(figure open 3); private_seen=$(figure open 5)
if [ "$(echo "$private_seen > 0" | bc -l)" = 1 ]; then
    growth="private bytes +$private MB, working set +$ws MB"
    largest=$(echo "if ($private > $ws) $private else $ws" | bc -l)
else
    growth="working set +$ws MB (private bytes not reported)"
    largest=$ws
fi
printf '%-34s %s  %s\n' "  memory growth of the open" "$growth" "< 30 MB: $(verdict "$largest < 30")"
sort_s=$(figure sort 2)
printf '%-34s %10.3f %8s %7s  %s\n' "SortByColumn, 10,000 rows" "$sort_s" - - "< 0.2 s: $(verdict "$sort_s < 0.2")"
header_s=$(figure header 2)
printf '%-34s %10.3f %8.3f %7.2f  %s\n' "header double-click, 10,000 rows" "$header_s" "$psql_header" \
    "$(ratio "$header_s" "$psql_header")" "information (reload with ORDER BY)"
apply_s=$(figure apply 2); apply_ratio=$(ratio "$apply_s" "$psql_apply")
printf '%-34s %10.3f %8.3f %7.2f  %s\n' "更新 of 1,000 edited rows" "$apply_s" "$psql_apply" "$apply_ratio" \
    "within 2x psql: $(verdict "$apply_ratio <= 2")"
copy_s=$(figure copy 2)
printf '%-34s %10.3f %8s %7s  %s\n' "copy of 100,000 rows" "$copy_s" - - "< 1 s: $(verdict "$copy_s < 1")"
