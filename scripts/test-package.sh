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
lintian --fail-on error --display-info --tag-display-limit 0 "$deb" | tee "$WORK/lintian.log" ||
    fail "lintian found errors"
echo "lintian: $(grep -c '^E:' "$WORK/lintian.log" || true) errors, $(grep -c '^W:' "$WORK/lintian.log" || true) warnings"
if grep -E "hardening-no-|ldconfig" "$WORK/lintian.log"; then
    fail "lintian finds binaries without hardening, or a useless ldconfig call"
fi

echo "--- install"
DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 install -y -qq --no-install-recommends "./$deb" >"$WORK/apt.log" 2>&1 ||
    { cat "$WORK/apt.log"; fail "apt-get could not install the package"; }
for f in /usr/bin/quillmarch /usr/share/quillmarch/data/Quillmarch.qmst /usr/share/quillmarch/data/Quillbook.qmbk \
    /usr/share/quillmarch/data/NewQuillbook.qmbk /usr/share/applications/org.quillmarch.Quillmarch.desktop \
    /usr/share/metainfo/org.quillmarch.Quillmarch.metainfo.xml /usr/share/icons/hicolor/48x48/apps/quillmarch.png \
    /usr/share/icons/hicolor/scalable/apps/quillmarch.svg; do
    [ -e "$f" ] || fail "$f was not installed"
done
for f in /usr/bin/quillmarch-cli /usr/lib/quillmarch/modules/quillmarch_download.so \
    /usr/lib/systemd/user/quillmarch-backup.service /usr/lib/systemd/user/quillmarch-backup.timer \
    /usr/share/man/man1/quillmarch.1.gz /usr/share/man/man1/quillmarch-cli.1.gz /usr/share/doc/quillmarch/README.md.gz; do
    [ -e "$f" ] || fail "$f was not installed"
done
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb quillmarch --version)" = "Quillmarch $(dpkg-deb -f "$deb" Version)" ] ||
    fail "quillmarch --version does not print the package's version"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM quillmarch >"$WORK/nodisplay.log" 2>&1 || status=$?
[ "$status" = 1 ] && grep -q quillmarch-cli "$WORK/nodisplay.log" ||
    fail "without a display the installed program ended with $status: $(cat "$WORK/nodisplay.log")"
manual() { zcat "/usr/share/man/man1/$1.1.gz" | sed 's/\\-/-/g'; }
window_manual=$(manual quillmarch)
cli_manual=$(manual quillmarch-cli)
for option in --help --version --init-database --settings --records -platform; do
    grep -q -- "$option" <<<"$window_manual" || fail "quillmarch(1) does not name $option"
done
for option in --data-home --keep --dry-run --date --from --to --format --details backup check report \
    export import-products export-products init-database; do
    grep -q -- "$option" <<<"$cli_manual" || fail "quillmarch-cli(1) does not name $option"
done
for word in 'SEVERAL TILLS' 'THERMAL' 'raw'; do
    grep -q "$word" <<<"$window_manual" || fail "quillmarch(1) says nothing of '$word'"
done
grep -q 'systemctl --user enable --now quillmarch-backup.timer' <<<"$cli_manual" ||
    fail "quillmarch-cli(1) does not say how to switch the nightly backup on"
if command -v systemd-analyze >/dev/null; then
    systemd-analyze verify /usr/lib/systemd/user/quillmarch-backup.timer /usr/lib/systemd/user/quillmarch-backup.service \
        >"$WORK/units.log" 2>&1 || true
    if grep -v -e "^$" -e "Failed to .*bus" -e "Cannot find unit for notify-reload" "$WORK/units.log" |
        grep -E "quillmarch-backup" >/dev/null; then
        fail "systemd finds fault with the backup units: $(cat "$WORK/units.log")"
    fi
fi

