#!/usr/bin/env bash
# The real program's window keeps its own size and place: four round trips through full screen
# (F11, Alt+Enter) after the player moved it bring it back where it was, at its own size, each
# time; asked to maximise, as some window managers do whatever the window says, it comes back to
# its size and place, showing the whole picture.
# Usage: window_keeps_its_place.sh <path to vexoids>
# shellcheck source=lib/common.bash
source "$(dirname "$0")/lib/common.bash"

screenshot="$work/place.png"

# The client area is at ($1, $2) and $3 x $4.
window_at() {
    measure_window "$window"
    [[ "$left $top $width $height" == "$1 $2 $3 $4" ]]
}

copy_program_folder
start_display 1024x768 96
launch

name_box=$(window_named 'Enter Your Name' 20) || fail "no name box appeared"
xdotool windowactivate --sync "$name_box"
xdotool type --delay 40 'Tester'
xdotool key Return
window=$(window_named 'Devi Vavaz Vexoids From Hell' 20) || fail "no main window appeared"
xdotool windowmove --sync "$window" 150 120
measure_window "$window"
wait_for 20 window_at "$left" "$top" 592 506 || fail "the window is ${width}x${height} after a move, expected 592x506"
home="$left $top"

for round in 1 2 3 4; do
    key=F11
    ((round % 2 == 0)) && key=alt+Return
    xdotool windowactivate --sync "$window" key "$key"
    wait_for 20 window_at 0 0 1024 768 ||
        fail "round $round: $key gave a window at ($left, $top) ${width}x${height}, expected the whole screen"
    xdotool windowactivate --sync "$window" key "$key"
    # shellcheck disable=SC2086
    wait_for 20 window_at $home 592 506 ||
        { take_screenshot; fail "round $round: back from full screen at ($left, $top) ${width}x${height}, expected ($home) 592x506 (see $screenshot)"; }
done

wmctrl -i -r "$(printf '0x%08x' "$window")" -b add,maximized_vert,maximized_horz
# A window manager that maximised it may show it so for a moment; the window has it back then.
sleep 2
# shellcheck disable=SC2086
wait_for 20 window_at $home 592 506 ||
    { take_screenshot; fail "asked to maximise, the window is at ($left, $top) ${width}x${height}, expected ($home) 592x506 (see $screenshot)"; }
wait_for 30 screen_shows $((left + 496)) $((top + 300)) ffffff ||
    fail "the picture's white border line is not where the window's own size puts it (see $screenshot)"

wmctrl -i -c "$(printf '0x%08x' "$window")"
expect_clean_exit "the close request"
echo "PASS: four full-screen round trips and a request to maximise leave the moved window at its place and size"
