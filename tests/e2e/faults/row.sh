#!/usr/bin/env bash
# One row of the fault matrix: the real program in a real X server, started over a copy of its
# folder with one fault put in, and what the player sees and what is left on disk checked.
# Usage: row.sh <path to vexoids> <row>; the rows are the labels of the outer `case` below, the
# only lines at the left margin that end in `)`: tests/CMakeLists.txt reads them from there, so a
# new row is one new label.
# shellcheck source=../lib/common.bash
source "$(dirname "$0")/../lib/common.bash"
# shellcheck source=../lib/play.bash
source "$(dirname "$0")/../lib/play.bash"

row=$2
screenshot="$work/screen.png"
as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
old=$'"-1","old"\r\n'  # a record any game beats, so a game over always tries to save

# The "Game Info" box telling that the record could not be read, before the name box.
record_notice() {
    local box
    box=$(window_named 'Game Info' 30) || fail "no notice that the record could not be read"
    xdotool windowactivate --sync "$box" key Return
}

expect_bytes() { printf '%s' "$2" | cmp -s - "$1" || fail "$1 changed: $(head -c 200 "$1" | od -c | head -5)"; }

# A picture or font fault: a box titled like the window (or only the error line without one),
# then the program ends with status 1, the file named on standard error.
expect_fatal_box() {
    # SDL's own box (for a missing font, before any window of ours) names itself in a way xdotool
    # does not match, so then the window tree is searched; windows may come and go meanwhile.
    find_box() {
        box=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1) && [[ -n $box ]] && return
        box=$(xwininfo -root -tree 2>/dev/null | awk -v t="\"$title\":" '$2 " " $3 " " $4 " " $5 " " $6 == t && !found {print $1; found = 1}')
        [[ -n $box ]]
    }
    wait_for 30 find_box || fail "no box about $1"
    xdotool windowactivate --sync "$box" key Return
    expect_clean_exit "the box about $1" 1
    grep -q "$1" "$work/vexoids.log" || fail "standard error does not name $1: $(cat "$work/vexoids.log")"
}

start_display
chmod 755 "$work"
case "$row" in
no_sounds | damaged_wav | no_audio | no_sound_card)
    copy_program_folder "$old"
    case "$row" in
    no_sounds) rm -r "$game/sounds" ;;
    damaged_wav)
        # 4 KB declaring 255 channels at 2 GHz where the start cue was; a FIFO for the shot.
        python3 -c 'import struct,sys; sys.stdout.buffer.write(b"RIFF"+struct.pack("<I",4116)+b"WAVEfmt "+struct.pack("<IHHIIHH",16,1,255,2000000000,0,510,16)+b"data"+struct.pack("<I",4080)+b"\5"*4080)' \
            >"$game/sounds/airraid.wav"
        rm "$game/sounds/pop2.wav" && mkfifo "$game/sounds/pop2.wav" ;;
    no_audio) audio_driver=no-such-device ;;
    # ALSA with no card, as on a machine without sound.
    no_sound_card) audio_driver=alsa ;;
    esac
    launch
    name_then_window Tester
    xdotool windowactivate --sync "$window" key s
    window_named 'Devi Vavaz Vexoids - LEVEL1' 20 >/dev/null || fail "S did not start a game"
    xdotool key ctrl ctrl ctrl
    exit_game
    case "$row" in
    damaged_wav)
        # Each refused sound named once, with why, however often it was played.
        [[ $(grep -c 'airraid.wav is not played: 255 channels' "$work/vexoids.log") == 1 &&
           $(grep -c 'pop2.wav is not played: not a regular file' "$work/vexoids.log") == 1 ]] ||
            fail "the refused sounds were not named once each: $(cat "$work/vexoids.log")" ;;
    no_sound_card | no_audio)
        [[ $(grep -c 'the game plays without sound' "$work/vexoids.log") == 1 ]] && ! grep -q 'ALSA lib' "$work/vexoids.log" ||
            fail "not one line about playing without sound: $(cat "$work/vexoids.log")" ;;
    esac ;;