echo "--- hardening"
for f in /usr/lib/quillmarch/quillmarch /usr/lib/quillmarch/quillmarch-cli /usr/lib/quillmarch/quillmarch-xls \
    /usr/lib/quillmarch/modules/quillmarch_download.so; do
    readelf -lW "$f" | grep GNU_RELRO >/dev/null || fail "$f has no RELRO segment"
    readelf -dW "$f" | grep -E "BIND_NOW|FLAGS_1.* NOW" >/dev/null || fail "$f is not bound at load time (BIND_NOW)"
    readelf -hW "$f" | grep -E "Type: +DYN" >/dev/null || fail "$f is not position-independent"
    readelf --dyn-syms -W "$f" | grep "__stack_chk_fail" >/dev/null || fail "$f is not built with stack protection"
done
# quillmarch-xls calls no function that has a fortified form (lintian's
# hardening-no-fortify-functions, checked above, would name one that is not).
for f in /usr/lib/quillmarch/quillmarch /usr/lib/quillmarch/quillmarch-cli; do
    readelf --dyn-syms -W "$f" | grep -E " __[a-z0-9_]+_chk(@|$)" >/dev/null ||
        fail "$f calls no fortified function (_FORTIFY_SOURCE)"
done
echo "RELRO, BIND_NOW, PIE, stack protector and fortified functions on every installed binary"

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

echo "--- the nightly backup, run once as its service runs it"
service=/usr/lib/systemd/user/quillmarch-backup.service
grep -q '^ExecStart=quillmarch-cli backup --keep 14$' "$service" || fail "the service does not run the backup: $(cat "$service")"
if [ -d /run/systemd/system ] && loginctl enable-linger "$TEST_USER" 2>/dev/null; then
    uid=$(id -u "$TEST_USER")
    for _ in $(seq 50); do [ -S "/run/user/$uid/bus" ] && break; sleep 0.2; done
    runuser -u "$TEST_USER" -- env XDG_RUNTIME_DIR="/run/user/$uid" systemctl --user start quillmarch-backup.service ||
        fail "the user's systemd could not run the backup service"
    loginctl disable-linger "$TEST_USER" || true
else
    echo "no systemd here: the service's command is run directly, as the user"
    # shellcheck disable=SC2046
    as_user $(sed -n 's/^ExecStart=//p' "$service") || fail "the backup service's command failed"
fi
backups=("$home"/.local/share/Quillmarch/backups/Quillbook-*.qmbk)
[ -f "${backups[0]}" ] || fail "the backup service wrote no backup: $(ls -la "$home/.local/share/Quillmarch")"
[ "$(as_user sqlite3 "${backups[0]}" "pragma integrity_check")" = ok ] || fail "the backup is not a whole book"
[ "$(as_user sqlite3 "${backups[0]}" "select money from POS_RECORD where \"NO\" = '0000001'")" = "12.5" ] ||
    fail "the backup does not hold the sale"
report=$(as_user quillmarch-cli report --date 2026-12-08 --format csv) || fail "quillmarch-cli report failed: $report"
grep -q '^total,,1,1,12.50,' <<<"$report" || fail "quillmarch-cli report does not count the sale: $report"
echo "backup ${backups[0]##*/} holds the sale; report: $(sed -n 2p <<<"$report")"
DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 install -y -qq --reinstall --no-install-recommends "./$deb" >"$WORK/apt.log" 2>&1 ||
    { cat "$WORK/apt.log"; fail "reinstalling failed"; }
start
[ "$(as_user sqlite3 "$user_data/Quillbook.qmbk" "select money from POS_RECORD where \"NO\" = '0000001'")" = "12.5" ] ||
    fail "the user's sale is gone after reinstalling"

echo "--- remove"
apt-get -o DPkg::Lock::Timeout=300 remove -y -qq quillmarch >/dev/null
[ ! -e /usr/bin/quillmarch ] || fail "/usr/bin/quillmarch is still there after removal"
[ -f "$user_data/Quillbook.qmbk" ] || fail "removing the program removed the user's sales"
echo "ok: package built and hardened, lintian clean of errors, installed, started as a user on its own data,"
echo "    backed up by the nightly service's command, removed"
