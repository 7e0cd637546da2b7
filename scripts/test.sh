#!/usr/bin/env bash
# Sets up, builds and runs every test. With --sanitize, the same in a build with AddressSanitizer
# and UndefinedBehaviorSanitizer (build-asan/).
# Usage: scripts/test.sh [--sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
build=build-tests options=()
if [[ "${1:-}" == "--sanitize" ]]; then
  build=build-asan options=(-DVEX_SANITIZE=ON)
fi
cmake -S . -B "$build" -DBUILD_TESTING=ON -DVEX_TESTS=ON -DVEX_WERROR=ON -DVEX_FRAME_TRACE=ON "${options[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
if [[ "$build" == build-tests ]]; then
  # A seeded sample of one-line mutants: each must fail the headless tests or be a known equivalent.
  scripts/mutate.sh --sample 12 --seed 1
fi
