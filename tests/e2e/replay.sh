#!/usr/bin/env bash
# A session recorded through the real window and proved by its replay: the player names themself,
# plays a game to its end with every box answered, opens and closes the About panel and leaves by
# Exit, all under --record. --verify then gives the record scores.dat was given, the same line
# twice; a file cut in half and random bytes are refused with a message naming the file and a
# non-zero status; --replay plays the session in the window to its end, exits 0, says it ended as
# recorded and leaves scores.dat as it was. A replay recorded headless (tests/replays/) plays in
# the window, at scale 2, to the result it was recorded with.
# Usage: replay.sh <path to vexoids>
# shellcheck source=lib/common.bash
source "$(dirname "$0")/lib/common.bash"
# shellcheck source=lib/play.bash
source "$(dirname "$0")/lib/play.bash"

replay="$work/session.replay"
screenshot="$work/replaying.png"

copy_program_folder $'"0","nobody"\r\n'
start_display
launch --record "$replay"
name_then_window Tester
play_to_game_over 3 4
((boxes_seen == 4)) || fail "no shot hit, so no record to prove ($boxes_seen boxes)"
wait_for 20 grep -q '"Tester"' "$game/scores.dat" || fail "no new record in scores.dat"
record=$(sed -n '1s/^"\([0-9][0-9]*\)",.*/\1/p' "$game/scores.dat")
xdotool windowactivate --sync "$window" mousemove --window "$window" 544 224 click 1
sleep 1
xdotool mousemove --window "$window" 256 212 click 1
exit_game
grep -q ' end score ' "$replay" || fail "the replay has no result line: $(tail -n 3 "$replay")"
grep -q " click Label2$" "$replay" && grep -q " click Label3$" "$replay" || fail "the clicks on \"About\" and \"Exit\" were not recorded"

# Without a display: --verify needs none.
verify() { env -u DISPLAY SDL_AUDIODRIVER=none "$game/vexoids" --verify "$1" >"$work/verify.out" 2>&1; }
verify "$replay" || fail "--verify refused the recording: $(cat "$work/verify.out")"
first=$(cat "$work/verify.out")
[[ $first == *"record $record,"* && $first == *"as recorded"* ]] ||
    fail "--verify does not give the record $record scores.dat holds: $first"
verify "$replay" && [[ $(cat "$work/verify.out") == "$first" ]] ||
    fail "a second --verify said otherwise: $(cat "$work/verify.out")"

head -c $(($(stat -c %s "$replay") / 2)) "$replay" >"$work/half.replay"
head -c 4096 /dev/urandom >"$work/noise.replay"
for bad in half noise; do
    status=0
    verify "$work/$bad.replay" || status=$?
    ((status != 0)) && [[ $(wc -l <"$work/verify.out") == 1 && $(cat "$work/verify.out") == "$work/$bad.replay: "* ]] ||
        fail "--verify of the $bad file: status $status, said: $(head -c 300 "$work/verify.out")"
done

before=$(sha256sum <"$game/scores.dat")
# $1: the replay, then options; waits for the window, takes $screenshot once the game runs, presses keys of the
# player's that must not steer it, and expects it to end by itself as recorded.
replay_in_window() {
    launch --replay "$@"
    window=$(window_named "$title" 60) || fail "the replay of $1 showed no window"
    window_named 'Devi Vavaz Vexoids - LEVEL1' 60 >/dev/null || fail "the replay of $1 did not start the game"
    import -window root "$screenshot"
    xdotool windowactivate --sync "$window" key s key Left 2>/dev/null || true
    wait_for 150 bash -c "! kill -0 $vexoids" || fail "the replay of $1 did not end by itself"
    expect_clean_exit "the replay of $1"
    grep -q "^$1: .*, as recorded\$" "$work/vexoids.log" || fail "the replay of $1 ended otherwise: $(cat "$work/vexoids.log")"
}
replay_in_window "$replay"
[[ $(sha256sum <"$game/scores.dat") == "$before" ]] || fail "the replay changed scores.dat"
headless=$(realpath "$(dirname "$0")/../replays/headless-game.replay")
replay_in_window "$headless" --scale 2
echo "PASS: a recorded game with record $record verified ($first), bad files refused, replayed to its end;" \
    "a headless recording replayed in the window as recorded"
