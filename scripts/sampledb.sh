#!/usr/bin/env bash
# Private PostgreSQL and MariaDB instances on loopback with the sample databases, and the
# project's own unixODBC configuration (DSNs KestrovaPg and KestrovaMy, i386 drivers,
# code page 932 clients).
#   sampledb.sh start   start both (idempotent) and write .data/odbc
#   sampledb.sh stop    stop what start started (by PID)
#   sampledb.sh status  exit 0 when both are running
#   sampledb.sh bench   also create the PostgreSQL benchmark database (DSN KestrovaPgBench)
#   sampledb.sh env     print the exports a shell needs to reach them
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

data="$KESTROVA_ROOT/.data"
pgbin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
i386odbc=/usr/lib/i386-linux-gnu/odbc
user=kestrova
password=kestrova

free_port() {
    local port=$1
    while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do port=$((port + 1)); done
    echo "$port"
}

# The server accounts must reach the data folder; when the checkout lies where they cannot,
# the data goes to a folder of its own under /tmp.
server_folder() {
    local name=$1 owner=$2 folder="$data/$1"
    mkdir -p "$data"
    if [ "$(id -u)" = 0 ] && ! runuser -u "$owner" -- test -x "$data"; then
        if [ ! -f "$data/$name.location" ]; then
            mktemp -d "/tmp/kestrova-$name.XXXXXX" > "$data/$name.location"
            chmod 755 "$(cat "$data/$name.location")"
        fi
        folder="$(cat "$data/$name.location")/$name"
    fi
    echo "$folder"
}

as_owner() {
    local owner=$1; shift
    if [ "$(id -u)" = 0 ]; then runuser -u "$owner" -- "$@"; else "$@"; fi
}

pg_running() {
    local folder; folder=$(server_folder pg postgres)
    [ -f "$folder/postmaster.pid" ] && kill -0 "$(head -n 1 "$folder/postmaster.pid")" 2>/dev/null
}

start_postgres() {
    local folder port; folder=$(server_folder pg postgres)
    if pg_running; then return; fi
    if [ ! -f "$folder/PG_VERSION" ]; then
        mkdir -p "$folder"
        [ "$(id -u)" = 0 ] && chown postgres: "$folder"
        as_owner postgres "$pgbin/initdb" -D "$folder" -U postgres -E UTF8 --locale=C \
            --auth-local=trust --auth-host=scram-sha-256 >/dev/null
    fi
    port=$(free_port 25432)
    as_owner postgres "$pgbin/pg_ctl" -D "$folder" -l "$folder/server.log" -w -s \
        -o "-c listen_addresses=127.0.0.1 -c port=$port -c unix_socket_directories='$folder'" start
    echo "$port" > "$data/pg.port"
    local psql=(as_owner postgres psql -h "$folder" -p "$port" -U postgres -v ON_ERROR_STOP=1 -q)
    if [ "$("${psql[@]}" -tAc "select 1 from pg_database where datname='sample'")" != 1 ]; then
        "${psql[@]}" -c "create role $user login password '$password'"
        "${psql[@]}" -c "create database sample owner $user encoding 'UTF8' template template0"
        PGCLIENTENCODING=UTF8 as_owner postgres psql -h "$folder" -p "$port" -U "$user" -d sample \
            -v ON_ERROR_STOP=1 -q -f "$KESTROVA_ROOT/scripts/sample/postgres.sql"
    fi
}

mariadb_running() {
    local folder; folder=$(server_folder mysql mysql)
    [ -f "$folder/mariadbd.pid" ] && kill -0 "$(cat "$folder/mariadbd.pid")" 2>/dev/null
}

start_mariadb() {
    local folder port; folder=$(server_folder mysql mysql)
    if mariadb_running; then return; fi
    local fresh=0
    if [ ! -d "$folder/mysql" ]; then
        mkdir -p "$folder"
        [ "$(id -u)" = 0 ] && chown mysql: "$folder"
        mariadb-install-db --no-defaults --datadir="$folder" --user=mysql \
            --auth-root-authentication-method=normal --skip-test-db >/dev/null
        fresh=1
    fi
    port=$(free_port 23306)
    local owner_flag=(); [ "$(id -u)" = 0 ] && owner_flag=(--user=mysql)
    mariadbd --no-defaults "${owner_flag[@]}" --datadir="$folder" --port="$port" \
        --bind-address=127.0.0.1 --socket="$folder/mariadbd.sock" --pid-file="$folder/mariadbd.pid" \
        --log-error="$folder/mariadbd.err" --character-set-server=utf8mb4 --skip-name-resolve \
        </dev/null >/dev/null 2>&1 &
    local server=$!
    echo "$port" > "$data/mysql.port"
    until mariadb --no-defaults -S "$folder/mariadbd.sock" -u root -e "select 1" >/dev/null 2>&1; do
        kill -0 "$server" 2>/dev/null || { echo "sampledb: MariaDB did not start, see $folder/mariadbd.err" >&2; exit 1; }
        sleep 0.2
    done
    if [ "$fresh" = 1 ]; then
        mariadb --no-defaults -S "$folder/mariadbd.sock" -u root <<SQL
create database sample character set utf8mb4;
create user '$user'@'%' identified by '$password';
create user '$user'@'localhost' identified by '$password';
create user '$user'@'127.0.0.1' identified by '$password';
grant all on *.* to '$user'@'%';
grant all on *.* to '$user'@'localhost';
grant all on *.* to '$user'@'127.0.0.1';
SQL
        mariadb --no-defaults -S "$folder/mariadbd.sock" -u root --default-character-set=utf8mb4 sample \
            < "$KESTROVA_ROOT/scripts/sample/mariadb.sql"
    fi
}

