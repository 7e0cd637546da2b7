#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
cmake -S . -B build-tests -DBUILD_TESTING=ON -DVEX_TESTS=ON -DVEX_WERROR=ON -DVEX_FRAME_TRACE=ON >/dev/null
cmake --build build-tests -j"$(nproc)"
ctest --test-dir build-tests --output-on-failure -j"$(nproc)"
# A seeded sample of one-line mutants: each must fail the headless tests or be a known equivalent.
scripts/mutate.sh --sample 12 --seed 1
