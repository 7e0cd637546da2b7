#!/usr/bin/env bash
# Runs a command in an X server of its own: Xvfb with a window manager, started as the tests start
# theirs (tests/e2e/lib/display.bash), and stopped by process id when the command ends. The
# command sees DISPLAY, and VEX_XVFB_PID, the server's process id (to measure its CPU). Its exit
# status is the command's.
# Usage: scripts/with_display.sh [--size WxH] [--dpi N] [--desktop NAME] [--] COMMAND [ARGUMENT...]
set -euo pipefail
size=1024x768 dpi=96 desktop=openbox
while (($# > 0)); do
    case "$1" in
    --size) size=$2 && shift 2 ;;
    --dpi) dpi=$2 && shift 2 ;;
    --desktop) desktop=$2 && shift 2 ;;
    --) shift && break ;;
    *) break ;;
    esac
done
(($# > 0)) || { sed -n 's/^# Usage: //p' "$0" >&2 && exit 2; }

work=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "with_display.sh: $*" >&2
    exit 1
}
# shellcheck source=../tests/e2e/lib/display.bash
source "$(dirname "$0")/../tests/e2e/lib/display.bash"

start_display "$size" "$dpi"
status=0
VEX_XVFB_PID=$xvfb_pid "$@" || status=$?
exit "$status"
