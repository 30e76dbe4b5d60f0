#!/bin/bash
# Stops a server started by start-test-postgres.sh and removes its folder.
# Usage: stop-test-postgres.sh <socket folder>
set -u
dir="${1:-}"
[ -n "$dir" ] && [ -d "$dir/data" ] || exit 0
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
run_as=()
[ "$(id -u)" = "0" ] && run_as=(runuser -u postgres --)
"${run_as[@]}" "$bindir/pg_ctl" -D "$dir/data" stop -m fast >/dev/null 2>&1 ||
    "${run_as[@]}" "$bindir/pg_ctl" -D "$dir/data" stop -m immediate >/dev/null 2>&1
rm -rf "$dir"
