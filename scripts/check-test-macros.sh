#!/bin/sh
# Qt's QTRY_/QVERIFY/QCOMPARE macros return from the function when they fail,
# which inside a GoogleTest case ends it as passed. The tests wait with the
# support's waitFor and check with EXPECT_/ASSERT_ instead; this fails when a
# Qt test macro appears in a file that uses GoogleTest.
root="${1:-.}"
found=$(grep -rlE '#include <gtest/gtest.h>' "$root/tests" "$root/bench" 2>/dev/null |
    xargs grep -nE '\b(QTRY_[A-Z_]+|QVERIFY[A-Z_0-9]*|QCOMPARE[A-Z_]*)\(' 2>/dev/null)
if [ -n "$found" ]; then
    echo "Qt test macros in GoogleTest files (use EXPECT_TRUE(waitFor(...)) instead):"
    echo "$found"
    exit 1
fi
echo "no Qt test macro in a GoogleTest file"
