#!/usr/bin/env bash
# The game beside a minimal SDL2 program in an X server of its own: CPU, start-up, memory, tick
# pace, cue ending and key-to-screen latency, each with the ratio to the minimal program.
# Usage: scripts/bench_desktop.sh [--rounds N] [--seconds S] [--boxes B] [--json FILE]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVEX_FRAME_TRACE=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target vexoids vex_floor vex_bench >/dev/null
exec scripts/with_display.sh -- python3 bench/desktop_bench.py --game build-bench/vexoids --floor build-bench/bench/vex_floor \
    --bench build-bench/bench/vex_bench "$@"
