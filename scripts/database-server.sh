# Sourced by ./test and scripts/sanitize.sh: starts a throwaway PostgreSQL
# cluster in a temporary folder, reachable only on 127.0.0.1, with a role ztd
# (password in a private pgpass file) owning the database ztd_test. Where it
# cannot run, the PostgreSQL tests skip themselves and the stage line says why.

ZTD_POSTGRES_BIN=/usr/lib/postgresql/15/bin
ZTD_POSTGRES_DIR=
ZTD_POSTGRES_AS_OWNER=()

# ztd_postgres_port_taken PORT : true when something listens on 127.0.0.1:PORT.
ztd_postgres_port_taken() {
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

ztd_postgres_give_up() {
    [ -f "$ZTD_POSTGRES_DIR/postgres.log" ] && cp "$ZTD_POSTGRES_DIR/postgres.log" "$ZTD_BUILD/postgres.log"
    ztd_stage "Datenbankserver: $*, die PostgreSQL-Tests entfallen (siehe $ZTD_BUILD/postgres.log)"
    ztd_stop_database_server
    return 0
}

# The server's settings come from ZTD_POSTGRES_SETTINGS when it is set
# (scripts/bench.sh: as on a real server); the tests' cluster need not
# survive a crash, so it skips writing through to the disk.
ztd_start_database_server() {
    local settings=${ZTD_POSTGRES_SETTINGS:-"-c fsync=off -c synchronous_commit=off -c full_page_writes=off"}
    if [ ! -x "$ZTD_POSTGRES_BIN/initdb" ]; then
        ztd_stage "Datenbankserver: PostgreSQL 15 ist nicht installiert, die PostgreSQL-Tests entfallen"
        return 0
    fi
    ZTD_POSTGRES_DIR=$(mktemp -d /tmp/ztd-postgres.XXXXXX)
    local cluster="$ZTD_POSTGRES_DIR/cluster"
    mkdir -m 0700 "$cluster"
    : >"$ZTD_POSTGRES_DIR/postgres.log"
    # initdb refuses root: the cluster belongs to nobody, the pgpass file to
    # whoever runs the tests.
    if [ "$(id -u)" -eq 0 ]; then
        chmod 0711 "$ZTD_POSTGRES_DIR"
        chown nobody "$cluster" "$ZTD_POSTGRES_DIR/postgres.log"
        ZTD_POSTGRES_AS_OWNER=(runuser -u nobody --)
    fi
    local password
    password=$(od -An -tx1 -N16 /dev/urandom | tr -d ' \n')
    # The superuser postgres logs in only through the socket in the private
    # folder; ztd only over TCP with its password.
    "${ZTD_POSTGRES_AS_OWNER[@]}" "$ZTD_POSTGRES_BIN/initdb" -D "$cluster/data" -U postgres \
        --auth-local=trust --auth-host=scram-sha-256 --no-sync --encoding=UTF8 \
        --locale=C.UTF-8 >>"$ZTD_POSTGRES_DIR/postgres.log" 2>&1 ||
        { ztd_postgres_give_up "initdb schlägt fehl"; return 0; }
    local port started=
    for _ in 1 2 3 4 5; do
        port=$((20000 + RANDOM % 40000))
        ztd_postgres_port_taken "$port" && continue
        "${ZTD_POSTGRES_AS_OWNER[@]}" "$ZTD_POSTGRES_BIN/pg_ctl" -D "$cluster/data" -w -t 10 \
            -l "$ZTD_POSTGRES_DIR/postgres.log" -o "-p $port -k $cluster \
            -c listen_addresses=127.0.0.1 $settings" start \
            >>"$ZTD_POSTGRES_DIR/postgres.log" 2>&1 &&
            { started=1; break; }
    done
    [ -n "$started" ] || { ztd_postgres_give_up "PostgreSQL startet nicht"; return 0; }
    printf "CREATE ROLE ztd LOGIN CREATEDB PASSWORD '%s';\nCREATE DATABASE ztd_test OWNER ztd;\n" \
        "$password" | "${ZTD_POSTGRES_AS_OWNER[@]}" "$ZTD_POSTGRES_BIN/psql" -X -q \
        -v ON_ERROR_STOP=1 -h "$cluster" -p "$port" -U postgres -d postgres \
        >>"$ZTD_POSTGRES_DIR/postgres.log" 2>&1 ||
        { ztd_postgres_give_up "Rolle und Datenbank ztd lassen sich nicht anlegen"; return 0; }
    (
        umask 077
        printf '127.0.0.1:%s:ztd_test:ztd:%s\n127.0.0.1:%s:*:ztd:%s\n' \
            "$port" "$password" "$port" "$password" >"$ZTD_POSTGRES_DIR/pgpass"
    )
    export PGPASSFILE="$ZTD_POSTGRES_DIR/pgpass"
    export ZTD_TEST_POSTGRES="postgresql://ztd@127.0.0.1:$port/ztd_test"
    ztd_stage "Datenbankserver: PostgreSQL 15 auf 127.0.0.1:$port, Datenbank ztd_test"
}

ztd_stop_database_server() {
    [ -n "$ZTD_POSTGRES_DIR" ] || return 0
    local data="$ZTD_POSTGRES_DIR/cluster/data"
    if [ -f "$data/postmaster.pid" ]; then
        "${ZTD_POSTGRES_AS_OWNER[@]}" "$ZTD_POSTGRES_BIN/pg_ctl" -D "$data" -m immediate -w \
            stop >/dev/null 2>&1 ||
            kill -9 "$(head -n 1 "$data/postmaster.pid")" 2>/dev/null || true
    fi
    rm -rf "$ZTD_POSTGRES_DIR"
    ZTD_POSTGRES_DIR=
    unset ZTD_TEST_POSTGRES PGPASSFILE
}
