#!/usr/bin/env bash
# The player's vexoids.ini in the real program: a bad volume on line 3 is one line naming the file
# and the line, and the game starts; scale = 2 opens the window at 1184 x 1012 and --scale 1 wins
# over it; fire = Space fires with Space; a folder or a FIFO in the file's place is named and the
# game starts as by default.
# Usage: settings.sh <path to vexoids>
# shellcheck source=lib/common.bash
source "$(dirname "$0")/lib/common.bash" "$1"
# shellcheck source=lib/play.bash
source "$(dirname "$0")/lib/play.bash"

screenshot="$work/screen.png"
settings="$XDG_CONFIG_HOME/vexoids/vexoids.ini"

window_is() {
    measure_window "$window"
    [[ "$width" == "$1" && "$height" == "$2" ]]
}
# The shots counter at x2, as the picture ($work/shots.png) of its label.
shots_label() {
    take_screenshot
    measure_window "$window"
    convert "$screenshot" -crop "130x50+$((left + 2 * 512))+$((top + 2 * 296))" +repage "$work/shots.png"
}
shots_changed() {
    shots_label
    ! cmp -s "$work/shots.png" "$work/shots-before.png"
}
told() {
    grep -qxF "$1" "$work/vexoids.log"
}

copy_program_folder
start_display 1600x1200 96
mkdir -p "$(dirname "$settings")"
cat >"$settings" <<'END'
# Played at night
[sound]
volume = loud
[keys]
fire = Space
[window]
scale = 2
END

launch
name_then_window Tester
wait_for 20 told "$settings:3: volume = loud: the volume is a whole number from 0 to 100; 100 is used" ||
    fail "the bad volume was not named with its file and line: $(cat "$work/vexoids.log")"
wait_for 20 window_is 1184 1012 || fail "with scale = 2 the window is ${width}x${height}, expected 1184x1012"
xdotool windowactivate --sync "$window" key s
window_named 'Devi Vavaz Vexoids - LEVEL1' 30 >/dev/null || fail "S did not start a game"
wait_for 30 screen_shows $((left + 2 * 496 + 1)) $((top + 2 * 300 + 1)) ffffff ||
    fail "the window's border line at x2 was not drawn (see $screenshot)"
shots_label
cp "$work/shots.png" "$work/shots-before.png"
xdotool key space
wait_for 30 shots_changed || fail "Space did not fire: the shots counter stayed as it was (see $screenshot)"
[[ $(grep -c 'vexoids.ini' "$work/vexoids.log") == 1 ]] || fail "more than the one line on the settings: $(cat "$work/vexoids.log")"
close_game_window "$window" 2
expect_clean_exit "the close request"

launch --scale 1
name_then_window Tester
wait_for 20 window_is 592 506 || fail "with --scale 1 over scale = 2 the window is ${width}x${height}, expected 592x506"
close_game_window "$window"
expect_clean_exit "the close request"

# Neither a folder nor a FIFO is read; either is named, and the game starts as by default.
for kind in folder fifo; do
    rm -f "$settings"
    if [[ $kind == folder ]]; then mkdir "$settings"; else mkfifo "$settings"; fi
    launch
    name_then_window Tester
    wait_for 20 window_is 592 506 || fail "with a $kind for a settings file the window is ${width}x${height}"
    wait_for 20 told "$settings: not a regular file; the settings file is ignored" ||
        fail "the $kind was not named: $(cat "$work/vexoids.log")"
    close_game_window "$window"
    expect_clean_exit "the close request"
    rm -rf "$settings"
done
echo "PASS: volume = loud named on line 3, scale = 2 at 1184x1012, --scale 1 wins, Space fires, a folder and a FIFO named (screenshot: $screenshot)"
