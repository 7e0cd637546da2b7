#!/usr/bin/env bash
# Started where no display answers, the real program says so in one line on standard error and
# ends with a failure status instead of showing its name box to nobody. That line is all standard
# error holds, also without a runtime folder (XDG_RUNTIME_DIR), where the Wayland library would
# otherwise complain first. A driver named in SDL_VIDEODRIVER that cannot start is reported the
# same way.
# Usage: no_display.sh <path to vexoids>
# shellcheck source=lib/common.bash
source "$(dirname "$0")/lib/common.bash"

copy_program_folder
mkdir "$work/runtime"
# The time limit only ends a program that would otherwise wait for ever.
while IFS='|' read -r driver display runtime expected; do
    status=0
    env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u XDG_RUNTIME_DIR ${driver:+SDL_VIDEODRIVER=$driver} \
        DISPLAY="$display" ${runtime:+XDG_RUNTIME_DIR="$work/$runtime"} SDL_AUDIODRIVER=dummy \
        timeout 120 "$game/vexoids" >"$work/out" 2>"$work/err" </dev/null || status=$?
    case="SDL_VIDEODRIVER='$driver' DISPLAY='$display' XDG_RUNTIME_DIR='${runtime:+$work/$runtime}'"
    ((status != 0 && status != 124)) || fail "$case: status $status, expected a failure at once"
    [[ $(wc -l <"$work/err") == 1 && $(cat "$work/err") == "$expected"* ]] ||
        fail "$case: standard error is '$(cat "$work/err")', expected one line beginning '$expected'"
    [[ ! -s "$work/out" ]] || fail "$case: wrote to standard output: $(cat "$work/out")"
done <<'CASES'
||runtime|Cannot open a display: neither an X11 display (DISPLAY) nor a Wayland display (WAYLAND_DISPLAY) answered
|||Cannot open a display: neither an X11 display (DISPLAY) nor a Wayland display (WAYLAND_DISPLAY) answered
|:99999|runtime|Cannot open a display
|:99999||Cannot open a display
x11||runtime|Cannot start the video system: x11 not available
CASES
echo "PASS: no display, an unreachable display and an unavailable driver each end the program with one line alone, with or without a runtime folder"
