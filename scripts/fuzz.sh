#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a given time.
# Usage: scripts/fuzz.sh [seconds per target, default 60] [target ...]
#   targets: record numbers wav picture settings replay (default: all, one after another)
# Seeds come from fuzz/corpus/<target> (never written); inputs found on the way go to
# build-fuzz/corpus/<target>, a crash to build-fuzz/artifacts/. Exits non-zero on a finding.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --fuzz
seconds=${1:-60}
shift || true
targets=("$@")
((${#targets[@]})) || targets=(record numbers wav picture settings replay)

CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DVEX_FUZZ=ON -DBUILD_TESTING=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]/#/fuzz_}"

mkdir -p build-fuzz/artifacts
for target in "${targets[@]}"; do
    mkdir -p "build-fuzz/corpus/$target"
    echo "== fuzz_$target for $seconds s"
    # No input may take a second, nor ask for more than 512 MB at once or 2 GB in all.
    SDL_AUDIODRIVER=dummy build-fuzz/fuzz/"fuzz_$target" -max_total_time="$seconds" -timeout=10 \
        -malloc_limit_mb=512 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix=build-fuzz/artifacts/"$target"- \
        "build-fuzz/corpus/$target" "fuzz/corpus/$target" 2>&1 |
        grep -E '^(==|INFO: Seed|#[0-9]+ *DONE|stat::number_of_executed_units|stat::peak_rss)|ERROR|SUMMARY|Test unit written|ALARM|crash|leak' || true
    [[ ${PIPESTATUS[0]} -eq 0 ]] || { echo "fuzz_$target found a fault" >&2; exit 1; }
done
