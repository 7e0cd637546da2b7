# Shared by the end-to-end scripts: a scratch folder of the run's own and every process started
# are cleaned up on exit; an X server with a window manager; the program run from a copy of its
# folder. Every program started keeps its home and XDG folders in the scratch folder too, so runs
# side by side share nothing. The folder, with the screenshots in it, is kept when the test fails or VEX_E2E_KEEP=1.
# Source it with the path of vexoids as $1; it sets variables for the script (width, left, ...)
# and reads the script's $screenshot.
# shellcheck shell=bash disable=SC2034,SC2154
set -euo pipefail

program=$(realpath "$1")
work=$(mktemp -d)
game="$work/game"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_CACHE_HOME="$work/home/cache" \
    XDG_DATA_HOME="$work/home/data" XDG_STATE_HOME="$work/home/state"
mkdir -p "$HOME"
pids=()
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
        import -window root "$work/failure.png" 2>/dev/null &&
            echo "the screen at the failure: $work/failure.png" >&2
    fi
    if [[ -n "${vexoids:-}" ]] && ! kill -0 "$vexoids" 2>/dev/null; then
        local status=0
        wait "$vexoids" || status=$?
        echo "the program had ended with status $status: $(cat "$work/vexoids.log")" >&2
    fi
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

# The id of a shown window whose title is exactly $1, waiting up to $2 seconds for it.
window_named() {
    wait_for "$2" xdotool search --onlyvisible --name "^$1\$" || return 1
    xdotool search --onlyvisible --name "^$1\$" | head -n1
}

take_screenshot() {
    import -window root "$screenshot"
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

# Xvfb and openbox; DISPLAY is set afterwards. $1 is the screen's size (1024x768 when not
# given), $2 its dots per inch (96). Xvfb picks a free display number itself and writes it once
# it takes connections; openbox is up once it names itself on the root window. Either program
# ending meanwhile fails the test at once, with what both said. By default an X server resets
# whenever its last client leaves, dropping a connection still being made: wmctrl, asking before
# openbox has connected, would then take openbox's connection with it, so the server never resets.
start_display() {
    local xvfb wm deadline=$((SECONDS + 60))
    Xvfb -displayfd 3 -noreset -screen 0 "${1:-1024x768}x24" -dpi "${2:-96}" -nolisten tcp \
        3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    pids+=("$xvfb")
    until [[ -s "$work/display" ]]; do
        kill -0 "$xvfb" 2>/dev/null && ((SECONDS < deadline)) || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
        sleep 0.2
    done
    DISPLAY=":$(head -n1 "$work/display")"
    export DISPLAY
    display_up=yes
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm=$!
    pids+=("$wm")
    until wmctrl -m >/dev/null 2>&1; do
        kill -0 "$wm" 2>/dev/null && kill -0 "$xvfb" 2>/dev/null && ((SECONDS < deadline)) ||
            fail "openbox did not start on $DISPLAY: $(cat "$work/openbox.log"); Xvfb: $(cat "$work/xvfb.log")"
        sleep 0.2
    done
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
# program (to run it as another user, or in another environment). Xvfb's RandR output has no
# physical size, so SDL is told to read the screen's, which -dpi sets.
launch() {
    SDL_VIDEO_X11_XRANDR=0 SDL_AUDIODRIVER=${audio_driver:-dummy} ${launcher[@]+"${launcher[@]}"} "$game/vexoids" "$@" \
        >"$work/vexoids.log" 2>&1 &
    vexoids=$!
    pids+=("$vexoids")
}

# Waits for the program to end by itself and checks that its status is $2 (0 when not given).
expect_clean_exit() {
    local status=0
    wait_for 20 bash -c "! kill -0 $vexoids" || fail "the program did not end after $1"
    wait "$vexoids" || status=$?
    [[ $status == "${2:-0}" ]] || fail "the program ended with status $status after $1: $(cat "$work/vexoids.log")"
}
