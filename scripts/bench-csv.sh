#!/usr/bin/env bash
# CSV benchmark over 1,000,000 rows, each beside its peer measured in the same run:
#   1. the import of a 1,000,000-line Shift_JIS CSV file of 8 columns (numbers, decimals,
#      dates, times, Japanese text; every 10,000th line rejected by the database) into
#      PostgreSQL, against psql's \copy of the same file
#   2. the same into MariaDB, against load data local infile of the same file
#   3. the export of "百万行" from PostgreSQL to CSV, against psql's \copy ... to
#   4. the export's bridge copying "百万行" from PostgreSQL into MariaDB (select-into: the
#      table created by the bridge), against psql's \copy to a file followed by MariaDB's
#      load data local infile of it
# Kestrova's figures are measured inside the program the way the dialogs run (connection
# included); the peers' are whole runs, best of three, the table emptied before each.
#   bash scripts/bench-csv.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
source scripts/bench-lib.sh
bench_build csv_benchmark
bench_start_databases

pg_port=$(cat .data/pg.port)
my_port=$(cat .data/mysql.port)
export PGPASSWORD=kestrova
pg() { psql -h 127.0.0.1 -p "$pg_port" -U kestrova -d bench -q -v ON_ERROR_STOP=1 "$@"; }
my() { mariadb --no-defaults -h 127.0.0.1 -P "$my_port" -u kestrova -pkestrova --default-character-set=utf8mb4 "$@"; }

work=$(mktemp -d)
chmod 755 "$work"
cleanup() {
    pg -c 'drop table if exists "取込計測"' >/dev/null 2>&1 || true
    my sample -e 'drop table if exists `取込計測`; drop table if exists `百万行写`' >/dev/null 2>&1 || true
    rm -rf "$work"
    stop_display
    bench_stop_databases
}
trap cleanup EXIT

csv="$work/import.csv"
# Every 10,000th line has a date no database takes.
awk 'BEGIN {
    for (n = 1; n <= 1000000; n++) {
        day = (n % 10000 == 0) ? "2024-13-45" : sprintf("20%02d-%02d-%02d", n % 25, n % 12 + 1, n % 28 + 1);
        printf "%d,社員①～%d,%d.%02d,%s,%s %02d:%02d:%02d,%d,髙橋ソ表の備考 %d,%s\r\n",
            n, n, n % 100000, n % 100, day, day == "2024-13-45" ? "2024-01-01" : day, n % 24, n % 60, n % 60,
            n % 1000, n, (n % 3 == 0) ? "甲" : "乙";
    }
}' | iconv -f UTF-8 -t CP932 > "$csv"
columns='("番号" int primary key, "名前" varchar(40), "金額" numeric(12,2), "日付" date, "時刻" timestamp, "数量" int, "備考" text, "区分" varchar(10))'
pg -c "drop table if exists \"取込計測\"; create table \"取込計測\" $columns"
my sample -e 'drop table if exists `百万行写`'
my sample -e "drop table if exists \`取込計測\`; create table \`取込計測\` $(echo "$columns" | tr '"' '`' | sed 's/timestamp/datetime/')"

bench_platform

start_display
status=0
scripts/wine-run.sh "$build_dir/tests/bench/csv_benchmark.exe" "$(winepath -w "$work" 2>/dev/null)" \
    "$(winepath -w "$csv" 2>/dev/null)" >"$work/figures" 2>"$work/steps" || status=$?
tr -d '\r' <"$work/figures" >"$work/figures.txt"
tr -d '\r' <"$work/steps" | iconv -f CP932 -t UTF-8 -c | grep -av '^wine:\|fixme:' | sed 's/^/  /' || true
if [ "$status" != 0 ]; then
    cat "$work/figures.txt"
    echo "csv_benchmark failed (exit $status)"
    exit 1
fi
figure() { awk -v task="$1" -v field="$2" '$1 == task {print $field}' "$work/figures.txt"; }

best() {
    local times="" run start end
    for run in 1 2 3; do
        [ -n "${before_each:-}" ] && eval "$before_each" >/dev/null 2>&1
        start=$(date +%s.%N); "$@" >/dev/null 2>&1 || true; end=$(date +%s.%N)
        times+="$(echo "$end - $start" | bc -l)"$'\n'
    done
    printf '%s' "$times" | sort -g | head -n 1
}
# The peers stop at a bad line: theirs is the file without the rejected lines.
grep -av '2024-13-45' "$csv" > "$work/clean.csv"
before_each='pg -c "truncate \"取込計測\""'
peer_pg=$(best pg -c "\\copy \"取込計測\" from '$work/clean.csv' with (format csv, encoding 'SJIS')")
before_each='my sample -e "truncate \`取込計測\`"'
peer_my=$(best my --local-infile=1 sample -e "load data local infile '$work/clean.csv' into table \`取込計測\` character set cp932 fields terminated by ',' lines terminated by '\\r\\n'")
before_each=''
peer_export=$(best pg -c "\\copy \"百万行\" to '$work/peer.csv' with (format csv)")
my sample -e 'create table `百万行peer` (`番号` int primary key, `名前` varchar(40), `金額` decimal(12,2), `日付` date)'
before_each='my sample -e "truncate \`百万行peer\`"'
bridge_peer() {
    pg -c "\\copy \"百万行\" to '$work/bridge.csv' with (format csv)" &&
        my --local-infile=1 sample -e "load data local infile '$work/bridge.csv' into table \`百万行peer\` fields terminated by ','"
}
peer_bridge=$(best bridge_peer)
my sample -e 'drop table `百万行peer`'
before_each=

verdict() { if [ "$(echo "$1" | bc -l)" = 1 ]; then echo met; else echo missed; fi; }
printf '%-28s %10s %8s %7s %10s %10s %9s  %s\n' task kestrova_s peer_s ratio rows/s "growth MB" lines goals
for task in import_pg import_my export_pg bridge_pg_my; do
    case $task in
        import_pg) label="import, PostgreSQL"; peer=$peer_pg; goal=30000; memory=50 ;;
        import_my) label="import, MariaDB"; peer=$peer_my; goal=30000; memory=50 ;;
        export_pg) label="export, PostgreSQL"; peer=$peer_export; goal=150000; memory=30 ;;
        bridge_pg_my) label="bridge, PostgreSQL → MariaDB"; peer=$peer_bridge; goal=20000; memory=50 ;;
    esac
    seconds=$(figure $task 2); rows=$(figure $task 3); private=$(figure $task 4); peak=$(figure $task 5)
    lines=$(figure $task 6)
    growth=$(echo "if ($private > $peak) $private else $peak" | bc -l)
    rate=$(echo "$rows / $seconds" | bc -l)
    printf '%-28s %10.3f %8.3f %7.2f %10.0f %10.1f %9s  %s\n' "$label" "$seconds" "$peer" \
        "$(echo "$seconds / $peer" | bc -l)" "$rate" "$growth" "$lines" \
        ">= $goal rows/s: $(verdict "$rate >= $goal"); < $memory MB: $(verdict "$growth < $memory")"
done
