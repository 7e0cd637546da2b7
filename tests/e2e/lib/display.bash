# The one place an X server is started for tests, benchmarks and scripts: Xvfb on a display
# number it picks itself, with the desktop named by $desktop (openbox when not set): icewm, i3,
# weston (the game on Wayland) or weston-xwayland. What it starts it puts in the array $pids, for
# the caller's clean-up to stop by process id; it writes its logs into the caller's scratch folder
# $work, and ends a run that cannot start with the caller's fail. scripts/with_display.sh runs any
# command this way.
# shellcheck shell=bash disable=SC2034,SC2154

# Xvfb and the desktop named by $desktop; DISPLAY is set afterwards and xvfb_pid holds the
# server's process id. $1 is the screen's size (1024x768 when not given), $2 its dots per inch
# (96). Xvfb picks a free display number itself and writes it once it takes connections. By default an X server resets whenever its last
# client leaves, dropping a connection still being made: wmctrl, asking before the window manager
# has connected, would then take the window manager's connection with it, so the server never resets.
start_display() {
    local deadline=$((SECONDS + 60))
    Xvfb -displayfd 3 -noreset -screen 0 "${1:-1024x768}x24" -dpi "${2:-96}" -nolisten tcp \
        3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    pids+=("$xvfb_pid")
    until [[ -s "$work/display" ]]; do
        kill -0 "$xvfb_pid" 2>/dev/null && ((SECONDS < deadline)) || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
        sleep 0.2
    done
    DISPLAY=":$(head -n1 "$work/display")"
    screen_display=$DISPLAY
    export DISPLAY
    display_up=yes
    case "${desktop:-openbox}" in
    openbox) start_window_manager openbox --sm-disable ;;
    icewm) start_window_manager icewm ;;
    i3)
        # No bar and no key bindings: every key reaches the game. (i3's own default configuration
        # takes Alt+Enter for a terminal.)
        printf '%s\n' '# i3 config file (v4)' 'font pango:monospace 8' 'focus_follows_mouse no' >"$work/i3.config"
        start_window_manager i3 -c "$work/i3.config"
        ;;
    weston | weston-xwayland) start_weston ;;
    *) fail "no such desktop: $desktop" ;;
    esac
}

# Runs the window manager given by its command line and waits until it names itself on the root
# window. It or Xvfb ending meanwhile fails the test at once, with what both said.
start_window_manager() {
    local wm deadline=$((SECONDS + 60))
    "$@" >"$work/$1.log" 2>&1 &
    wm=$!
    pids+=("$wm")
    until wmctrl -m >/dev/null 2>&1; do
        kill -0 "$wm" 2>/dev/null && ((SECONDS < deadline)) ||
            fail "$1 did not start on $DISPLAY: $(cat "$work/$1.log"); Xvfb: $(cat "$work/xvfb.log")"
        sleep 0.2
    done
}

# weston in a window at the top-left of Xvfb's screen, so a screenshot of the root shows
# weston's output pixel for pixel and xdotool's keys and clicks reach its focused client. A plain background and
# no panel leave only the clients' own pixels on it. The game runs on SDL's Wayland driver, or for
# weston-xwayland as an X client of weston's XWayland, whose display number weston logs: $DISPLAY
# is then XWayland's, where the X tools see and drive the game's windows, and $screen_display
# Xvfb's, for the screenshots.
start_weston() {
    local compositor size deadline=$((SECONDS + 60)) xwayland=()
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 0700 "$XDG_RUNTIME_DIR"
    printf '%s\n' '[core]' 'idle-time=0' '[shell]' 'background-color=0xff204060' 'panel-position=none' \
        'locking=false' 'animation=none' 'startup-animation=none' >"$work/weston.ini"
    [[ "$desktop" == weston-xwayland ]] && xwayland=(--xwayland)
    size=$(xdpyinfo | awk '/dimensions:/ {print $2}')
    # weston's output leaves the screen's bottom rows free, where the pointer waits until weston
    # is up: weston follows a pointer that enters its window, not one that was there first.
    output_width=${size%x*} output_height=$((${size#*x} - 8))
    xdotool mousemove 0 $((output_height + 4))
    weston --backend=x11-backend.so --config="$work/weston.ini" --socket=wayland-vex --width="$output_width" \
        --height="$output_height" --log="$work/weston.log" ${xwayland[@]+"${xwayland[@]}"} >/dev/null 2>&1 &
    compositor=$!
    pids+=("$compositor")
    weston_ready() {
        [[ -S "$XDG_RUNTIME_DIR/wayland-vex" ]] && grep -q 'launching.*weston-desktop-shell' "$work/weston.log" &&
            { [[ "$desktop" == weston ]] || grep -q 'xserver listening on display' "$work/weston.log"; }
    }
    until weston_ready 2>/dev/null; do
        kill -0 "$compositor" 2>/dev/null && ((SECONDS < deadline)) ||
            fail "weston did not start on $DISPLAY: $(cat "$work/weston.log" 2>/dev/null); Xvfb: $(cat "$work/xvfb.log")"
        sleep 0.2
    done
    # Into weston's window: it follows the pointer from there, and Xvfb, with no window manager,
    # gives the keyboard to the window under the pointer.
    xdotool mousemove $((output_width / 2)) $((output_height / 2))
    if [[ "$desktop" == weston ]]; then
        game_environment=(SDL_VIDEODRIVER=wayland WAYLAND_DISPLAY=wayland-vex)
    else
        DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" | head -n1)
        game_environment=(SDL_VIDEODRIVER=x11)
    fi
}
