#!/usr/bin/env bash
# Records the replays in tests/replays/ with the real program through its keyboard, in an X
# server of its own (scripts/with_display.sh): xdotool names the player, starts a game, moves and
# fires, and answers every box with Return, while --record writes the file. Each session runs
# from a copy of the program folder whose scores.dat holds "0","nobody".
#   short    one game to its end: shots from the middle until the wave takes the third ship
#   level3   shots from the middle; once the boss's "Hits Needed" frame shows, the ship goes to
#            the left edge, where the boss cannot reach it, and back to the middle on the next
#            level, to the game's end
#   boxes    a game in which "New Player" is clicked and its name box answered, then played on
# Usage: tools/record_replays.sh <path to vexoids> <short|level3|boxes> <replay file>
set -euo pipefail
(($# == 3)) || { sed -n 's/^# Usage: //p' "$0" >&2 && exit 2; }
if [[ -z ${VEX_RECORDING_DISPLAY:-} ]]; then
    VEX_RECORDING_DISPLAY=1 exec "$(dirname "$0")/../scripts/with_display.sh" "$0" "$@"
fi
program=$(realpath "$1") session=$2 out=$(realpath "$3")
work=$(mktemp -d)
trap 'kill "$vexoids" 2>/dev/null || true; rm -rf "$work"' EXIT
for item in pictures sounds; do cp -r "$(dirname "$program")/$item" "$work/"; done
cp "$program" "$work/vexoids"
printf '"0","nobody"\r\n' >"$work/scores.dat"

find_window() { # $1: exact title; waits up to 30 s
    local id
    for _ in $(seq 150); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [[ -n $id ]] && echo "$id" && return 0
        sleep 0.2
    done
    return 1
}
answer_boxes() { # answers every "Game Info" box shown; true when there was one
    local box
    box=$(xdotool search --onlyvisible --name '^Game Info$' 2>/dev/null | head -n1) || return 1
    [[ -n $box ]] || return 1
    sleep 0.5
    xdotool windowactivate --sync "$box" key Return 2>/dev/null || true
    sleep 0.5
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    boxes=$((boxes + 1))
}
boss_shown() { # both sides of the boss's "Hits Needed" frame, at the playfield's top right, are drawn
    local x
    for x in 409 488; do
        [[ $(import -window "$window" -crop 1x1+$x+30 -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}') != "#000000" ]] || return 1
    done
}
# A shot every 90 ms, about six clock rounds apart, each box answered as it comes.
fire_until_game_over() { # $1: "boss" dodges each boss at the left edge and comes back after it
    local level=1 dodging=""
    boxes=0
    while ((boxes < 3)) || xdotool search --onlyvisible --name '^Game Info$' >/dev/null 2>&1; do
        answer_boxes || xdotool key --delay 90 ctrl ctrl ctrl ctrl ctrl ctrl
        [[ ${1:-} == boss ]] || continue
        if [[ -z $dodging ]] && boss_shown; then
            xdotool keydown Left && sleep 4 && xdotool keyup Left
            dodging=yes
        elif [[ -n $dodging ]] && xdotool search --name "^Devi Vavaz Vexoids - LEVEL$((level + 1))\$" >/dev/null 2>&1; then
            xdotool keydown Right && sleep 0.5 && xdotool keyup Right
            dodging="" level=$((level + 1))
        fi
    done
    sleep 1
    answer_boxes || true
}

SDL_AUDIODRIVER=dummy "$work/vexoids" --record "$out" >"$work/log" 2>&1 &
vexoids=$!
box=$(find_window 'Enter Your Name') || { echo "no name box" >&2; exit 1; }
xdotool windowactivate --sync "$box" type --delay 40 Tester
xdotool key Return
window=$(find_window 'Devi Vavaz Vexoids From Hell') || { echo "no main window" >&2; exit 1; }
xdotool windowactivate --sync "$window" key s
find_window 'Devi Vavaz Vexoids - LEVEL1' >/dev/null
case "$session" in
short) fire_until_game_over ;;
level3) fire_until_game_over boss ;;
boxes)
    for _ in $(seq 5); do xdotool key --delay 15 ctrl ctrl ctrl ctrl ctrl ctrl; done
    until box=$(xdotool search --onlyvisible --name '^Enter Your Name$' 2>/dev/null | head -n1) && [[ -n $box ]]; do
        answer_boxes || xdotool windowactivate --sync "$window" mousemove --window "$window" 544 165 click 1
        sleep 1
    done
    xdotool windowactivate --sync "$box" type --delay 40 Zoe
    xdotool key Return
    sleep 1
    xdotool windowactivate --sync "$window"
    fire_until_game_over ;;
*) echo "unknown session $session" >&2; exit 2 ;;
esac
sleep 1
xdotool windowactivate --sync "$window" mousemove --window "$window" 544 252 click 1
for _ in $(seq 100); do kill -0 "$vexoids" 2>/dev/null || break; sleep 0.2; done
wait "$vexoids"
echo "$session: $(tail -n 1 "$out"); scores.dat $(cat "$work/scores.dat")"
