#!/bin/sh
# Installs the Debian packages Quillmarch needs to build, run and test.
# Quiet and quick when everything is already present.
set -e

PACKAGES="
g++ cmake ninja-build make pkg-config
qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
libqt6sql6-sqlite libqt6sql6-odbc
unixodbc unixodbc-dev odbcinst libsqliteodbc libsqlite3-dev sqlite3
libxlsxwriter-dev libminizip-dev libfreexl-dev libsodium-dev
fonts-wqy-microhei
googletest libgtest-dev libgmock-dev
xvfb xauth poppler-utils
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
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