sigterm_in_long_cue | sigterm_in_name_box | sigint_in_name_box | sigint_at_game_over)
    # A signal to quit ends the program at once with status 0, as the window's close box does,
    # whatever it waits on; a record is left whole.
    copy_program_folder "$old"
    signal=TERM
    case "$row" in
    sigterm_in_long_cue)
        # The start cue 35 minutes long at 8 kHz, 8-bit, all at half the full level, played
        # through the disk driver: once the driver writes that level (the resampler ripples by a
        # few steps), the cue plays.
        python3 -c 'import struct,sys; n=2100*8000; sys.stdout.buffer.write(b"RIFF"+struct.pack("<I",36+n)+b"WAVEfmt "+struct.pack("<IHHIIHH",16,1,1,8000,8000,1,8)+b"data"+struct.pack("<I",n)+b"\xc0"*n)' \
            >"$game/sounds/airraid.wav"
        audio_driver=disk
        launcher=(env SDL_DISKAUDIOFILE="$work/device.raw")
        launch
        name_then_window Tester
        xdotool windowactivate --sync "$window" key s
        playing() {
            tail -c 4096 "$work/device.raw" | python3 -c 'import array,sys; a=array.array("h",sys.stdin.buffer.read()); sys.exit(len(a)<2048 or any(abs(s-16384)>64 for s in a))'
        }
        wait_for 60 playing || fail "the long cue did not start" ;;
    sigterm_in_name_box | sigint_in_name_box)
        [[ $row == sigterm_in_name_box ]] || { launcher=(env --default-signal=INT) && signal=INT; }
        launch
        window_named 'Enter Your Name' 30 >/dev/null || fail "no name box appeared" ;;
    sigint_at_game_over)
        # Started from a script, a program ignores SIGINT unless told otherwise.
        launcher=(env --default-signal=INT)
        signal=INT
        launch
        name_then_window Tester
        # Two losses answered, GAME OVER left open.
        leave_open=yes play_to_game_over 3 ;;
    esac
    kill -"$signal" "$vexoids"
    expect_clean_exit "SIG$signal"
    if [[ $row == sigint_at_game_over ]]; then
        # The record the game earned is saved whole, though its box was not answered.
        expect_new_record "$game/scores.dat" 0
    else
        expect_bytes "$game/scores.dat" "$old"
    fi ;;
missing_picture | damaged_picture | boss_png | boss_too_large)
    # Every picture is checked at start-up: a bad one is named before the name box, never in play.
    copy_program_folder "$old"
    case "$row" in
    missing_picture) rm "$game/pictures/ship.jpg" && picture=ship.jpg ;;
    damaged_picture) printf 'GIF89a\x51\xD2\xD2\x35\x00\x00\x00%027d' 0 >"$game/pictures/brit2.gif"  # 53841 x 13778
        picture=brit2.gif ;;
    boss_png) convert -size 164x133 xc:firebrick "png:$game/pictures/bady.bmp" && picture=bady.bmp ;;
    boss_too_large) convert -size 600x600 xc:firebrick "bmp3:$game/pictures/bady.bmp" && picture=bady.bmp ;;
    esac
    launch
    wait_for 30 xdotool search --onlyvisible --name "^(Enter Your Name|$title)\$" || fail "no box at start-up"
    ! xdotool search --onlyvisible --name '^Enter Your Name$' >/dev/null 2>&1 ||
        fail "the name box came before the box about $picture"
    expect_fatal_box "$picture" ;;
modded_pictures)
    # Pictures a player made with other tools: a GIF whose own transparent colour is magenta (gifsicle),
    # and the ship as a CMYK JPEG stored on its side with an EXIF orientation (ImageMagick,
    # exiftool). Each shows as ImageMagick shows it, over the black playfield.
    copy_program_folder "$old"
    convert "$game/pictures/brit1.gif" -background magenta -alpha remove -alpha off "$work/magenta.gif"
    gifsicle --transparent '#FF00FF' "$work/magenta.gif" -o "$game/pictures/brit1.gif"
    convert "$game/pictures/ship.jpg" -rotate -90 -colorspace CMYK -quality 95 "$game/pictures/ship.jpg"
    exiftool -q -n -Orientation=6 -overwrite_original "$game/pictures/ship.jpg"
    launch
    name_then_window Tester
    # The wave at rest: brit1 at (48, 40), the ship at (200, 432), as the viewer shows them on black.
    convert "$game/pictures/brit1.gif" -background black -flatten "$work/brit1.png"
    convert "$game/pictures/ship.jpg" -auto-orient -colorspace sRGB "$work/ship.png"
    # Pixels unlike the viewer's in the screenshot's area $2 (WxH+X+Y) against the picture $1.
    unlike() {
        convert "$screenshot" -crop "$2" +repage "$work/area.png" &&
            compare -metric AE -fuzz 2% "$1" "$work/area.png" null: 2>&1 || true
    }
    # A falling star may cross the face's transparent pixels: a few may differ there, none in the ship.
    shows_as_viewer() {
        import -window "$window" "$screenshot" && (($(unlike "$work/brit1.png" 61x70+48+40) <= 30)) &&
            (($(unlike "$work/ship.png" 39x70+200+432) == 0))
    }
    wait_for 30 shows_as_viewer || fail "the pictures do not show as ImageMagick shows them (see $screenshot)"
    exit_game ;;
