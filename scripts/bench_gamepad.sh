#!/usr/bin/env bash
# The idle game's CPU without a pad and with a virtual pad plugged in, in an X server of its own,
# alternating round by round so both see the same load; prints each round and the medians.
# Usage: scripts/bench_gamepad.sh [ROUNDS] [SECONDS] [BUILD]
# BUILD is a build folder that already holds bench/vex_idle_pad (another revision's, say);
# without it the benchmark is built in build-bench.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
seconds=${2:-10}
build=${3:-}
if [[ -z "$build" ]]; then
    build=build-bench
    scripts/setup.sh --tests
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$build" -j"$(nproc)" --target vex_idle_pad game_data >/dev/null
fi
bench=$build/bench/vex_idle_pad
# The game's data beside the benchmark, as beside the game.
for item in pictures sounds scores.dat; do
    [[ -e $build/bench/$item ]] || cp -r "$build/$item" "$build/bench/"
done

# The rounds, in an X server of their own.
[[ -n ${VEX_XVFB_PID:-} ]] || exec scripts/with_display.sh -- scripts/bench_gamepad.sh "$rounds" "$seconds" "$build"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for round in $(seq "$rounds"); do
    for variant in none pad; do
        flag=()
        [[ $variant == pad ]] && flag=(--pad)
        SDL_AUDIODRIVER=dummy "$bench" "${flag[@]}" --seconds "$seconds" | tee -a "$work/figures"
    done
    echo "round $round done"
done
for variant in none pad; do
    awk -v v="$variant" '$1 == v {print $2}' "$work/figures" | sort -n |
        awk -v v="$variant" '{a[NR] = $1} END {printf "median %s: %.1f ms CPU per 10 s over %d rounds\n", v, a[int((NR + 1) / 2)], NR}'
done
