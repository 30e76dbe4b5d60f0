#!/bin/bash
# Builds the Debian package of a build tree, installs it on this machine, starts the installed
# program headless as an ordinary user created for the test, checks where its data went, that a
# reinstallation keeps the user's sales, and that lintian finds no errors; then removes the package
# and the user again. It changes the machine's installed packages, so it runs only as root and only
# when QM_PACKAGE_TEST=1 (.ci/run sets it); otherwise it is skipped.
set -euo pipefail
BUILD_DIR=$(realpath "${1:-build}")
SKIPPED=77

if [ "$(id -u)" != "0" ]; then
    echo "skipped: installing a package needs root"
    exit $SKIPPED
fi
if [ "${QM_PACKAGE_TEST:-}" != "1" ]; then
    echo "skipped: installs the package on this machine; set QM_PACKAGE_TEST=1 to run it (.ci/run does)"
    exit $SKIPPED
fi
if dpkg-query -W -f='${Status}' quillmarch 2>/dev/null | grep -q "install ok installed"; then
    echo "FAIL: quillmarch is already installed here; the test does not touch an installation it did not make"
    exit 1
fi

fail() {
    echo "FAIL: $*"
    exit 1
}

TEST_USER=qmtest$$
WORK=$(mktemp -d)
cleanup() {
    apt-get -o DPkg::Lock::Timeout=300 remove -y -qq quillmarch >/dev/null 2>&1 || true
    if id "$TEST_USER" >/dev/null 2>&1; then
        userdel -r "$TEST_USER" >/dev/null 2>&1 || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

cd "$BUILD_DIR"
rm -f quillmarch_*.deb
cpack -G DEB >"$WORK/cpack.log" 2>&1 || { cat "$WORK/cpack.log"; fail "cpack could not build the package"; }
deb=$(echo quillmarch_*.deb)
[ -f "$deb" ] || fail "no package was built"
echo "built $deb"
dpkg-deb -f "$deb" Package Version Section Depends Recommends Suggests

echo "--- lintian"
lintian --fail-on error --tag-display-limit 0 "$deb" | tee "$WORK/lintian.log" ||
    fail "lintian found errors"
echo "lintian: $(grep -c '^E:' "$WORK/lintian.log" || true) errors, $(grep -c '^W:' "$WORK/lintian.log" || true) warnings"

echo "--- install"
DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 install -y -qq --no-install-recommends "./$deb" >"$WORK/apt.log" 2>&1 ||
    { cat "$WORK/apt.log"; fail "apt-get could not install the package"; }
for f in /usr/bin/quillmarch /usr/share/quillmarch/data/Quillmarch.qmst /usr/share/quillmarch/data/Quillbook.qmbk \
    /usr/share/quillmarch/data/NewQuillbook.qmbk /usr/share/applications/org.quillmarch.Quillmarch.desktop \
    /usr/share/metainfo/org.quillmarch.Quillmarch.metainfo.xml /usr/share/icons/hicolor/48x48/apps/quillmarch.png \
    /usr/share/icons/hicolor/scalable/apps/quillmarch.svg; do
    [ -e "$f" ] || fail "$f was not installed"
done
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb quillmarch --version)" = "Quillmarch $(dpkg-deb -f "$deb" Version)" ] ||
    fail "quillmarch --version does not print the package's version"

useradd -m -s /bin/sh "$TEST_USER"
home=$(getent passwd "$TEST_USER" | cut -d: -f6)
user_data="$home/.local/share/Quillmarch/data"
as_user() {
    runuser -u "$TEST_USER" -- env -i HOME="$home" USER="$TEST_USER" PATH=/usr/bin:/bin LC_ALL=C.UTF-8 \
        QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$home/.runtime" sh -c 'cd && "$@"' sh "$@"
}
as_user mkdir -m 700 .runtime
start() {
    local output
    output=$(as_user timeout 60 quillmarch --quit-when-shown 2>&1) || fail "the installed program failed: $output"
    grep -q '^shown: LoginDialog' <<<"$output" || fail "the installed program did not reach the login dialog: $output"
    echo "$output" | grep '^shown:'
}

echo "--- first start as $TEST_USER"
start
for db in Quillmarch.qmst Quillbook.qmbk; do
    [ -f "$user_data/$db" ] || fail "$db was not created in the user's data folder"
    [ "$(stat -c %U "$user_data/$db")" = "$TEST_USER" ] || fail "$db does not belong to the user"
done
grep -q "^Database *= *$user_data/Quillmarch.qmst" "$home/.odbc.ini" ||
    fail "the data source does not name the user's database: $(cat "$home/.odbc.ini")"
dpkg --verify quillmarch || fail "files of the package were changed"
extra=$(find /usr/lib/quillmarch /usr/share/quillmarch -newer "$WORK/apt.log" 2>/dev/null)
[ -z "$extra" ] || fail "files were written under the prefix: $extra"

echo "--- a sale survives a reinstallation"
as_user sqlite3 "$user_data/Quillbook.qmbk" \
    "insert into POS_RECORD (\"NO\", \"date\", money, saler, number) values ('0000001', '2026-12-08 10:00:00', 12.5, 'admin', 1)"
DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 install -y -qq --reinstall --no-install-recommends "./$deb" >"$WORK/apt.log" 2>&1 ||
    { cat "$WORK/apt.log"; fail "reinstalling failed"; }
start
[ "$(as_user sqlite3 "$user_data/Quillbook.qmbk" "select money from POS_RECORD where \"NO\" = '0000001'")" = "12.5" ] ||
    fail "the user's sale is gone after reinstalling"

echo "--- remove"
apt-get -o DPkg::Lock::Timeout=300 remove -y -qq quillmarch >/dev/null
[ ! -e /usr/bin/quillmarch ] || fail "/usr/bin/quillmarch is still there after removal"
[ -f "$user_data/Quillbook.qmbk" ] || fail "removing the program removed the user's sales"
echo "ok: package built, lintian clean of errors, installed, started as a user on its own data, removed"
