#!/usr/bin/env bash
# The real program in a real X server: the name box comes first and alone, the window then
# shows the playfield at its fixed size, takes a key and a click, and the window manager's close
# request ends the program with status 0.
# Usage: startup.sh <path to vexoids>
set -euo pipefail

program=$(realpath "$1")
work=$(mktemp -d)
screenshot="${TMPDIR:-/tmp}/vexoids-e2e-startup.png"
pids=()

cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# The colour of one pixel of the last screenshot, as RRGGBB.
pixel() {
    convert "$screenshot" -crop "1x1+$1+$2" -format '%[hex:p{0,0}]' info: | cut -c1-6 | tr 'A-F' 'a-f'
}

expect_pixel() {
    local x=$1 y=$2 want=$3 what=$4 got
    got=$(pixel $((left + x)) $((top + y)))
    [[ "$got" == "$want" ]] || fail "$what: pixel ($x, $y) is #$got, expected #$want (see $screenshot)"
}

take_screenshot() {
    import -window root "$screenshot"
}

# A copy of the program folder, so the player's own scores.dat is never touched.
folder=$(dirname "$program")
game="$work/game"
mkdir -p "$game"
cp "$program" "$game/vexoids"
for item in fonts pictures sounds scores.dat; do
    [[ -e "$folder/$item" ]] && cp -r "$folder/$item" "$game/"
done
[[ -e "$game/scores.dat" ]] || printf '"0","nobody"\r\n' >"$game/scores.dat"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 20 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_for 20 wmctrl -m || fail "openbox did not start"

SDL_AUDIODRIVER=dummy "$game/vexoids" >"$work/vexoids.log" 2>&1 &
vexoids=$!
pids+=("$vexoids")

wait_for 20 xdotool search --onlyvisible --name '^Enter Your Name$' || fail "no name box appeared"
name_box=$(xdotool search --onlyvisible --name '^Enter Your Name$' | head -n1)
if xdotool search --onlyvisible --name '^Devi Vavaz Vexoids From Hell$' >/dev/null 2>&1; then
    fail "the main window showed before the name was given"
fi
xdotool windowactivate --sync "$name_box"
xdotool type --delay 40 'Tester'
xdotool key Return

wait_for 20 xdotool search --onlyvisible --name '^Devi Vavaz Vexoids From Hell$' || fail "no main window appeared"
window=$(xdotool search --onlyvisible --name '^Devi Vavaz Vexoids From Hell$' | head -n1)
geometry=$(xwininfo -id "$window")
width=$(awk '/^ *Width:/ {print $2}' <<<"$geometry")
height=$(awk '/^ *Height:/ {print $2}' <<<"$geometry")
left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$geometry")
top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$geometry")
[[ "$width" == 592 && "$height" == 506 ]] || fail "client area is ${width}x${height}, expected 592x506"

sleep 0.5
take_screenshot
expect_pixel 496 300 ffffff "the border line"
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
    sleep 0.5
    about_shown && break
done
about_shown || fail "the About panel did not open (see $screenshot)"

wmctrl -i -c "$(printf '0x%08x' "$window")"
wait_for 20 bash -c "! kill -0 $vexoids" || fail "the program did not end on the close request"
status=0
wait "$vexoids" || status=$?
[[ $status == 0 ]] || fail "the program ended with status $status: $(cat "$work/vexoids.log")"
echo "PASS: name box, 592x506 window, key, click and close box (screenshot: $screenshot)"