large_icon)
    # A 1024 px window icon is handed to the desktop at 256 x 256, not refused.
    copy_program_folder "$old"
    convert -size 1024x1024 xc:orange "bmp3:$game/pictures/icon.bmp"
    launch
    name_then_window Tester
    xprop -id "$window" 32c _NET_WM_ICON >"$work/icon"
    icon=$(head -c 200 "$work/icon")
    [[ $icon == *'= 256, 256, '* ]] || fail "the window's icon is not 256 x 256: $icon"
    exit_game ;;
missing_fonts)
    # A fontconfig that knows no font at all.
    printf '<?xml version="1.0"?>\n<fontconfig><cachedir>%s</cachedir></fontconfig>\n' "$work/fc-cache" >"$work/fonts.conf"
    copy_program_folder "$old"
    launcher=(env FONTCONFIG_FILE="$work/fonts.conf")
    launch
    expect_fatal_box "Liberation Sans" ;;
wrong_fonts)
    # A fontconfig that knows only the game's family in its regular face and another family in
    # bold: whatever it offers for the bold face is not the game's.
    mkdir "$work/fonts"
    for face in 'Liberation Sans:style=Regular' 'Liberation Serif:style=Bold'; do
        ln -s "$(fc-match -f '%{file}' "$face")" "$work/fonts/"
    done
    printf '<?xml version="1.0"?>\n<fontconfig><dir>%s</dir><cachedir>%s</cachedir></fontconfig>\n' \
        "$work/fonts" "$work/fc-cache" >"$work/fonts.conf"
    copy_program_folder "$old"
    launcher=(env FONTCONFIG_FILE="$work/fonts.conf")
    launch
    expect_fatal_box "Liberation Sans Bold" ;;
read_only_program_folder)
    copy_program_folder "$old"
    launcher=("${as_nobody[@]}")
    launch
    name_then_window Tester
    exit_game
    expect_bytes "$game/scores.dat" "$old"
    [[ $(find "$game" -newer "$game/vexoids" -name '.scores*' | wc -l) == 0 ]] || fail "files left in the folder" ;;
record_missing | record_empty | record_not_a_record)
    copy_program_folder
    case "$row" in
    record_missing) rm "$game/scores.dat" ;;
    record_empty) : >"$game/scores.dat" ;;
    record_not_a_record) printf '\x01\x02garbage' >"$game/scores.dat" ;;
    esac
    cp -a "$game/scores.dat" "$work/before" 2>/dev/null || true
    launch
    name_then_window Tester
    play_to_game_over 3 4
    # Without a hit the score of 0 does not beat the record of 0, and the file stays as it was.
    if ((boxes_seen == 4)); then
        expect_new_record "$game/scores.dat" 1
    elif [[ -e "$work/before" ]]; then
        cmp -s "$work/before" "$game/scores.dat" || fail "scores.dat changed without a new record"
    else
        [[ ! -e "$game/scores.dat" ]] || fail "scores.dat was made without a new record"
    fi
    exit_game ;;
record_utf8_bom | record_utf16)
    # Saved by a Windows editor with a byte-order mark (UTF-8, or UTF-16 as Notepad's "Unicode"):
    # read as the record it holds, -5, so a game of no points beats it (read as anything else, it
    # counts as 0, which no points do not beat); the new record is written as always, UTF-8
    # without a mark.
    copy_program_folder
    if [[ $row == record_utf8_bom ]]; then
        printf '\xEF\xBB\xBF"-5","Old"\r\n' >"$game/scores.dat"
    else
        { printf '\xFF\xFE' && printf '"-5","Old"\r\n' | iconv -f UTF-8 -t UTF-16LE; } >"$game/scores.dat"
    fi
    launch
    name_then_window Tester
    hold_fire=yes
    play_to_game_over 4
    printf '"0","Tester"\r\n' | cmp -s - "$game/scores.dat" || fail "not the new record: $(od -c "$game/scores.dat")"
    exit_game ;;
