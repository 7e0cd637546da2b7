#!/usr/bin/env bash
# The real program as a native Wayland client of weston, where no X tool sees its windows: what
# the screen shows decides. The name box comes first and takes the keyboard; the window gets a box
# from "New Player" that shows whole where weston puts it and stays in front of it after a click
# into the game, and Return answers it; four trips into full screen and out (F11) leave the picture where it was.
# Usage: native_window.sh <path to vexoids>
desktop=weston
# shellcheck source=../lib/common.bash
source "$(dirname "$0")/../lib/common.bash" "$1"

screenshot="$work/wayland.png"

# The game's picture at x1 on the last screenshot: sets picture_left and picture_top, or fails
# when the screen shows none. Its border line, white from row 0 to 504 at x = 496, is the only
# long vertical white line on the screen (the stars and captions are short).
find_picture() {
    local screen_width column extent last
    screen_width=$(identify -format '%w' "$screenshot")
    column=$(convert "$screenshot" -fill black +opaque '#ffffff' -colorspace gray -scale "${screen_width}x1!" \
        -depth 16 txt:- | awk -F'[,:() ]+' 'NR > 1 && $4 > best {best = $4; x = $1} END {print x}')
    [[ -n "$column" ]] || return 1
    extent=$(convert "$screenshot" -crop "1x$(identify -format '%h' "$screenshot")+$column+0" +repage txt:- |
        awk -F'[,: ]+' '/#FFFFFF/ {last = $2; if (first == "") first = $2} END {print first, last}')
    read -r picture_top last <<<"$extent"
    [[ -n "$picture_top" ]] && ((last - picture_top == 504)) || return 1
    picture_left=$((column - 496))
}
picture_shown() { take_screenshot && find_picture; }
picture_at() { picture_shown && [[ "$picture_left,$picture_top" == "$1,$2" ]]; }

# A box of the game, found by its text field (a 348 x 24 hole in the grey face, 12 pixels from
# the box's left and 104 from its top): sets box_left and box_top once the box's whole face, all
# 372 x 140 pixels of its edge, shows on the screen with nothing in front of it.
box_grey=c0c0c0
all_grey() {
    [[ "$(convert "$screenshot" -crop "$1" +repage -fill black +opaque "#$box_grey" -fill white -opaque "#$box_grey" \
        -format '%wx%h %[fx:mean]' info:)" == "${1%%+*} 1" ]]
}
box_shown() {
    local field
    take_screenshot
    field=$(convert "$screenshot" -fill black +opaque "#$box_grey" -fill white -opaque "#$box_grey" \
        -define connected-components:verbose=true -define connected-components:area-threshold=1000 \
        -connected-components 8 null: | awk '$2 ~ /^348x24[+]/ && $NF == "srgb(0,0,0)" {print $2; exit}')
    [[ "$field" =~ ^348x24\+([0-9]+)\+([0-9]+)$ ]] || return 1
    box_left=$((BASH_REMATCH[1] - 12)) box_top=$((BASH_REMATCH[2] - 104))
    all_grey "372x1+$box_left+$box_top" && all_grey "372x1+$box_left+$((box_top + 139))" &&
        all_grey "1x140+$box_left+$box_top" && all_grey "1x140+$((box_left + 371))+$box_top"
}
box_gone() { ! box_shown; }
name_box_shown() {
    take_screenshot
    [[ "$(convert "$screenshot" -fill black +opaque "#$box_grey" -format '%@' info:)" =~ ^([0-9]+)x([0-9]+) ]] &&
        ((BASH_REMATCH[1] >= 300 && BASH_REMATCH[2] >= 100))
}

copy_program_folder
start_display 1024x768 96
# In a sanitizer build: SDL 2.26's Wayland backend and libwayland leave a few allocations at exit
# (1.8 KB). They are suppressed for this desktop alone, so that every SDL leak under X11 is still
# reported.
printf 'leak:libwayland-client.so\nleak:libSDL2-2.0.so\n' >"$work/wayland_leaks.supp"
launcher=(env LSAN_OPTIONS="suppressions=$work/wayland_leaks.supp")
launch

wait_for 30 name_box_shown || {
    picture_shown && fail "the game window opened without a name box (see $screenshot)"
    fail "no name box appeared (see $screenshot)"
}
picture_shown && fail "the game window showed before the name was given (see $screenshot)"
xdotool type --delay 40 'Tester'
xdotool key Return
wait_for 30 picture_shown || fail "Return did not answer the name box: no game window (see $screenshot)"
# The player's name caption, black while empty, shows the name.
[[ "$(pixel $((picture_left + 510)) $((picture_top + 14)))" != 000000 ]] ||
    fail "the name typed into the name box did not reach the game (see $screenshot)"

# A Wayland client has no say where its windows go: weston places every new window itself (the
# box as well, its parent set or not), so the box must show whole where weston put it, and stay
# there in front after a click into the game.
xdotool mousemove $((picture_left + 544)) $((picture_top + 164)) click 1
wait_for 30 box_shown || fail "\"New Player\" showed no box whole on the screen (see $screenshot)"
shown_at="$box_left,$box_top"
xdotool mousemove $((picture_left + 100)) $((picture_top + 100)) click 1
box_lost() { ! box_shown || [[ "$box_left,$box_top" != "$shown_at" ]]; }
wait_for 3 box_lost && fail "after a click into the game window the box at ($shown_at) is no longer whole in front (see $screenshot)"
xdotool key Return
wait_for 20 box_gone || fail "Return did not reach the box (see $screenshot)"

home_left=$picture_left home_top=$picture_top
full_left=$(((output_width - 592) / 2)) full_top=$(((output_height - 506) / 2))
for trip in 1 2 3 4; do
    xdotool key F11
    wait_for 20 picture_at "$full_left" "$full_top" ||
        fail "trip $trip: the full-screen picture is not centred at ($full_left, $full_top) (see $screenshot)"
    xdotool key F11
    wait_for 20 picture_at "$home_left" "$home_top" ||
        fail "trip $trip: back from full screen the picture is at ($picture_left, $picture_top), expected ($home_left, $home_top) (see $screenshot)"
done

xdotool mousemove $((picture_left + 544)) $((picture_top + 252)) click 1
expect_clean_exit "a click on \"Exit\""
echo "PASS: on native Wayland the name box takes the keyboard, a box stays whole in front, full screen keeps the place"
