#!/usr/bin/env bash
# What a long cue costs the real program: its peak memory while a 35-minute 8 kHz cue plays
# (VmHWM, with the idle game's beside it) and how long SIGTERM takes to end it mid-cue.
# Usage: bench/long_cue.sh <path to vexoids> [cue seconds, 2100 by default]
# shellcheck source=../tests/e2e/lib/common.bash
source "$(dirname "$0")/../tests/e2e/lib/common.bash"

seconds=${2:-2100}
peak_kb() { awk '/^VmHWM:/ {print $2}' "/proc/$vexoids/status"; }

start_display
copy_program_folder
launch
box=$(window_named 'Enter Your Name' 30) || fail "no name box"
xdotool windowactivate --sync "$box" type Tester
xdotool key Return
window=$(window_named 'Devi Vavaz Vexoids From Hell' 30) || fail "no window"
sleep 3
echo "idle game: peak $(peak_kb) kB"
kill "$vexoids" && wait "$vexoids" || true

sox -n -r 8000 -b 8 -c 1 "$game/sounds/airraid.wav" synth "$seconds" sine 300 vol 0.5
echo "cue: $(stat -c %s "$game/sounds/airraid.wav") bytes, $seconds s at 8 kHz"
launch
box=$(window_named 'Enter Your Name' 30) || fail "no name box"
xdotool windowactivate --sync "$box" type Tester
xdotool key Return
window=$(window_named 'Devi Vavaz Vexoids From Hell' 30) || fail "no window"
xdotool windowactivate --sync "$window" key s
sleep 10
echo "10 s into the cue: peak $(peak_kb) kB"
before=$(date +%s%N)
kill -TERM "$vexoids"
status=0
wait "$vexoids" || status=$?
echo "SIGTERM mid-cue: ended with status $status after $((($(date +%s%N) - before) / 1000000)) ms"
