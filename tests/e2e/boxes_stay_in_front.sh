#!/usr/bin/env bash
# What the window manager is told about the real program's windows, and what it makes of it. The
# name box at start-up keeps its own task-bar entry; the game window asks for a close button
# alone; a box opened over the game window stays above it however the game window is clicked or
# activated, keeps the keyboard, and has no task-bar entry; it belongs to the game window and
# opens centred on it wherever the player moved it. Every window shows the game's icon. No box
# can be maximised.
# Usage: boxes_stay_in_front.sh <path to vexoids> [desktop]
desktop=${2:-openbox}
# shellcheck source=lib/common.bash
source "$(dirname "$0")/lib/common.bash" "$1"

screenshot="$work/boxes.png"

# The atoms of a window property, one per line.
atoms() { xprop -id "$1" "$2" | sed -n 's/^[^=]*= //p' | tr -d ' ' | tr ',' '\n'; }

# The Motif hints of a window: sets motif_flags and motif_functions.
read_motif_hints() {
    local hints
    hints=$(xprop -id "$1" _MOTIF_WM_HINTS | sed -n 's/^[^=]*= //p' | tr -d ' ')
    IFS=, read -r motif_flags motif_functions _ <<<"$hints"
}

# Motif functions: bit 0 all, 1 resize, 2 move, 3 minimise, 4 maximise, 5 close.
expect_close_button_only() {
    read_motif_hints "$1"
    ((motif_flags & 1)) || fail "$2 gives no Motif functions (flags '$motif_flags')"
    ((motif_functions == (1 << 2 | 1 << 5))) ||
        fail "$2 offers Motif functions $motif_functions, expected moving and closing alone ($((1 << 2 | 1 << 5)))"
    if atoms "$1" _NET_WM_ALLOWED_ACTIONS | grep -q MAXIMIZE; then
        fail "the window manager offers to maximise $2"
    fi
}

top_window() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*, //; s/.*# //'; }

# weston has no task bar and keeps no such state.
has_task_bar() { xprop -root _NET_SUPPORTED | grep -q SKIP_TASKBAR; }

# Where the window manager lists its windows in stacking order, the box is last; where it does
# not (weston), the screen shows the box's own picture at the box's place.
box_on_top() {
    if xprop -root _NET_CLIENT_LIST_STACKING | grep -q '#'; then
        (($(top_window) == box))
    else
        measure_window "$box"
        take_screenshot
        import -window "$box" "$work/box_itself.png"
        convert "$screenshot" -crop "${width}x${height}+$left+$top" +repage "$work/box_on_screen.png"
        [[ "$(compare -metric AE "$work/box_itself.png" "$work/box_on_screen.png" null: 2>&1)" == 0 ]]
    fi
}

copy_program_folder
start_display
launch

name_box=$(window_named 'Enter Your Name' 20) || fail "no name box appeared"
expect_close_button_only "$name_box" "the name box"
xprop -id "$name_box" _NET_WM_ICON | grep -q 'Icon (' || fail "the name box shows no icon of the game's"
if has_task_bar && atoms "$name_box" _NET_WM_STATE | grep -q SKIP_TASKBAR; then
    fail "the name box at start-up, the program's only window, has no task-bar entry"
fi
answer_name_box
window=$(window_named 'Devi Vavaz Vexoids From Hell' 20) || fail "no main window appeared"
expect_close_button_only "$window" "the game window"

# The player moves the window towards the screen's corner; "New Player" then opens a box over it.
measure_window "$window"
read -r screen_width screen_height < <(xdpyinfo | awk '/dimensions:/ {sub("x", " ", $2); print $2}')
# Towards the screen's top-left corner, or its bottom-right one if the window is there already:
# far enough from the screen's centre to tell a box centred on either.
target_left=40 target_top=60
if ((left < 100 && top < 100)); then
    target_left=$((screen_width - width - 40)) target_top=$((screen_height - height - 20))
fi
drag_window "$window" $((target_left - left)) $((target_top - top))
xdotool mousemove --window "$window" 544 164 click 1
box=$(window_named 'Enter Your Name' 20) || fail "\"New Player\" opened no box"
measure_window "$window"
window_centre="$((left + width / 2)) $((top + height / 2))"
# Centred on the window's client area within a few pixels across, and a title bar's height down:
# some window managers (i3) put the box's frame, not the box, where it asks to be. weston places
# every window of an X client itself, wherever the client asks it to be and before or after it is
# shown: there the box must show whole on the screen, and the compositor knows it as the game
# window's own (WM_TRANSIENT_FOR, checked below).
box_centred() {
    local x y dx dy
    measure_window "$box"
    read -r x y <<<"$window_centre"
    dx=$((left + width / 2 - x)) dy=$((top + height / 2 - y))
    ((dx * dx <= 4 * 4 && dy >= -1 && dy <= 24))
}
box_whole_on_screen() {
    measure_window "$box"
    ((left >= 0 && top >= 0 && left + width <= screen_width && top + height <= screen_height))
}
if [[ "$desktop" == weston* ]]; then
    wait_for 20 box_whole_on_screen ||
        { take_screenshot; fail "the box at ($left, $top), ${width}x${height}, is not whole on the screen (see $screenshot)"; }
else
    wait_for 20 box_centred ||
        { take_screenshot; fail "the box's centre is at ($((left + width / 2)), $((top + height / 2))), the game window's at ($window_centre) (see $screenshot)"; }
fi
expect_close_button_only "$box" "the box over the game window"
xprop -id "$box" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$window")" || fail "the box does not belong to the game window"
xprop -id "$box" _NET_WM_ICON | grep -q 'Icon (' || fail "the box over the game window shows no icon of the game's"
if has_task_bar; then
    atoms "$box" _NET_WM_STATE | grep -q SKIP_TASKBAR || fail "the box over the game window has a task-bar entry"
fi

measure_window "$window"
for way in "a click into the game window" "a click on its title bar" "xdotool's activation" "wmctrl's activation"; do
    case "$way" in
    "a click into the game window") xdotool mousemove --window "$window" 100 100 click 1 ;;
    "a click on its title bar") xdotool mousemove $((left + 100)) $((top - 8)) click 1 ;;
    "xdotool's activation") xdotool windowactivate "$window" 2>/dev/null || true ;;
    "wmctrl's activation") wmctrl -ia "$(printf '0x%08x' "$window")" ;;
    esac
    sleep 0.5
    box_on_top || { take_screenshot; fail "after $way the box is not the top window (see $screenshot)"; }
done

# Return, typed without touching the box, reaches it and answers it.
xdotool key Return
box_closed() { ! xdotool search --onlyvisible --name '^Enter Your Name$' >/dev/null; }
wait_for 20 box_closed || { take_screenshot; fail "Return did not reach the box (see $screenshot)"; }

close_game_window "$window"
expect_clean_exit "the close request"
echo "PASS: boxes stay above the game window and keep the keyboard; close buttons alone"
