#!/usr/bin/env bash
# Mutation testing: one-line mutants of the game and its runtime, each built and run against the
# headless tests on a copy of the tree. Prints the mutants that survived with their file and line.
# Usage: scripts/mutate.sh [--sample N] [--seed S] [--timeout SECONDS] [--list]   (see --help)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
exec nice -n 10 python3 tools/mutate.py "$@"
