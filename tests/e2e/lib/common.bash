# Shared by the end-to-end scripts: a scratch folder of the run's own and every process started
# are cleaned up on exit; an X server with a window manager (display.bash); the program run from a
# copy of its folder. Every program started keeps its home and XDG folders in the scratch folder too, so runs
# side by side share nothing. The folder, with the screenshots in it, is kept when the test fails or VEX_E2E_KEEP=1.
# Source it with the path of vexoids as $1; it sets variables for the script (width, left, ...)
# and reads the script's $screenshot, and $desktop when set (openbox when not): icewm, i3, weston
# (the game on Wayland) or weston-xwayland.
# shellcheck shell=bash disable=SC2034,SC2154
set -euo pipefail

program=$(realpath "$1")
work=$(mktemp -d)
game="$work/game"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_CACHE_HOME="$work/home/cache" \
    XDG_DATA_HOME="$work/home/data" XDG_STATE_HOME="$work/home/state"
mkdir -p "$HOME"
pids=()
desktop=${desktop:-openbox}
game_environment=()
display_up=""
keep_work=""

cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    if [[ -n "$keep_work" || "${VEX_E2E_KEEP:-}" == 1 ]]; then
        echo "the run's folder is kept: $work" >&2
    else
        rm -rf "$work"
    fi
}
trap cleanup EXIT

# Ends the test with a message and, once the display runs, a picture of the screen beside it.
fail() {
    echo "FAIL: $*" >&2
    keep_work=yes
    if [[ -n "$display_up" ]]; then
        DISPLAY=$screen_display import -window root "$work/failure.png" 2>/dev/null &&
            echo "the screen at the failure: $work/failure.png" >&2
    fi
    if [[ -n "${vexoids:-}" ]] && ! kill -0 "$vexoids" 2>/dev/null; then
        local status=0
        wait "$vexoids" || status=$?
        echo "the program had ended with status $status: $(cat "$work/vexoids.log")" >&2
    fi
    exit 1
}

# shellcheck source=display.bash
source "$(dirname "${BASH_SOURCE[0]}")/display.bash"

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

# The id of a shown window whose title is exactly $1, waiting up to $2 seconds for it.
window_named() {
    wait_for "$2" xdotool search --onlyvisible --name "^$1\$" || return 1
    xdotool search --onlyvisible --name "^$1\$" | head -n1
}

take_screenshot() {
    DISPLAY=$screen_display import -window root "$screenshot"
}

# The colour of one pixel of the last screenshot, as rrggbb.
pixel() {
    convert "$screenshot" -crop "1x1+$1+$2" -format '%[hex:p{0,0}]' info: | cut -c1-6 | tr 'A-F' 'a-f'
}

# Takes a screenshot and tells whether the screen's pixel ($1, $2) is $3 (rrggbb). A window is
# shown before its first frame is drawn, and a loaded machine may take seconds to draw it: wait
# for a pixel of that frame (wait_for 30 screen_shows ...) before reading the others.
screen_shows() {
    take_screenshot && [[ "$(pixel "$1" "$2")" == "$3" ]]
}

# Origin and size of a window's client area: sets left, top, width and height.
measure_window() {
    local geometry
    geometry=$(xwininfo -id "$1")
    width=$(awk '/^ *Width:/ {print $2}' <<<"$geometry")
    height=$(awk '/^ *Height:/ {print $2}' <<<"$geometry")
    left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$geometry")
    top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$geometry")
}

# Drags window $1, as the player does, by ($2, $3) pixels, and waits until it has moved;
# measure_window's variables then hold its new place. The mouse is the screen's own: it takes
# the title bar, or under weston the window itself with Super held (weston's frames of X windows
# miss a press now and then). A press missed all the same is tried again, up to three times.
drag_window() {
    local from attempt x y press=() release=()
    measure_window "$1"
    from="$left,$top" x=$((left + 60)) y=$((top - 8))
    if [[ "$desktop" == weston* ]]; then
        press=(keydown super) release=(keyup super) y=$((top + 100))
    fi
    window_moved() { measure_window "$1" && [[ "$left,$top" != "$from" ]]; }
    for attempt in 1 2 3; do
        DISPLAY=$screen_display xdotool mousemove "$x" "$y" sleep 0.3 ${press[@]+"${press[@]}"} mousedown 1 sleep 0.3 \
            mousemove $((x + $2 / 4)) $((y + $3 / 4)) sleep 0.3 mousemove $((x + $2 / 2)) $((y + $3 / 2)) sleep 0.3 \
            mousemove $((x + $2)) $((y + $3)) sleep 0.3 mouseup 1 ${release[@]+"${release[@]}"}
        wait_for 10 window_moved "$1" && return 0
    done
    take_screenshot
    fail "three drags did not move the window from ($from) (see $screenshot)"
}

# Waits for the name box of start-up, which must take the keyboard by itself, and answers it with
# a name and Return: sets name_box.
answer_name_box() {
    name_box=$(window_named 'Enter Your Name' 20) || fail "no name box appeared"
    name_box_focused() { (($(xdotool getwindowfocus) == name_box)); }
    wait_for 20 name_box_focused || { take_screenshot; fail "the name box did not take the keyboard (see $screenshot)"; }
    xdotool type --delay 40 'Tester'
    xdotool key Return
    name_box_closed() { ! xdotool search --onlyvisible --name '^Enter Your Name$' >/dev/null; }
    wait_for 20 name_box_closed || { take_screenshot; fail "Return did not answer the name box (see $screenshot)"; }
}

# Copies the program folder to $game, so the player's own scores.dat is never touched; $1, when
# given, becomes the copy's scores.dat.
copy_program_folder() {
    local item folder
    folder=$(dirname "$program")
    mkdir -p "$game"
    cp "$program" "$game/vexoids"
    for item in pictures sounds scores.dat; do
        [[ -e "$folder/$item" ]] && cp -r "$folder/$item" "$game/"
    done
    if (($# > 0)); then
        printf '%s' "$1" >"$game/scores.dat"
    fi
    [[ -e "$game/scores.dat" ]] || printf '"0","nobody"\r\n' >"$game/scores.dat"
}

# Starts the copy, with the arguments given; its process id is $vexoids. SDL's audio driver is
# $audio_driver (dummy: silent); the words in the array $launcher, when set, come before the
# program (to run it as another user, or in another environment).
launch() {
    local run=("$game/vexoids")
    ((${#game_environment[@]} == 0)) || run=(env "${game_environment[@]}" "$game/vexoids")
    SDL_AUDIODRIVER=${audio_driver:-dummy} ${launcher[@]+"${launcher[@]}"} "${run[@]}" "$@" \
        >"$work/vexoids.log" 2>&1 &
    vexoids=$!
    pids+=("$vexoids")
}

# Asks the window manager to close the game window $1, as its close button does; weston's X
# window manager takes no such request, so there a click on the "Exit" caption, at the picture's
# scale $2 (1 when not given), ends the program.
close_game_window() {
    if xprop -root _NET_SUPPORTED | grep -q _NET_CLOSE_WINDOW; then
        wmctrl -i -c "$(printf '0x%08x' "$1")"
    else
        xdotool mousemove --window "$1" $((${2:-1} * 544)) $((${2:-1} * 252)) click 1
    fi
}

# Waits for the program to end by itself and checks that its status is $2 (0 when not given).
expect_clean_exit() {
    local status=0
    wait_for 20 bash -c "! kill -0 $vexoids" || fail "the program did not end after $1"
    wait "$vexoids" || status=$?
    [[ $status == "${2:-0}" ]] || fail "the program ended with status $status after $1: $(cat "$work/vexoids.log")"
}
