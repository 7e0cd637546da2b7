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

# S starts a game with the siren, which holds the program for a second and a half. Meanwhile the
# window loses the keyboard and gets it back with a click on "About": the click that brings the
# focus counts, as every click does, so once the siren ends the game runs (the caption turns to
# the level's) and is halted at once with the About panel open.
level_caption() {
    [[ "$(xdotool getwindowname "$window")" == 'Devi Vavaz Vexoids - LEVEL1' ]]
}
about_shown() {
    take_screenshot
    [[ "$(pixel $((left + 234)) $((top + 202)))" == c0c0c0 ]]
}
xdotool windowactivate --sync "$window" key s
xdotool windowfocus "$(xwininfo -root | awk '/Window id:/ {print $4}')"
xdotool windowactivate --sync "$window" mousemove --window "$window" 544 224 click 1
wait_for 20 level_caption ||
    fail "S did not start a game; the caption is '$(xdotool getwindowname "$window")'"
wait_for 20 about_shown || fail "the click that brought the focus did not open the About panel (see $screenshot)"

wmctrl -i -c "$(printf '0x%08x' "$window")"
expect_clean_exit "the close request"
echo "PASS: name box, 592x506 window, key, a click with the focus during a cue, and close box"
