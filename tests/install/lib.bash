# Shared by the install checks: the e2e helpers (scratch folder, X server, window lookups) and a
# start of an installed program that waits for its window and checks that its pictures show.
# shellcheck shell=bash disable=SC2154
# shellcheck source=../e2e/lib/common.bash
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib/common.bash"

screenshot="$work/installed.png"
# Installed folders are made read-only; give the scratch folder back its write bits to remove it.
trap 'chmod -R u+w "$work" 2>/dev/null; cleanup' EXIT

# A screenshot, and whether the first Vexoid's place in the window holds anything but black.
first_vexoid_shown() {
    take_screenshot
    local lit
    lit=$(convert "$screenshot" -crop "61x70+$((left + 48))+$((top + 40))" -fill white +opaque black \
        -format '%[fx:mean*w*h]' info:) && [[ "${lit%.*}" -gt 0 ]]
}

# Starts $1 with the rest of the arguments before it (a user switch), answers the name box and
# checks that the first Vexoid's picture shows; the screenshot is left for more checks, and
# $left and $top say where the window's client area lies in it.
start_installed() {
    local installed=$1
    shift
    "$@" env SDL_AUDIODRIVER=dummy "$installed" >"$work/vexoids.log" 2>&1 &
    vexoids=$!
    pids+=("$vexoids")
    local name_box window
    name_box=$(window_named 'Enter Your Name' 30) || fail "no name box from $installed"
    xdotool windowactivate --sync "$name_box" type --delay 40 'Installer'
    xdotool key Return
    window=$(window_named 'Devi Vavaz Vexoids From Hell' 30) || fail "no main window from $installed"
    measure_window "$window"
    wait_for 30 first_vexoid_shown || fail "the Vexoids' pictures were not found (see $screenshot)"
    wmctrl -i -c "$(printf '0x%08x' "$window")"
    expect_clean_exit "the close request"
}
