#!/bin/bash
# Starts the program of a build tree the way a person or a desktop would, without a display:
# --version and --help print without any display; a copy of the program folder starts on its own
# data/ and reaches the login dialog (--quit-when-shown closes it), leaving the user's folders alone.
set -euo pipefail
BUILD_DIR=$(realpath "${1:-build}")
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# No display at all, and Qt told to use X11: a graphical application would abort here.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$BUILD_DIR/quillmarch" --version) ||
    fail "--version needs a display"
[ "$version" = "Quillmarch $(sed -n 's/^project(Quillmarch VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt")" ] ||
    fail "--version printed '$version'"
[ "$(env -u DISPLAY QT_QPA_PLATFORM=xcb "$BUILD_DIR/quillmarch" -platform xcb -v)" = "$version" ] ||
    fail "-v beside an option of the graphical application did not print the version"
help=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$BUILD_DIR/quillmarch" --help) ||
    fail "--help needs a display"
grep -q -- "--version" <<<"$help" || fail "--help does not list --version: $help"
grep -q -- "--init-database" <<<"$help" || fail "--help does not list --init-database: $help"
if grep -q -- "--quit-when-shown" <<<"$help"; then fail "--help lists the hidden start-up check option"; fi
for option in --help --version --init-database --settings --records -platform quillmarch-cli; do
    grep -q -- "$option" <<<"$help" || fail "--help does not name $option: $help"
done
# One language: none of Qt's own English lines.
if grep -qE "Usage:|Options:|Displays" <<<"$help"; then fail "--help mixes in Qt's English lines: $help"; fi
status=0
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/quillmarch" --no-such-option >"$WORK/unknown.log" 2>&1 || status=$?
[ "$status" = 2 ] || fail "an unknown option ended the program with $status, not 2"
grep -q "no-such-option" "$WORK/unknown.log" || fail "an unknown option is not named: $(cat "$WORK/unknown.log")"
grep -q "不认识的选项" "$WORK/unknown.log" || fail "an unknown option is not said in Chinese: $(cat "$WORK/unknown.log")"

# No display and no platform named (a login over ssh): a short message in both languages
# that names quillmarch-cli, status 1, instead of Qt's abort; also with other options.
for args in "" "--bogus"; do
    status=0
    # shellcheck disable=SC2086
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$BUILD_DIR/quillmarch" $args \
        >"$WORK/nodisplay.log" 2>&1 || status=$?
    [ "$status" = 1 ] || fail "without a display ($args) the program ended with $status: $(cat "$WORK/nodisplay.log")"
    for word in "图形界面" "graphical session" "quillmarch-cli"; do
        grep -q "$word" "$WORK/nodisplay.log" || fail "the no-display message lacks '$word': $(cat "$WORK/nodisplay.log")"
    done
done

# The command-line companion needs no display either and says how it is used.
cli_help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$BUILD_DIR/quillmarch-cli" --help) ||
    fail "quillmarch-cli --help failed"
for command in backup check report export import-products export-products init-database; do
    grep -q "  $command" <<<"$cli_help" || fail "quillmarch-cli --help does not list $command"
    "$BUILD_DIR/quillmarch-cli" "$command" --help >/dev/null || fail "quillmarch-cli $command --help failed"
done
status=0
"$BUILD_DIR/quillmarch-cli" no-such-command >/dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "an unknown command ended quillmarch-cli with $status, not 2"

# A copy of the program in a user's folder keeps its data beside it.
mkdir -p "$WORK/shop/data" "$WORK/home" "$WORK/runtime"
chmod 700 "$WORK/runtime"
cp "$BUILD_DIR/quillmarch" "$WORK/shop/"
cp "$BUILD_DIR"/data/Quillmarch.qmst "$BUILD_DIR"/data/Quillbook.qmbk "$WORK/shop/data/"
cd "$WORK/shop"
# Starts the copy until its first window shows; the dynamic loader notes every library it loads.
start_copy() {
    rm -f "$WORK"/loaded.*
    env HOME="$WORK/home" XDG_DATA_HOME="$WORK/home/share" XDG_RUNTIME_DIR="$WORK/runtime" \
        ODBCINI="$WORK/home/odbc.ini" QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 \
        LD_DEBUG=files LD_DEBUG_OUTPUT="$WORK/loaded" timeout 60 ./quillmarch --quit-when-shown 2>&1
}
# Printing, the update download and .xls reading load their libraries when first used,
# not while the program starts.
check_nothing_loaded_early() {
    local early
    early=$(cat "$WORK"/loaded.* | grep -o 'file=[^ ]*\(libcups\|libQt6Network\|libfreexl\)[^ ]*' | sort -u || true)
    [ -z "$early" ] || fail "$1 loaded at start-up: $early"
}
output=$(start_copy) || fail "the program ended with an error: $output"
grep -q '^shown: LoginDialog' <<<"$output" || fail "the login dialog was not shown: $output"
[ "$(grep -c '^shown:' <<<"$output")" = 1 ] || fail "other windows came first: $output"
check_nothing_loaded_early "the login dialog"
grep -q "Database=$WORK/shop/data/Quillmarch.qmst" "$WORK/home/odbc.ini" ||
    fail "the data source does not name the copy's database: $(cat "$WORK/home/odbc.ini")"
[ ! -e "$WORK/home/share/Quillmarch" ] || fail "the user's data folder was used: $(ls -R "$WORK/home/share")"
# Logged in directly, the sales window is the first window.
sqlite3 "$WORK/shop/data/Quillmarch.qmst" \
    "update USER_SET set userName='admin', userPower='管理员', directLogin=1 where id=1"
output=$(start_copy) || fail "the direct login ended with an error: $output"
grep -q '^shown: SalesDialog' <<<"$output" || fail "the sales window was not shown: $output"
check_nothing_loaded_early "the sales window"
echo "ok: --version, --help without a display; a copied program starts on its own data; the"
echo "    login dialog and the sales window open without the printing, download and .xls libraries"
