#!/bin/bash
# Starts a private PostgreSQL server for the tests: a fresh cluster in a
# temporary folder, reachable only through a Unix socket in that folder (no TCP
# port), with a database "quillmarch" owned by the user the tests run as.
# Debian's system cluster is never touched.
#
# Prints two lines on stdout and nothing else (everything else goes to stderr):
#   QM_TEST_PG_HOST=<socket folder>
#   QM_TEST_PG_PID=<postmaster pid>
# The tests' server does not sync to disk; QM_TEST_PG_FSYNC=on makes it sync as
# a real one does (the benchmarks use that).
# Stop it with scripts/stop-test-postgres.sh <socket folder> (pg_ctl stop), or
# by killing the pid; the folder can then be removed.
#
# As root the server runs as the "postgres" system user (PostgreSQL refuses to
# run as root) and the role "root" is created so root's tests can log in by
# peer authentication.
set -euo pipefail
exec 3>&1 1>&2

bindir=""
for v in 15 16 17 14 13; do
    if [ -x "/usr/lib/postgresql/$v/bin/initdb" ]; then
        bindir="/usr/lib/postgresql/$v/bin"
        break
    fi
done
if [ -z "$bindir" ]; then
    echo "start-test-postgres: postgresql-15 is not installed (no initdb)" >&2
    exit 1
fi

fsync="${QM_TEST_PG_FSYNC:-off}"
case "$fsync" in on | off) ;; *) echo "start-test-postgres: QM_TEST_PG_FSYNC is on or off" >&2; exit 1 ;; esac

dir=$(mktemp -d /tmp/qm-pg.XXXXXX)
chmod 755 "$dir"
me=$(id -un)
superuser="$me" # the user the server runs as, who logs in by peer authentication
run_as=()
if [ "$(id -u)" = "0" ]; then
    if ! id postgres >/dev/null 2>&1; then
        echo "start-test-postgres: no 'postgres' system user to run the server as" >&2
        exit 1
    fi
    chown postgres: "$dir"
    run_as=(runuser -u postgres --)
    superuser=postgres
fi

fail() {
    echo "start-test-postgres: $1" >&2
    [ -f "$dir/log" ] && tail -n 20 "$dir/log" >&2
    "${run_as[@]}" "$bindir/pg_ctl" -D "$dir/data" stop -m immediate >/dev/null 2>&1 || true
    rm -rf "$dir"
    exit 1
}

"${run_as[@]}" "$bindir/initdb" -D "$dir/data" -A peer -E UTF8 --locale=C.UTF-8 -U "$superuser" \
    >"$dir/initdb.log" 2>&1 || fail "initdb failed: $(tail -n 5 "$dir/initdb.log")"
"${run_as[@]}" "$bindir/pg_ctl" -D "$dir/data" -l "$dir/log" -w -t 30 \
    -o "-c listen_addresses='' -c unix_socket_directories='$dir' -c fsync=$fsync -c max_connections=60" \
    start >/dev/null 3>&- || fail "the server did not start"

psql_admin=("${run_as[@]}" psql -X -q -h "$dir" -U "$superuser" -d postgres -v ON_ERROR_STOP=1)
if [ "$me" != "$superuser" ]; then
    "${psql_admin[@]}" -c "CREATE ROLE \"$me\" LOGIN SUPERUSER" || fail "cannot create role $me"
fi
"${psql_admin[@]}" -c "CREATE DATABASE quillmarch OWNER \"$me\"" || fail "cannot create database"

pid=$(head -n 1 "$dir/data/postmaster.pid")
echo "start-test-postgres: server ready on socket folder $dir (pid $pid)" >&2
echo "QM_TEST_PG_HOST=$dir" >&3
echo "QM_TEST_PG_PID=$pid" >&3
