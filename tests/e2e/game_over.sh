#!/usr/bin/env bash
# A whole game of the real program in a real X server: the player names themself, starts with S,
# fires a few shots, then lets the wave reach the ship three times (and plays again when no
# shot hit). Each loss is a "Game Info" box; the third brings "GAME OVER" over the red label and
# then "NEW HI SCORE!", and the record in scores.dat becomes the player's. The About panel then
# opens and closes, and Exit ends the program with status 0.
# Usage: game_over.sh <path to vexoids>
# shellcheck source=lib/common.bash
source "$(dirname "$0")/lib/common.bash"

screenshot="$work/screen.png"
game_over_box="$work/game-over-box.png"
playing="$work/playing.png"

# The client pixels (x, y) of the main window in the last screenshot, as rrggbb.
window_pixel() { pixel $((main_left + $1)) $((main_top + $2)); }

# How many pure red pixels lie in a rectangle of the main window in the last screenshot.
red_pixels() {
    convert "$screenshot" -crop "$3x$4+$((main_left + $1))+$((main_top + $2))" +repage -format %c histogram:info:- |
        awk '/#FF0000 / {sub(":", "", $1); n += $1} END {print n + 0}'
}

about_shown() {
    take_screenshot
    [[ "$(window_pixel 234 202)$(window_pixel 279 223)" == c0c0c0c0c0c0 ]]
}

about_hidden() { ! about_shown; }

# The last box measured shows its icon: red or blue.
box_painted() {
    take_screenshot
    [[ "$(pixel $((left + 20)) $((top + 32)))" == @(ff0000|0000ff) ]]
}

box_closed() { ! xdotool search --onlyvisible --name '^Game Info$' | grep -qx "$1"; }

copy_program_folder $'"0","nobody"\r\n'
start_display
launch
started=$SECONDS

name_box=$(window_named 'Enter Your Name' 20) || fail "no name box appeared"
xdotool windowactivate --sync "$name_box"
xdotool type --delay 40 'Tester'
xdotool key Return
window=$(window_named 'Devi Vavaz Vexoids From Hell' 20) || fail "no main window appeared"
measure_window "$window"
main_left=$left main_top=$top

# The caption turns to the level's once the start-up sound has played; only then do shots fly
# one by one. The shots go up from the ship's starting place, where the wave homes in.
play_game() {
    xdotool windowactivate --sync "$window" key s
    window_named 'Devi Vavaz Vexoids - LEVEL1' 20 >/dev/null || fail "S did not start a game"
    for shot in $(seq 12); do
        if xdotool search --onlyvisible --name '^Game Info$' >/dev/null 2>&1; then
            break
        fi
        xdotool key ctrl
        sleep 0.25
        if ((shot == 3)); then
            import -window "$window" "$playing"
        fi
    done
}

# Answers one box with Return and adds what its icon tells to $boxes: a loss or a record (a red
# cross) or the end of the game (a blue "i"). $1 is how long to wait for it to appear.
answer_box() {
    local box
    box=$(window_named 'Game Info' "$1") || return 1
    measure_window "$box"
    widths+=("$width")
    # A busy machine may show the box a moment before it is painted.
    wait_for 20 box_painted || true
    case "$(pixel $((left + 20)) $((top + 32)))" in
    ff0000) boxes+="cross " ;;
    0000ff) boxes+="info "
        red=$(red_pixels 40 136 417 81)
        ((red > 2000)) || fail "only $red red pixels of \"GAME OVER\" behind its box (see $screenshot)"
        cp "$screenshot" "$game_over_box" ;;
    *) fail "message box ${#widths[@]} shows no known icon (see $screenshot)" ;;
    esac
    xdotool windowactivate --sync "$box" key Return
    wait_for 20 box_closed "$box" || fail "message box ${#widths[@]} did not close on Return"
}

# Two losses, then GAME OVER and, with any hit, "NEW HI SCORE!" in a narrower box than a loss.
# The wave may reach the ship before any shot hits it; a game that scored nothing beats no
# record and brings no fourth box, so the player tries again, up to three games.
for game_number in 1 2 3; do
    boxes=""
    widths=()
    play_game
    for box_number in 1 2 3; do
        answer_box 30 || fail "message box $box_number did not appear (seen: $boxes)"
    done
    answer_box 10 && break
    grep -q '"nobody"' "$game/scores.dat" || fail "game $game_number changed the record without a box"
done
if [[ "$boxes" != "cross cross info cross " ]] || ((widths[3] >= widths[0])); then
    fail "expected two losses, GAME OVER and NEW HI SCORE!, got: $boxes(widths ${widths[*]})"
fi
finished=$SECONDS

# The record's bytes: "<score>","Tester" CR LF, with a score above the old record's 0. It is
# saved once the last box has gone, which a loaded machine may take a moment to get to.
wait_for 20 grep -q '"Tester"' "$game/scores.dat" || true
score=$(sed -n '1s/^"\([1-9][0-9]*\)",.*/\1/p' "$game/scores.dat")
printf '"%s","Tester"\r\n' "$score" | cmp -s - "$game/scores.dat" ||
    fail "scores.dat does not hold the new record: $(od -c "$game/scores.dat")"

xdotool windowactivate --sync "$window"
xdotool mousemove --window "$window" 544 224 click 1
wait_for 30 about_shown || fail "\"About\" did not open its panel (see $screenshot)"
xdotool mousemove --window "$window" 256 212 click 1
wait_for 30 about_hidden || fail "\"OK\" did not close the About panel (see $screenshot)"
xdotool mousemove --window "$window" 544 252 click 1
expect_clean_exit "a click on \"Exit\""
echo "PASS: a game of $((finished - started)) s, score $score saved as the record;" \
    "About, OK and Exit (VEX_E2E_KEEP=1 keeps $(basename "$game_over_box") and $(basename "$playing"))"
