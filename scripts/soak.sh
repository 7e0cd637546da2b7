#!/usr/bin/env bash
# Plays simulated hours on the headless backend with a seeded random player, checking the game
# after every handler, in the sanitizer build. It prints its seed; give it back to replay a run.
# Usage: scripts/soak.sh [simulated hours, 10] [seed]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-asan -DVEX_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)" --target vex_soak
exec build-asan/soak/vex_soak "${1:-10}" ${2:+"$2"}
