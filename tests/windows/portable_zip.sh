#!/usr/bin/env bash
# The zip as a player uses it: unpacked into a folder whose name has a space and non-ASCII letters,
# the program started from there, its name box answered, a whole game played and the record it
# sets saved beside the program (the folder can be written, so nothing goes to %APPDATA%), the
# window at its designed size, and Exit ending it with status 0.
# Usage: portable_zip.sh <path to vexoids-VERSION-win64.zip>
# shellcheck source=../e2e/lib/common.bash
source "$(dirname "$0")/../e2e/lib/common.bash"
# shellcheck source=../e2e/lib/play.bash
source "$(dirname "$0")/../e2e/lib/play.bash"
# shellcheck source=lib/wine.bash
source "$(dirname "$0")/lib/wine.bash"

screenshot="$work/screen.png"
folder="$work/Spiele Zoë"
mkdir -p "$folder"
(cd "$folder" && cmake -E tar xf "$program") || fail "the zip did not unpack"
game_dir=$(find "$folder" -maxdepth 2 -name vexoids.exe -printf '%h\n' | head -n1)
[[ -n $game_dir ]] || fail "the zip holds no vexoids.exe: $(find "$folder" | head -20)"
for item in pictures sounds fonts licences scores.dat; do
    [[ -e "$game_dir/$item" ]] || fail "the zip's program folder has no $item"
done
# A record any game beats, so the game over always saves.
printf '"-1","old"\r\n' >"$game_dir/scores.dat"

start_display
make_prefix
launch_windows "$game_dir/vexoids.exe"
name_then_window Tester
measure_window "$window"
[[ "${width}x$height" == 592x506 ]] || fail "the window is ${width}x$height, not 592x506"
take_screenshot
play_to_game_over 4
expect_new_record "$game_dir/scores.dat" 0
appdata=$(windows_folder APPDATA)
[[ ! -e "$appdata/vexoids/scores.dat" ]] || fail "the record went to %APPDATA% although the program's folder can be written"
exit_game
echo "PASS: the zip in \"$(basename "$folder")\" played a game to its end, saved $(head -c 40 "$game_dir/scores.dat" | tr -d '\r\n') beside the program and exited with 0"
