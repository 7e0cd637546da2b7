#!/usr/bin/env bash
# Random keys and clicks at the real program (sanitizer build) in its own X server, boxes
# answered, "Exit" only at the end. It prints its seed; give it back to replay the same moves.
# Usage: scripts/monkey.sh [seconds, 180] [seed]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
cmake -S . -B build-asan -DVEX_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)" --target vexoids
exec bash tests/e2e/monkey.sh build-asan/vexoids "${1:-180}" ${2:+"$2"}
