#!/usr/bin/env bash
# A monkey at the real program in a real X server: random keys pressed and released and random
# clicks over the window and its captions for a while, every box answered after a random pause,
# "Exit" avoided until the end. The program must stay alive, end with status 0 on "Exit" and, in a
# sanitizer build, report nothing.
# Usage: monkey.sh <path to vexoids> [seconds, 20] [seed, random]
# shellcheck source=lib/common.bash
source "$(dirname "$0")/lib/common.bash"

seconds=${2:-20}
seed=${3:-$((SRANDOM % 1000000))}
RANDOM=$seed
screenshot="$work/monkey.png"
echo "monkey: seed $seed, $seconds s"

keys=(s s Left Right Left Right Control_L Control_R Control_L space Return Escape a x F1 Up Down)
# Captions worth a click, as client pixels: "New Player", "Instructions", "About", the About
# panel's "OK", the instructions' "OK". "Exit" (512..577 x 240..265) is left for the end.
targets=("544 164" "544 196" "544 224" "256 212" "248 348")
events=0 boxes=0 held=()

alive() { kill -0 "$vexoids" 2>/dev/null || fail "the program died after $events events and $boxes boxes (seed $seed)"; }

# Lifts every key held: a key still down on the X server would swallow the box's own press of it.
release_keys() {
    local key
    for key in "${held[@]}"; do
        xdotool keyup "$key"
    done
    held=()
}

# A key still held when the box opened may have answered it already.
has_focus_or_closed() {
    (($(xdotool getwindowfocus) == $1)) || ! xdotool search --onlyvisible --name '^(Game Info|Enter Your Name)$' | grep -qx "$1"
}

# Answers every box shown, each after a random pause, in one of the ways a player would.
answer_boxes() {
    local box
    while box=$(xdotool search --onlyvisible --name '^(Game Info|Enter Your Name)$' 2>/dev/null | head -n1) &&
        [[ -n "$box" ]]; do
        release_keys
        sleep "0.$((RANDOM % 10))"
        wait_for 20 has_focus_or_closed "$box" || fail "a box did not take the keyboard (seed $seed)"
        case $((RANDOM % 4)) in
        0) xdotool key --delay 20 m o n k e y Return ;;
        1) xdotool key Escape ;;
        2) xdotool windowactivate --sync "$box" key Return ;;
        3) xdotool key KP_Enter ;;
        esac
        boxes=$((boxes + 1))
        wait_for 20 bash -c "! xdotool search --onlyvisible --name '^(Game Info|Enter Your Name)\$' | grep -qx $box" ||
            { take_screenshot; fail "a box stayed open after its answer (seed $seed, see $screenshot)"; }
        alive
    done
}

copy_program_folder
start_display
launch
window_named 'Enter Your Name' 60 >/dev/null || fail "no name box appeared"
answer_boxes
window=$(window_named 'Devi Vavaz Vexoids From Hell' 60) || fail "no main window appeared"

deadline=$((SECONDS + seconds))
while ((SECONDS < deadline)); do
    answer_boxes
    case $((RANDOM % 10)) in
    0 | 1 | 2 | 3)
        key=${keys[RANDOM % ${#keys[@]}]}
        xdotool keydown --window "$window" "$key"
        held+=("$key")
        ;;
    4 | 5 | 6)
        if ((${#held[@]} > 0)); then
            xdotool keyup --window "$window" "${held[-1]}"
            unset 'held[-1]'
        fi
        ;;
    7 | 8)
        read -r x y <<<"${targets[RANDOM % ${#targets[@]}]}"
        xdotool mousemove --window "$window" "$x" "$y" click 1
        ;;
    9)
        # Anywhere in the window but the "Exit" caption.
        x=$((RANDOM % 592)) y=$((RANDOM % 506))
        if ((x >= 500 && y >= 236 && y <= 270)); then
            x=$((x - 100))
        fi
        xdotool mousemove --window "$window" "$x" "$y" click 1
        ;;
    esac
    events=$((events + 1))
    sleep "0.0$((RANDOM % 10))"
    alive
done

release_keys
# A box may open between the last answer and the click; then the click is answered again.
for _ in 1 2 3 4 5; do
    answer_boxes
    xdotool mousemove --window "$window" 544 252 click 1
    wait_for 10 bash -c "! kill -0 $vexoids" && break
done
expect_clean_exit "a click on \"Exit\""
if grep -E 'Sanitizer|runtime error' "$work/vexoids.log"; then
    fail "the sanitizers reported (seed $seed): $(cat "$work/vexoids.log")"
fi
echo "PASS: $seconds s, $events events, $boxes boxes answered, then \"Exit\" (seed $seed)"
