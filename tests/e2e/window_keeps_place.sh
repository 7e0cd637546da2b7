#!/usr/bin/env bash
# The game window keeps its place and its size: moved by the player, it comes back to that place
# and size after each of four trips into full screen and out (F11 and Alt+Enter in turn), and the
# window manager can neither resize it nor maximise it: the whole picture shows at its place.
# Usage: window_keeps_place.sh <path to vexoids> [desktop]
desktop=${2:-openbox}
# shellcheck source=lib/common.bash
source "$(dirname "$0")/lib/common.bash" "$1"

screenshot="$work/place.png"

window_is() {
    measure_window "$window"
    [[ "$width" == "$1" && "$height" == "$2" ]]
}
window_at() {
    measure_window "$window"
    [[ "$left" == "$1" && "$top" == "$2" ]]
}
back_home() {
    window_at "$home_left" "$home_top" || window_at $((home_left + trip_shift_x)) $((home_top + trip_shift_y))
}

# How far the desktop may move any X window on a trip into full screen and out: nothing, but
# weston now and then puts a window back 32 pixels up and left of where it stood, and ignores a
# client asking for its place back. There the game window must come back where it stood or where
# weston puts a plain X client back.
trip_shift_x=0 trip_shift_y=0
measure_trip_shift() {
    local plain before
    xmessage -name plain-x-client 'a plain X client' >/dev/null 2>&1 &
    plain=$!
    pids+=("$plain")
    plain_window=$(window_named plain-x-client 20) || fail "no plain X client appeared"
    measure_window "$plain_window"
    before="$left $top"
    plain_full() { measure_window "$plain_window" && [[ "${width}x$height" == "$screen_size" ]]; }
    plain_back() { measure_window "$plain_window" && [[ "${width}x$height" != "$screen_size" ]]; }
    wmctrl -i -r "$(printf '0x%08x' "$plain_window")" -b add,fullscreen
    wait_for 20 plain_full || fail "a plain X client did not go full screen"
    wmctrl -i -r "$(printf '0x%08x' "$plain_window")" -b remove,fullscreen
    wait_for 20 plain_back || fail "a plain X client did not leave full screen"
    trip_shift_x=$((left - ${before% *})) trip_shift_y=$((top - ${before#* }))
    echo "weston puts a plain X client back from full screen moved by ($trip_shift_x, $trip_shift_y)" >&2
    kill "$plain"
}

copy_program_folder
start_display 1024x768 96
screen_size=$(xdpyinfo | awk '/dimensions:/ {print $2}')
[[ "$desktop" == weston-xwayland ]] && measure_trip_shift
launch

answer_name_box
window=$(window_named 'Devi Vavaz Vexoids From Hell' 20) || fail "no main window appeared"
window_is 592 506 || fail "the window opened at ${width}x${height}, expected 592x506"

# The player's own place, away from where the window manager put it.
drag_window "$window" 37 23
home_left=$left home_top=$top

for trip in 1 2 3 4; do
    key=F11
    ((trip % 2 == 0)) && key=alt+Return
    xdotool windowactivate --sync "$window" key "$key"
    wait_for 20 window_is "${screen_size%x*}" "${screen_size#*x}" ||
        fail "trip $trip: in full screen ($key) the window is ${width}x${height}, expected $screen_size"
    xdotool key "$key"
    wait_for 20 window_is 592 506 || fail "trip $trip: back from full screen the window is ${width}x${height}"
    wait_for 20 back_home ||
        { take_screenshot; fail "trip $trip: back from full screen the window is at ($left, $top), expected ($home_left, $home_top) or moved from there by ($trip_shift_x, $trip_shift_y) (see $screenshot)"; }
    home_left=$left home_top=$top
done

# A window manager that honours a request does so at once: a size unchanged for three seconds is
# one it refused. Some (i3) resize the window whatever its size hints say; it must then take its
# own size back by itself, which is told apart on standard error.
window_resized() { ! window_is 592 506; }
for request in "wmctrl's resize" "xdotool's resize" "wmctrl's maximise"; do
    case "$request" in
    "wmctrl's resize") wmctrl -i -r "$(printf '0x%08x' "$window")" -e 0,-1,-1,800,700 ;;
    "xdotool's resize") xdotool windowsize "$window" 800 700 ;;
    "wmctrl's maximise") wmctrl -i -r "$(printf '0x%08x' "$window")" -b add,maximized_vert,maximized_horz ;;
    esac
    if wait_for 3 window_resized; then
        echo "after $request the window manager made the window ${width}x${height} for a while" >&2
        take_screenshot
        wait_for 20 window_is 592 506 ||
            fail "after $request the window stays ${width}x${height}, expected 592x506 (see $screenshot)"
    fi
done

wait_for 30 screen_shows $((left + 496)) $((top + 300)) ffffff ||
    fail "the picture's white border line is not where the window's own size puts it (see $screenshot)"

close_game_window "$window"
expect_clean_exit "the close request"
echo "PASS: the window keeps its place over four trips to full screen and keeps its size"
