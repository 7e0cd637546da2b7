#!/usr/bin/env bash
# Placing the data beside the program brings the pictures and sounds, and a first scores.dat
# only where none exists: a rebuild never erases a player's record.
# Usage: keeps_player_record.sh <source data folder> <place_data.cmake>
set -euo pipefail
data=$1 script=$2
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT

place() { cmake -DSOURCE="$data" -DDESTINATION="$dest" -P "$script"; }

place
cmp "$data/scores.dat" "$dest/scores.dat" || { echo "first build did not bring scores.dat"; exit 1; }
for wanted in sounds/pop2.wav pictures/brit1.gif; do
  [[ -f "$dest/$wanted" ]] || { echo "missing $wanted after placing the data"; exit 1; }
done

printf '"98765","Zoë"\r\n' > "$dest/scores.dat"
place
[[ "$(cat "$dest/scores.dat")" == $'"98765","Zoë"\r' ]] || { echo "a rebuild overwrote the player's record"; exit 1; }
echo "record kept"