create_bench_database() {
    local folder port; folder=$(server_folder pg postgres); port=$(cat "$data/pg.port")
    local psql=(as_owner postgres psql -h "$folder" -p "$port" -U postgres -v ON_ERROR_STOP=1 -q)
    # The last table the script creates marks a complete load.
    if [ "$("${psql[@]}" -d bench -tAc "select 1 from pg_tables where tablename='百万行'" 2>/dev/null)" != 1 ]; then
        "${psql[@]}" -c "drop database if exists bench"
        "${psql[@]}" -c "create database bench owner $user encoding 'UTF8' template template0"
        PGCLIENTENCODING=UTF8 as_owner postgres psql -h "$folder" -p "$port" -U "$user" -d bench \
            -v ON_ERROR_STOP=1 -q -f "$KESTROVA_ROOT/scripts/bench/postgres-bench.sql"
    fi
}

write_odbc_config() {
    mkdir -p "$data/odbc"
    cat > "$data/odbc/odbcinst.ini" <<INI
[Kestrova PostgreSQL]
Description=PostgreSQL (ANSI), i386
Driver=$i386odbc/psqlodbca.so

[Kestrova MariaDB]
Description=MariaDB Connector/ODBC, i386
Driver=$i386odbc/libmaodbc.so

[Microsoft Access Driver (*.mdb)]
Description=mdbtools (read-only), i386
Driver=$i386odbc/libmdbodbc.so

[SQL Server]
Description=FreeTDS, i386
Driver=$i386odbc/libtdsodbc.so

[SQLite3]
Description=SQLite 3, i386
Driver=$i386odbc/libsqlite3odbc.so
INI
    cat > "$data/odbc/odbc.ini" <<INI
[KestrovaPg]
Driver=Kestrova PostgreSQL
Servername=127.0.0.1
Port=$(cat "$data/pg.port")
Database=sample
ConnSettings=set client_encoding to 'SJIS'
UseDeclareFetch=1
Fetch=100

[KestrovaPgBench]
Driver=Kestrova PostgreSQL
Servername=127.0.0.1
Port=$(cat "$data/pg.port")
Database=bench
ConnSettings=set client_encoding to 'SJIS'
UseDeclareFetch=1
Fetch=100

[KestrovaMy]
Driver=Kestrova MariaDB
SERVER=127.0.0.1
PORT=$(cat "$data/mysql.port")
DATABASE=sample
CHARSET=cp932
INI
}

stop_all() {
    local folder
    folder=$(server_folder pg postgres)
    if pg_running; then as_owner postgres "$pgbin/pg_ctl" -D "$folder" -w -s -m fast stop; fi
    folder=$(server_folder mysql mysql)
    if mariadb_running; then
        local pid; pid=$(cat "$folder/mariadbd.pid")
        kill "$pid"
        while kill -0 "$pid" 2>/dev/null; do sleep 0.2; done
    fi
}

case "${1:-}" in
start)
    start_postgres
    start_mariadb
    write_odbc_config
    echo "sampledb: PostgreSQL on 127.0.0.1:$(cat "$data/pg.port") (DSN KestrovaPg)," \
         "MariaDB on 127.0.0.1:$(cat "$data/mysql.port") (DSN KestrovaMy); user/password $user/$password"
    ;;
stop)
    stop_all
    ;;
status)
    pg_running && mariadb_running
    ;;
bench)
    start_postgres
    create_bench_database
    ;;
env)
    echo "export ODBCSYSINI='$data/odbc' ODBCINI='$data/odbc/odbc.ini'"
    ;;
*)
    echo "usage: $0 start|stop|status|bench|env" >&2
    exit 2
    ;;
esac
