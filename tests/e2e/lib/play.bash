# Playing the real program through its windows, for the scripts that source common.bash: the name
# box, a game to its end, the record it leaves and Exit. The program's process id is $vexoids.
# shellcheck shell=bash disable=SC2154
title='Devi Vavaz Vexoids From Hell'

name_box() {
    local box
    box=$(window_named 'Enter Your Name' 30) || fail "no name box appeared"
    xdotool windowactivate --sync "$box" type --delay 30 "$1"
    xdotool key Return
}

# The name box, then the main window: $window.
name_then_window() {
    name_box "$1"
    window=$(window_named "$title" 30) || fail "no main window appeared"
}

# A click on "Exit". On a slow machine the wave of a running game may take a ship before the click
# lands; the box that tells so holds the window, so it is answered and the click made again.
exit_game() {
    local box
    for _ in 1 2 3 4 5; do
        box=$(xdotool search --onlyvisible --name '^Game Info$' 2>/dev/null | head -n1) || true
        if [[ -n $box ]]; then
            xdotool windowactivate --sync "$box" key Return || true
            wait_for 20 bash -c "! xdotool search --onlyvisible --name '^Game Info\$' | grep -qx $box" || true
        fi
        { xdotool windowactivate --sync "$window" && xdotool mousemove --window "$window" 544 252 click 1; } || true
        wait_for 10 bash -c "! kill -0 $vexoids" && break
    done
    expect_clean_exit "a click on \"Exit\""
}

# S, then shots until the wave takes the first ship; each box is answered with Return. At least
# $1 boxes are expected, at most $2 (default $1): two losses, GAME OVER, NEW HI SCORE! (only when
# a shot hit, for a record of 0), a could-not-save box when one. $boxes_seen counts them. With
# $hold_fire set no shot is fired, so the game ends with no points; with $leave_open set the
# $1th box is left open and nothing after it awaited.
play_to_game_over() {
    local box deadline most=${2:-$1}
    boxes_seen=0
    xdotool windowactivate --sync "$window" key s
    window_named 'Devi Vavaz Vexoids - LEVEL1' 20 >/dev/null || fail "S did not start a game"
    while ((boxes_seen < most)); do
        deadline=$((SECONDS + (boxes_seen < $1 ? 60 : 5)))
        until box=$(xdotool search --onlyvisible --name '^Game Info$' 2>/dev/null | head -n1) && [[ -n $box ]]; do
            if ((SECONDS >= deadline)); then
                ((boxes_seen >= $1)) && break 2
                fail "only $boxes_seen of $1 boxes appeared"
            fi
            ((boxes_seen > 0)) || [[ -n ${hold_fire:-} ]] || xdotool key ctrl
            sleep 0.2
        done
        if [[ -n ${leave_open:-} ]] && ((boxes_seen + 1 == $1)); then return 0; fi
        xdotool windowactivate --sync "$box" key Return
        wait_for 20 bash -c "! xdotool search --onlyvisible --name '^Game Info\$' | grep -qx $box" ||
            fail "box $boxes_seen did not close"
        boxes_seen=$((boxes_seen + 1))
        xdotool windowactivate --sync "$window" 2>/dev/null || true
    done
    sleep 2
    ! xdotool search --onlyvisible --name '^Game Info$' >/dev/null 2>&1 || fail "more than $most boxes"
    kill -0 "$vexoids" || fail "the program ended with the game"
}

# The record a game by Tester left: "<score>","Tester" CR LF with a score of at least $2.
expect_new_record() {
    local score
    score=$(sed -n '1s/^"\([0-9][0-9]*\)",.*/\1/p' "$1")
    [[ -n "$score" ]] && ((score >= $2)) && printf '"%s","Tester"\r\n' "$score" | cmp -s - "$1" ||
        fail "$1 does not hold the new record: $(head -c 200 "$1" | od -c | head -5)"
}
