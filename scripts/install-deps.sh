#!/bin/sh
# Installs the Debian packages Quillmarch needs to build, run and test.
# Quiet and quick when everything is already present.
set -e

PACKAGES="
g++ cmake ninja-build make pkg-config
qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-charts-dev libqt6opengl6-dev
libqt6sql6-sqlite libqt6sql6-odbc libqt6sql6-psql
unixodbc unixodbc-dev odbcinst libsqliteodbc libsqlite3-dev sqlite3
odbc-postgresql libpq-dev postgresql-15
libxlsxwriter-dev libminizip-dev libfreexl-dev libsodium-dev
fonts-wqy-microhei
googletest libgtest-dev libgmock-dev
xvfb xauth xdotool poppler-utils
dpkg-dev lintian
cups cups-bsd printer-driver-cups-pdf libcups2-dev
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
SUDO=""
if [ "$(id -u)" != "0" ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# The tests start a private PostgreSQL of their own (scripts/start-test-postgres.sh);
# the package's system cluster is neither wanted nor started: policy-rc.d keeps
# the installation from starting services.
policy=/usr/sbin/policy-rc.d
added_policy=""
if [ "$(id -u)" = "0" ] && [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' >"$policy"
    chmod +x "$policy"
    added_policy=1
fi
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing || { [ -n "$added_policy" ] && rm -f "$policy"; exit 1; }
[ -n "$added_policy" ] && rm -f "$policy"
# A cluster that was started all the same (not as root, or a policy already
# present that allows it) is stopped: nothing of the program uses it.
if command -v pg_lsclusters >/dev/null 2>&1 && pg_lsclusters -h 2>/dev/null | grep -q ' online'; then
    $SUDO pg_ctlcluster 15 main stop 2>/dev/null || true
fi
