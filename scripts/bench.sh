#!/usr/bin/env bash
# Sets up, builds and runs the benchmarks (optimised build).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target vex_bench
build-bench/bench/vex_bench "$@"
