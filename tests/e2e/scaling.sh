#!/usr/bin/env bash
# The real program on a desktop set to 192 dpi by Xft.dpi, on a screen whose own size says 96
# and with SDL reading the screen through RandR as on any desktop:
# the name box and the window open at x2, clicks land on the captions at x2, F11 shows the
# picture at x3 centred on the 2560 x 1600 screen with black around it and a click there lands
# too, Alt+Enter brings the x2 window back; the same started with --fullscreen, and Alt with the
# keypad's Enter.
# Usage: scaling.sh <path to vexoids> [desktop]
desktop=${2:-openbox}
# shellcheck source=lib/common.bash
source "$(dirname "$0")/lib/common.bash" "$1"

screenshot="$work/screen.png"

# The colour of picture pixel ($1, $2) on screen, the picture at scale $3 from ($4, $5).
picture_pixel() {
    pixel $(($4 + $3 * $1 + $3 / 2)) $(($5 + $3 * $2 + $3 / 2))
}
about_panel_at() {
    take_screenshot
    [[ "$(picture_pixel 234 202 "$@")" == c0c0c0 ]]
}
playfield_at() {
    take_screenshot
    [[ "$(picture_pixel 234 202 "$@")" == 000000 ]]
}
window_is() {
    measure_window "$window"
    [[ "$width" == "$1" && "$height" == "$2" ]]
}

copy_program_folder
start_display 2560x1600 96
xrdb -nocpp -merge <<<'Xft.dpi: 192' || fail "xrdb could not set the resources"
launch

name_box=$(window_named 'Enter Your Name' 20) || fail "no name box appeared"
measure_window "$name_box"
[[ "$width" == 744 && "$height" == 280 ]] || fail "the name box is ${width}x${height}, expected 744x280"
answer_name_box

window=$(window_named 'Devi Vavaz Vexoids From Hell' 20) || fail "no main window appeared"
window_is 1184 1012 || fail "at 192 dpi the window is ${width}x${height}, expected 1184x1012"
wait_for 30 screen_shows $((left + 2 * 496 + 1)) $((top + 2 * 300 + 1)) ffffff ||
    fail "the window's first frame, its white border line at x2, was not drawn (see $screenshot)"
for point in "496 300 ffffff the border line" "506 66 808080 the score's grey back" "234 202 000000 the playfield"; do
    read -r x y want what <<<"$point"
    got=$(picture_pixel "$x" "$y" 2 "$left" "$top")
    [[ "$got" == "$want" ]] || fail "$what at x2: #$got, expected #$want (see $screenshot)"
done

xdotool mousemove --window "$window" $((2 * 544)) $((2 * 224)) click 1
wait_for 20 about_panel_at 2 "$left" "$top" || fail "a click on About at x2 did not open its panel (see $screenshot)"
xdotool mousemove --window "$window" $((2 * 256)) $((2 * 212)) click 1
wait_for 20 playfield_at 2 "$left" "$top" || fail "a click on OK at x2 did not close the panel (see $screenshot)"

xdotool windowactivate --sync "$window" key F11
wait_for 20 window_is 2560 1600 || fail "in full screen the window is ${width}x${height}, expected 2560x1600"
wait_for 30 screen_shows $((392 + 3 * 496 + 1)) $((41 + 3 * 300 + 1)) ffffff ||
    fail "the border line is not at x3 from (392, 41) (see $screenshot)"
[[ "$(pixel 300 800)" == 000000 && "$(pixel 2300 800)" == 000000 ]] || fail "not black around the picture (see $screenshot)"
xdotool mousemove $((392 + 3 * 544)) $((41 + 3 * 224)) click 1
wait_for 20 about_panel_at 3 392 41 || fail "a click on About in full screen did not open its panel (see $screenshot)"

xdotool key alt+Return
wait_for 20 window_is 1184 1012 || fail "back from full screen the window is ${width}x${height}, expected 1184x1012"

close_game_window "$window" 2
expect_clean_exit "the close request"

# Started with --fullscreen it opens in full screen at x3; a click lands there, and Alt with the
# keypad's Enter brings the x2 window.
launch --fullscreen
answer_name_box
window=$(window_named 'Devi Vavaz Vexoids From Hell' 20) || fail "no main window appeared with --fullscreen"
wait_for 20 window_is 2560 1600 || fail "with --fullscreen the window is ${width}x${height}, expected 2560x1600"
xdotool mousemove $((392 + 3 * 544)) $((41 + 3 * 224)) click 1
wait_for 20 about_panel_at 3 392 41 || fail "a click on About after --fullscreen did not open its panel (see $screenshot)"
xdotool windowactivate --sync "$window" key alt+KP_Enter
wait_for 20 window_is 1184 1012 || fail "after Alt+keypad Enter the window is ${width}x${height}, expected 1184x1012"
close_game_window "$window" 2
expect_clean_exit "the close request"
echo "PASS: x2 at Xft.dpi 192, clicks at x2 and in full screen at x3, F11, Alt+Enter, --fullscreen and Alt+keypad Enter (screenshot: $screenshot)"
