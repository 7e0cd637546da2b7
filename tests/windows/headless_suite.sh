#!/usr/bin/env bash
# The headless suite, cross-built for Windows, run under Wine: every test passes there as on Linux.
# Usage: headless_suite.sh <path to vex_tests.exe>
# shellcheck source=../e2e/lib/common.bash
source "$(dirname "$0")/../e2e/lib/common.bash"
# shellcheck source=lib/wine.bash
source "$(dirname "$0")/lib/wine.bash"

# GCC's runtime DLLs, should the suite be linked to them, from MinGW-w64's folders.
export WINEPATH='Z:\usr\lib\gcc\x86_64-w64-mingw32\12-posix;Z:\usr\x86_64-w64-mingw32\lib'
start_display
make_prefix
# From the suite's own build folder, as ctest runs it: a build through ccache names its sources
# relative to there.
status=0
(cd "$(dirname "$program")" && "$wine" "$program" --gtest_brief=1) >"$work/suite.log" 2>&1 || status=$?
passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$work/suite.log")
if ((status != 0)) || [[ -z $passed ]]; then
    tail -n 80 "$work/suite.log" >&2
    fail "the headless suite ended with status $status under Wine"
fi
echo "PASS: $passed tests of the headless suite under Wine"
