#!/usr/bin/env bash
# Sets up, builds and starts the game. Says in a few lines what it does; the output of the build
# tools is kept in build/play.log and shown in full only when a step fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
mkdir -p build
log=build/play.log
: >"$log"

# Runs a step with its output in the log; on failure shows the log and stops.
quietly() {
  "$@" >>"$log" 2>&1 || { cat "$log" >&2; echo "Failed: $* (output above, also in $log)" >&2; exit 1; }
}

echo "Building the game in build/ (a few minutes the first time)..."
quietly cmake -S . -B build -DBUILD_TESTING=OFF
quietly cmake --build build -j"$(nproc)" --target vexoids
echo "Starting the game."
exec build/vexoids
