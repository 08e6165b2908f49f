#!/usr/bin/env bash
# Writer benchmark over a 1,000,000-row table, each beside its peer measured in the same run:
#   1. the INSERT writer on PostgreSQL ("百万行" of the benchmark database) against
#      pg_dump --data-only --inserts of the same table
#   2. the INSERT writer on MariaDB (the same rows loaded into the sample database as
#      "百万行" for the run) against mariadb-dump --skip-extended-insert
#   3. the HTML writer over a grid holding the table's rows (read before the clock starts)
#      against psql -H, which reads the rows as well
# Kestrova's times are measured inside the program (connection included), the peers' as
# whole runs (process start and connection included), best of three for the peers.
#   bash scripts/bench-writers.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
source scripts/bench-lib.sh
bench_build writer_benchmark
bench_start_databases

pg_port=$(cat .data/pg.port)
my_port=$(cat .data/mysql.port)
export PGPASSWORD=kestrova
my() { mariadb --no-defaults -h 127.0.0.1 -P "$my_port" -u kestrova -pkestrova --default-character-set=utf8mb4 "$@"; }

work=$(mktemp -d)
cleanup() {
    my sample -e 'drop table if exists `百万行`' >/dev/null 2>&1 || true
    rm -rf "$work"
    stop_display
    bench_stop_databases
}
trap cleanup EXIT
my sample <<'SQL'
drop table if exists `百万行`;
create table `百万行` (`番号` int primary key, `名前` varchar(40), `金額` decimal(12,2), `日付` date);
insert into `百万行` select seq, concat('名前', seq), seq * 0.5, date '2000-01-01' + interval (seq % 9000) day
    from seq_1_to_1000000;
SQL

best() {
    local times="" run start end
    for run in 1 2 3; do
        start=$(date +%s.%N); "$@" >"$work/peer.out"; end=$(date +%s.%N)
        times+="$(echo "$end - $start" | bc -l)"$'\n'
    done
    printf '%s' "$times" | sort -g | head -n 1
}

bench_platform

start_display
status=0
scripts/wine-run.sh "$build_dir/tests/bench/writer_benchmark.exe" "$(winepath -w "$work" 2>/dev/null)" \
    >"$work/figures" 2>"$work/steps" || status=$?
tr -d '\r' <"$work/figures" >"$work/figures.txt"
if [ "$status" != 0 ]; then
    tr -d '\r' <"$work/steps" | iconv -f CP932 -t UTF-8 -c | grep -av '^wine:\|fixme:' || true
    cat "$work/figures.txt"
    echo "writer_benchmark failed (exit $status)"
    exit 1
fi
figure() { awk -v task="$1" -v field="$2" '$1 == task {print $field}' "$work/figures.txt"; }

peer_pg=$(best pg_dump -h 127.0.0.1 -p "$pg_port" -U kestrova -d bench --data-only --inserts -t '"百万行"')
peer_my=$(best mariadb-dump --no-defaults -h 127.0.0.1 -P "$my_port" -u kestrova -pkestrova \
    --skip-extended-insert sample '百万行')
peer_html=$(best psql -h 127.0.0.1 -p "$pg_port" -U kestrova -d bench -H -c 'select * from "百万行"')

verdict() { if [ "$(echo "$1" | bc -l)" = 1 ]; then echo met; else echo missed; fi; }
printf '%-30s %10s %8s %7s %11s %10s  %s\n' task kestrova_s peer_s ratio rows/s "growth MB" goals
for task in insert_pg insert_my html; do
    case $task in
        insert_pg) label="INSERT writer, PostgreSQL"; peer=$peer_pg ;;
        insert_my) label="INSERT writer, MariaDB"; peer=$peer_my ;;
        html) label="HTML writer (grid of the rows)"; peer=$peer_html ;;
    esac
    seconds=$(figure $task 2); rows=$(figure $task 3); private=$(figure $task 4); peak=$(figure $task 5)
    growth=$(echo "if ($private > $peak) $private else $peak" | bc -l)
    rate=$(echo "$rows / $seconds" | bc -l)
    printf '%-30s %10.3f %8.3f %7.2f %11.0f %10.1f  %s\n' "$label" "$seconds" "$peer" \
        "$(echo "$seconds / $peer" | bc -l)" "$rate" "$growth" \
        ">= 100,000 rows/s: $(verdict "$rate >= 100000"); < 30 MB: $(verdict "$growth < 30")"
done
