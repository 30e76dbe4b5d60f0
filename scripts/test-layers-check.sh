#!/bin/bash
# Shows that the layers check can fail: on a copy of src/, a data file that
# includes a sales header (a circle: sales includes data) and a logic file that
# includes a widget header must both be reported, with exit status 1.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/cmake"
cp -r "$root/src" "$work/src"
cp "$root/cmake/Sources.cmake" "$work/cmake/"
python3 "$root/scripts/check-layers.py" --root "$work" "$@" >/dev/null ||
    { echo "FAIL: the untouched copy does not pass"; exit 1; }

echo '#include "sales/SalesSession.h"' >>"$work/src/data/Database.cpp"
echo '#include <QtWidgets/QWidget>' >>"$work/src/core/Clock.cpp"
if output=$(python3 "$root/scripts/check-layers.py" --root "$work" "$@"); then
    echo "FAIL: a circle and a widget header in the logic library passed: $output"
    exit 1
fi
grep -q 'folders include each other in a circle: .*data.*sales' <<<"$output" ||
    { echo "FAIL: the circle was not named: $output"; exit 1; }
grep -q 'core/Clock.cpp (quillmarch_logic) includes <QtWidgets/QWidget>' <<<"$output" ||
    { echo "FAIL: the widget header was not named: $output"; exit 1; }
echo "ok: the layers check fails on a circle of folders and on a widget header in the logic library"
