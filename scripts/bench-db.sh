#!/usr/bin/env bash
# Database benchmark against the sample PostgreSQL instance, each task also done by psql:
#   1. table list of a database with 5,000 tables
#   2. Free SQL fill of 1,000 rows x 20 columns (row limit 1000)
#   3. a batch of 1,000 INSERT statements
#   4. opening a 1,000,000-row table with row limit 50 (time and peak memory growth)
# Kestrova's times are measured inside the program (connection included); psql's are whole
# runs of psql (process start and connection included). Best of three runs each.
#   bash scripts/bench-db.sh
#   BUILD_DIR=build/other bash scripts/bench-db.sh   (another Windows build tree; default build/win32)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
build_dir="${BUILD_DIR:-build/win32}"
if [ "$build_dir" = build/win32 ]; then
    cmake --preset win32 >/dev/null
elif [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build_dir" --target db_benchmark -j "$(nproc)" >/dev/null
scripts/sampledb.sh start >/dev/null
scripts/sampledb.sh bench >/dev/null
source scripts/wine-env.sh

port=$(cat .data/pg.port)
export PGPASSWORD=kestrova PGCLIENTENCODING=SJIS
psql_run() { psql -h 127.0.0.1 -p "$port" -U kestrova -d bench -q -o /dev/null "$@"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# psql reads its statements in the client encoding, code page 932 like the program's.
sql_file() { iconv -f UTF-8 -t CP932 > "$work/$1.sql"; echo "$work/$1.sql"; }
inserts="$work/inserts.sql"
for i in $(seq 1 1000); do
    printf 'insert into "挿入先" values (%d, '"'"'行①～%d'"'"', %d.5);\n' "$i" "$i" "$i"
done | iconv -f UTF-8 -t CP932 > "$inserts"
# The program's PostgreSQL table list runs both catalog statements on one connection.
tables_sql=$(printf '%s\n' "select * from pg_tables where schemaname != 'information_schema' order by schemaname desc;" \
    "select * from pg_views where schemaname != 'information_schema' order by schemaname desc;" | sql_file tables)
fill_sql=$(echo 'select * from "二十列";' | sql_file fill)
million_sql=$(printf '%s\n' 'select count(*) from "百万行";' 'select * from "百万行" limit 50;' | sql_file million)
recreate_sql=$(printf '%s\n' 'drop table if exists "挿入先";' \
    'create table "挿入先" ("番号" integer primary key, "名前" varchar(40), "値" numeric);' | sql_file recreate)

psql_task() {
    case $1 in
    tables) psql_run -f "$tables_sql" ;;
    fill) psql_run -f "$fill_sql" ;;
    batch) psql_run -f "$inserts" ;;
    million) psql_run -f "$million_sql" ;;
    esac
}

best() { sort -g | head -n 1; }

# Where i386 code (Wine, the drivers) runs under qemu-user, every instruction and call of the
# program costs many times what it costs natively, while psql runs natively either way.
if [ -r /proc/sys/fs/binfmt_misc/qemu-i386 ] && head -n 1 /proc/sys/fs/binfmt_misc/qemu-i386 | grep -qx enabled; then
    echo "i386 code: emulated (qemu-user); psql: native"
else
    echo "i386 code: native"
fi
echo "build: $build_dir"
printf '%-8s %12s %10s %8s %12s\n' task kestrova_s psql_s ratio memory_MB
for task in tables fill batch million; do
    kestrova=""
    memory=""
    for run in 1 2 3; do
        line=$(scripts/wine-run.sh "$build_dir/tests/bench/db_benchmark.exe" "$task" 2>/dev/null | grep "^$task ")
        kestrova+="$(awk '{print $2}' <<<"$line")"$'\n'
        memory+="$(awk '{print $3}' <<<"$line")"$'\n'
    done
    psql_times=""
    for run in 1 2 3; do
        [ "$task" = batch ] && psql_run -f "$recreate_sql"
        start=$(date +%s.%N); psql_task "$task"; end=$(date +%s.%N)
        psql_times+="$(echo "$end - $start" | bc -l)"$'\n'
    done
    k=$(printf '%s' "$kestrova" | best)
    p=$(printf '%s' "$psql_times" | best)
    m=$(printf '%s' "$memory" | sort -g | tail -n 1)
    printf '%-8s %12.3f %10.3f %8.2f %12s\n' "$task" "$k" "$p" "$(echo "$k / $p" | bc -l)" "$m"
done
