#!/usr/bin/env bash
# The real program in a real X server: the name box comes first and alone, the window then
# shows the playfield at its fixed size, takes a key and a click, and the window manager's close
# request ends the program with status 0.
# Usage: startup.sh <path to vexoids>
# shellcheck source=lib/common.bash
source "$(dirname "$0")/lib/common.bash"

screenshot="$work/startup.png"

expect_pixel() {
    local x=$1 y=$2 want=$3 what=$4 got
    got=$(pixel $((left + x)) $((top + y)))
    [[ "$got" == "$want" ]] || fail "$what: pixel ($x, $y) is #$got, expected #$want (see $screenshot)"
}

copy_program_folder
start_display 1024x768 96
launch

name_box=$(window_named 'Enter Your Name' 20) || fail "no name box appeared"
if xdotool search --onlyvisible --name '^Devi Vavaz Vexoids From Hell$' >/dev/null 2>&1; then
    fail "the main window showed before the name was given"
fi
xdotool windowactivate --sync "$name_box"
xdotool type --delay 40 'Tester'
xdotool key Return

window=$(window_named 'Devi Vavaz Vexoids From Hell' 20) || fail "no main window appeared"
measure_window "$window"
[[ "$width" == 592 && "$height" == 506 ]] || fail "client area is ${width}x${height}, expected 592x506"

wait_for 30 screen_shows $((left + 496)) $((top + 300)) ffffff ||
    fail "the window's first frame, its white border line, was not drawn (see $screenshot)"
expect_pixel 506 66 808080 "the score's grey back"
expect_pixel 234 202 000000 "the playfield before the About panel opens"

# S starts a game: the caption turns to the level's.
xdotool windowactivate --sync "$window"
xdotool key s
level_caption() {
    [[ "$(xdotool getwindowname "$window")" == 'Devi Vavaz Vexoids - LEVEL1' ]]
}
wait_for 20 level_caption ||
    fail "S did not start a game; the caption is '$(xdotool getwindowname "$window")'"

# A click on "About" halts the game and opens its panel. A Vexoid may reach the ship first; its
# message box is answered so the click can land.
about_shown() {
    take_screenshot
    [[ "$(pixel $((left + 234)) $((top + 202)))" == c0c0c0 ]]
}
for _ in 1 2 3 4 5; do
    while box=$(xdotool search --onlyvisible --name '^Game Info$' | head -n1) && [[ -n "$box" ]]; do
        xdotool windowactivate --sync "$box" key Return
        sleep 0.3
    done
    xdotool mousemove --window "$window" 544 224 click 1
    wait_for 5 about_shown && break
done
about_shown || fail "the About panel did not open (see $screenshot)"

wmctrl -i -c "$(printf '0x%08x' "$window")"
expect_clean_exit "the close request"
echo "PASS: name box, 592x506 window, key, click and close box"
