#!/bin/bash
# Shows that the layers check can fail: on copies of src/, each planted fault
# must be reported by name, with exit status 1:
#  - a data file that includes a sales header (a circle: sales includes data),
#  - a printing file that includes a users header (no circle, but users
#    stands above printing),
#  - a logic file that includes a widget header,
#  - logic headers that name a window (a parameter to show a message over)
#    or the prompt service,
#  - a form in a folder of logic files, whose custom widget is a controls header,
#  - a form of the users windows whose custom widget comes from records (above
#    users) and another whose custom widget is a logic header.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fresh_copy() {
    rm -rf "$work/src" "$work/cmake"
    mkdir -p "$work/cmake"
    cp -r "$root/src" "$work/src"
    cp "$root/cmake/Sources.cmake" "$work/cmake/"
}

# check <what was planted> <expected line (grep -E)>...: the check must fail
# and name every expected line.
check() {
    local what=$1
    shift
    local output
    if output=$(python3 "$root/scripts/check-layers.py" --root "$work" "${args[@]}"); then
        echo "FAIL: $what passed the check: $output"
        exit 1
    fi
    for expected in "$@"; do
        grep -Eq "$expected" <<<"$output" ||
            { echo "FAIL: $what was not named ($expected): $output"; exit 1; }
    done
    echo "ok: the layers check fails on $what"
}

# A form with one custom widget whose header is $2, written to $1.
plant_form() {
    cat >"$1" <<FORM
<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Planted</class>
 <widget class="QWidget" name="Planted"/>
 <customwidgets>
  <customwidget>
   <class>PlantedWidget</class>
   <extends>QWidget</extends>
   <header>$2</header>
  </customwidget>
 </customwidgets>
</ui>
FORM
}

args=("$@")
fresh_copy
python3 "$root/scripts/check-layers.py" --root "$work" "$@" >/dev/null ||
    { echo "FAIL: the untouched copy does not pass"; exit 1; }

echo '#include "sales/SalesSession.h"' >>"$work/src/data/Database.cpp"
echo '#include <QtWidgets/QWidget>' >>"$work/src/core/Clock.cpp"
check "a circle of folders and a widget header in the logic library" \
    'data/Database.cpp names "sales/SalesSession.h": sales stands above data' \
    'core/Clock.cpp \(quillmarch_logic\) includes <QtWidgets/QWidget>'

fresh_copy
echo '#include "users/UserAccounts.h"' >>"$work/src/printing/ReceiptText.cpp"
check "an include that climbs without a circle" \
    'printing/ReceiptText.cpp names "users/UserAccounts.h": users stands above printing'

fresh_copy
echo 'class QWidget;' >>"$work/src/sales/SaleTotals.h"
echo 'bool storeOrWarn(QWidget *parent);' >>"$work/src/sales/SaleTotals.h"
echo '// What failed is shown through Prompt.' >>"$work/src/data/ShopRow.h"
check "a window and the prompt service named in logic headers" \
    'sales/SaleTotals.h:[0-9]+ \(quillmarch_logic\) names QWidget' \
    'data/ShopRow.h:[0-9]+ \(quillmarch_logic\) names Prompt'

fresh_copy
plant_form "$work/src/data/Planted.ui" controls/HoverButton.h
check "a form in a folder of logic files" \
    'data/Planted.ui is a form in data/, which holds only quillmarch_logic' \
    'data/Planted.ui names "controls/HoverButton.h": controls stands above data'

fresh_copy
plant_form "$work/src/users/Planted.ui" records/QueryDialog.h
plant_form "$work/src/settings/Planted.ui" settings/ProductCatalogue.h
sed -i 's|    src/users/UsersPage.ui|&\n    src/users/Planted.ui\n    src/settings/Planted.ui|' \
    "$work/cmake/Sources.cmake"
check "custom widgets from above and from the logic library" \
    'users/Planted.ui names "records/QueryDialog.h": records stands above users' \
    'settings/Planted.ui makes a widget of "settings/ProductCatalogue.h", a header of quillmarch_logic'

fresh_copy
mkdir "$work/src/newfolder"
check "a folder without a place in the layers" 'src/newfolder has no place in the layers'
