# shellcheck shell=bash
# A private, throw-away PostgreSQL cluster for the test run.
#
#   pgcluster_start   creates the cluster in a temporary folder, starts it on a free loopback port,
#                     creates the database "eqtest" with citext and exports EQ_TEST_PG*
#   pgcluster_stop    stops the cluster (if it runs) and removes the folder
#
# The server listens on 127.0.0.1 only and asks every client for its password (scram-sha-256, on
# the unix socket as well), so a wrong password is refused for real. PostgreSQL refuses to run as
# root; when root, the cluster belongs to the "postgres" user and every server command goes
# through runuser.

PGC_PASSWORD="eq-test-Pw1"
PGC_DB="eqtest"
PGC_USER="sa"
PGC_DIR=""
PGC_PORT=""
PGC_BIN=""

# Newest installed server version: /usr/lib/postgresql/<version>/bin.
pgcluster__bindir() {
    local d v=""
    for d in /usr/lib/postgresql/*/bin/initdb; do
        d=${d#/usr/lib/postgresql/}
        d=${d%%/*}
        if [[ $d =~ ^[0-9]+$ ]] && { [ -z "$v" ] || [ "$d" -gt "$v" ]; }; then v=$d; fi
    done
    if [ -z "$v" ] || [ ! -x "/usr/lib/postgresql/$v/bin/initdb" ]; then
        echo "pgcluster: no PostgreSQL server found under /usr/lib/postgresql" >&2
        return 1
    fi
    echo "/usr/lib/postgresql/$v/bin"
}

# Prefix that runs a command as the cluster's owner (nothing when not root).
pgcluster__as_owner() {
    if [ "$(id -u)" -eq 0 ]; then
        printf 'runuser -u postgres -- '
    fi
}

pgcluster__port_free() {
    local p=$1
    if command -v ss >/dev/null 2>&1; then
        [ -z "$(ss -ltnH "sport = :$p" 2>/dev/null)" ] || return 1
    fi
    # Something accepting on the loopback address means the port is taken.
    ! (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null
}

pgcluster__free_port() {
    local p=$1
    while [ "$p" -lt 65000 ]; do
        if pgcluster__port_free "$p"; then
            echo "$p"
            return 0
        fi
        p=$((p + 1))
    done
    echo "pgcluster: no free port" >&2
    return 1
}

pgcluster_start() {
    PGC_BIN=$(pgcluster__bindir) || return 1
    local owner
    owner=$(pgcluster__as_owner)
    if [ -n "$owner" ] && ! id postgres >/dev/null 2>&1; then
        echo "pgcluster: running as root but there is no 'postgres' user" >&2
        return 1
    fi

    PGC_DIR=$(mktemp -d /tmp/eqpg.XXXXXX)
    mkdir "$PGC_DIR/sock"
    printf '%s\n' "$PGC_PASSWORD" >"$PGC_DIR/pwfile"
    chmod 700 "$PGC_DIR"
    if [ -n "$owner" ]; then chown -R postgres: "$PGC_DIR"; fi

    # Codepoint order and UTF-8, the same ordering SQLite's default collation gives.
    local locale=(--no-locale)
    if locale -a 2>/dev/null | grep -qiE '^c\.utf-?8$'; then
        locale=(--locale=C.UTF-8)
    fi

    # The server's tools change into folders they are given; start from one the owner can read.
    if ! (cd "$PGC_DIR" && $owner "$PGC_BIN/initdb" -D "$PGC_DIR/data" -U "$PGC_USER" \
            -A scram-sha-256 --pwfile="$PGC_DIR/pwfile" -E UTF8 "${locale[@]}" \
            >"$PGC_DIR/initdb.log" 2>&1); then
        echo "pgcluster: initdb failed:" >&2
        cat "$PGC_DIR/initdb.log" >&2
        return 1
    fi
    rm -f "$PGC_DIR/pwfile"

    # Settings live in postgresql.conf so that a plain "pg_ctl start" brings back the same server.
    # Durability is not needed for a cluster that is removed after the run.
    local port=54329 started=0 _
    for _ in 1 2 3 4 5; do
        port=$(pgcluster__free_port "$port") || return 1
        cat >>"$PGC_DIR/data/postgresql.conf" <<CONF
listen_addresses = '127.0.0.1'
port = $port
unix_socket_directories = '$PGC_DIR/sock'
fsync = off
synchronous_commit = off
full_page_writes = off
max_connections = 100
CONF
        if (cd "$PGC_DIR" && $owner "$PGC_BIN/pg_ctl" -D "$PGC_DIR/data" -l "$PGC_DIR/server.log" \
                -w -t 60 start >/dev/null 2>&1); then
            started=1
            break
        fi
        # Someone took the port between the probe and the start: the next one.
        port=$((port + 1))
    done
    if [ "$started" -ne 1 ]; then
        echo "pgcluster: the server did not start:" >&2
        tail -n 30 "$PGC_DIR/server.log" >&2 || true
        return 1
    fi
    PGC_PORT=$port

    PGPASSWORD="$PGC_PASSWORD" "$PGC_BIN/createdb" -h 127.0.0.1 -p "$PGC_PORT" -U "$PGC_USER" "$PGC_DB" \
        || return 1
    PGPASSWORD="$PGC_PASSWORD" "$PGC_BIN/psql" -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$PGC_PORT" \
        -U "$PGC_USER" -d "$PGC_DB" -c 'create extension if not exists citext' </dev/null || return 1

    local q_dir q_bin
    q_dir=$(printf '%q' "$PGC_DIR")
    q_bin=$(printf '%q' "$PGC_BIN")
    export EQ_TEST_PG="$PGC_DB"
    export EQ_TEST_PG_SERVER="127.0.0.1:$PGC_PORT"
    export EQ_TEST_PG_USER="$PGC_USER"
    export EQ_TEST_PG_PASSWORD="$PGC_PASSWORD"
    export EQ_TEST_PG_STOP="cd $q_dir && ${owner}$q_bin/pg_ctl -D $q_dir/data -m fast -w -t 60 stop >/dev/null"
    export EQ_TEST_PG_START="cd $q_dir && ${owner}$q_bin/pg_ctl -D $q_dir/data -l $q_dir/server.log -w -t 60 start >/dev/null"
}

pgcluster_stop() {
    [ -n "$PGC_DIR" ] && [ -d "$PGC_DIR" ] || return 0
    local owner
    owner=$(pgcluster__as_owner)
    if [ -f "$PGC_DIR/data/postmaster.pid" ]; then
        (cd "$PGC_DIR" && $owner "$PGC_BIN/pg_ctl" -D "$PGC_DIR/data" -m fast -w -t 30 stop \
            >/dev/null 2>&1) \
        || (cd "$PGC_DIR" && $owner "$PGC_BIN/pg_ctl" -D "$PGC_DIR/data" -m immediate -w stop \
            >/dev/null 2>&1) \
        || true
    fi
    rm -rf "$PGC_DIR"
    PGC_DIR=""
}