record_unreadable | record_fifo | record_directory | record_dev_zero)
    copy_program_folder $'"99999","keep"\r\n'
    runner=()
    case "$row" in
    record_unreadable) chown -R nobody:nogroup "$game" && chmod 0200 "$game/scores.dat" && runner=("${as_nobody[@]}") ;;
    record_fifo) rm "$game/scores.dat" && mkfifo "$game/scores.dat" ;;
    record_directory) rm "$game/scores.dat" && mkdir "$game/scores.dat" ;;
    record_dev_zero) ln -sf /dev/zero "$game/scores.dat" ;;
    esac
    launcher=(${runner[@]+"${runner[@]}"})
    launch
    record_notice
    name_then_window Tester
    exit_game
    [[ $row != record_unreadable ]] || expect_bytes "$game/scores.dat" $'"99999","keep"\r\n' ;;
record_symlink | record_hard_links | record_read_only | record_locked_folder | record_usual)
    copy_program_folder "$old"
    chown -R nobody:nogroup "$game"
    boxes=4
    case "$row" in
    record_symlink) mkdir "$work/keep" && mv "$game/scores.dat" "$work/keep/real.dat" &&
        chown -R nobody:nogroup "$work/keep" && ln -s "$work/keep/real.dat" "$game/scores.dat" ;;
    record_hard_links) ln "$game/scores.dat" "$work/other.dat" ;;
    record_read_only) chmod 0444 "$game/scores.dat" && boxes=5 ;;
    record_locked_folder) chmod 0666 "$game/scores.dat" && chmod 0555 "$game" ;;
    record_usual) chmod 0666 "$game/scores.dat" ;;
    esac
    launcher=("${as_nobody[@]}")
    launch
    name_then_window Tester
    play_to_game_over $boxes
    case "$row" in
    record_symlink) [[ -L "$game/scores.dat" ]] || fail "the link was replaced"
        expect_new_record "$work/keep/real.dat" 0 ;;
    record_hard_links) expect_new_record "$work/other.dat" 0 ;;
    record_read_only) expect_bytes "$game/scores.dat" "$old" ;;
    record_locked_folder | record_usual) expect_new_record "$game/scores.dat" 0
        [[ $(stat -c %a "$game/scores.dat") == 666 ]] || fail "mode $(stat -c %a "$game/scores.dat"), not 666" ;;
    esac
    [[ -z $(find "$game" -name '.scores.dat.saving-*') ]] || fail "a temporary file was left"
    exit_game ;;
record_5mb_line | holder_name_1mb)
    size=$((1 << 20))
    [[ $row == holder_name_1mb ]] || size=$((5 << 20))
    { printf '"-1","'; head -c "$size" /dev/zero | tr '\0' 'W'; printf '"\r\n'; } >"$work/record"
    copy_program_folder "$(cat "$work/record")"
    launch
    name_then_window Tester
    play_to_game_over 4
    expect_new_record "$game/scores.dat" 0
    exit_game ;;
names)
    # The holder's name before has control characters and letters beyond ASCII; the player's, typed,
    # a comma and quotes, stored with its double quotes as single ones. A second start reads the
    # stored record back with no complaint.
    copy_program_folder $'"-1","\x01\x1b[31m\tZo\xc3\xab \xc3\x98rsted\x07"\r\n'
    launch
    name_then_window 'Al "Ace", O'"'"'Neil'
    play_to_game_over 4
    score=$(sed -n '1s/^"\([0-9]*\)",.*/\1/p' "$game/scores.dat")
    printf '"%s","Al '"'"'Ace'"'"', O'"'"'Neil"\r\n' "$score" | cmp -s - "$game/scores.dat" ||
        fail "the name was not stored whole: $(od -c "$game/scores.dat")"
    exit_game
    launch
    name_then_window Tester
    exit_game ;;
*) fail "no row named $row" ;;
esac
echo "PASS: $row"
