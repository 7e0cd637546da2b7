#!/usr/bin/env bash
# Runs the Windows tests under Wine, after scripts/build-windows.sh: builds the headless suite for
# Windows in build-win64/, then each script of tests/windows/ on what the build made (the suite,
# the zip, the installer), each in a Wine prefix and an X server of its own. Prints each test's
# result and time; the status is 1 when any failed (VEX_E2E_KEEP=1 keeps every test's folder).
# Usage: scripts/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -f build-win64/CMakeCache.txt ]] || { echo "Build for Windows first: scripts/build-windows.sh" >&2; exit 1; }
suite_built=true
nice -n 10 cmake --build build-win64 -j2 --target vex_tests || suite_built=false
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win64/CMakeCache.txt)

tests=(
  "headless_suite build-win64/tests/vex_tests.exe"
  "portable_zip dist/vexoids-$version-win64.zip"
  "installer dist/vexoids-$version-win64-setup.exe"
)
failed=0
for test in "${tests[@]}"; do
  read -r name input <<<"$test"
  started=$SECONDS
  status=0
  if [[ $name == headless_suite ]] && ! $suite_built; then
    echo "The headless suite did not build for Windows (above)." >&2
    status=1
  else
    bash "tests/windows/$name.sh" "$input" || status=$?
  fi
  if ((status == 0)); then result=passed; else result=FAILED && failed=$((failed + 1)); fi
  echo "windows.$name: $result in $((SECONDS - started)) s"
done
echo "$((${#tests[@]} - failed)) of ${#tests[@]} Windows tests passed"
((failed == 0))
