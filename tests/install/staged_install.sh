#!/usr/bin/env bash
# cmake --install into a staging prefix puts every file in its place; the desktop entry and the
# AppStream metainfo pass their validators; the staged program, run by a user who cannot write
# the install, finds its data, starts, and keeps its record in that user's data folder, seeded
# with the shipped bytes and the player's own mode (the install's copy is read-only).
# Usage: staged_install.sh <path to vexoids> <build folder>
# shellcheck source=lib.bash
source "$(dirname "$0")/lib.bash"
build=$2
stage="$work/stage"
id=org.vexoids.vexoids

cmake --install "$build" --prefix "$stage" >"$work/install.log" || fail "cmake --install: $(cat "$work/install.log")"
echo "Installed:"
(cd "$stage" && find . -type f | sort | sed 's|^\./|  |')
expected=(games/vexoids share/games/vexoids/scores.dat share/games/vexoids/pictures/brit1.gif
    share/games/vexoids/sounds/pop2.wav "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
    share/man/man6/vexoids.6.gz share/doc/vexoids/copyright share/doc/vexoids/changelog.gz)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
    [[ "$(identify -format '%wx%h' "$stage/share/icons/hicolor/${size}x${size}/apps/$id.png" 2>/dev/null)" == \
        "${size}x${size}" ]] || fail "the ${size} px icon is not ${size} x ${size}"
done
for file in "${expected[@]}"; do
    [[ -f "$stage/$file" ]] || fail "not installed: $file"
done
cmp "$stage/share/games/vexoids/scores.dat" "$(dirname "$0")/../../data/scores.dat" || fail "scores.dat changed"

echo "desktop-file-validate:"
desktop-file-validate "$stage/share/applications/$id.desktop" || fail "desktop-file-validate"
echo "appstreamcli validate --no-net:"
appstreamcli validate --no-net "$stage/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
man -l "$stage/share/man/man6/vexoids.6.gz" 2>&1 >/dev/null | grep . && fail "the manual page has faults"
[[ "$("$stage/games/vexoids" --version)" == "vexoids $(sed -n 's/.*release version="\([^"]*\)".*/\1/p' \
    "$stage/share/metainfo/$id.metainfo.xml")" ]] || fail "--version and the metainfo's release differ"
# Blanks squeezed: the column the help text starts in follows the longest option.
help=$("$stage/games/vexoids" --help | tr -s ' ')
for line in "Usage: $stage/games/vexoids [OPTION]..." " --help show this help and exit" \
            " --version show the version and exit" " --scale N show each pixel as N x N" \
            " --fullscreen start in full screen" " --verify FILE replay FILE without a window"; do
    grep -qF -- "$line" <<<"$help" || fail "--help lacks \"$line\": $help"
done

# An install the player cannot write: root runs the game as nobody, anyone else as themselves.
start_display
chmod -R a-w "$stage"
chmod 755 "$work"
as_player=()
if [[ $(id -u) -eq 0 ]]; then
    chown -R nobody "$HOME"
    as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
# The installed record is read-only (0444); the player's copy gets the player's own mode.
[[ $(stat -c %a "$stage/share/games/vexoids/scores.dat") == 444 ]] || fail "the installed scores.dat is not 0444"
umask 022
start_installed "$stage/games/vexoids" "${as_player[@]}"
cmp "$XDG_DATA_HOME/vexoids/scores.dat" "$stage/share/games/vexoids/scores.dat" ||
    fail "no record seeded with the shipped bytes in the player's data folder"
mode=$(stat -c %a "$XDG_DATA_HOME/vexoids/scores.dat")
[[ $mode == 644 ]] || fail "the player's record has mode $mode, not 644"
# The player can write it, and the game reads it: a holder's name this long stretches its label
# across the panel.
"${as_player[@]}" bash -c 'printf "\"777\",\"Holder Of The Player Record\"\r\n" >"$1"' - "$XDG_DATA_HOME/vexoids/scores.dat" ||
    fail "the player cannot write the record"
start_installed "$stage/games/vexoids" "${as_player[@]}"
[[ "$(pixel $((left + 570)) $((top + 488)))" != 000000 ]] || fail "the player's own record was not read (see $screenshot)"
echo "PASS: staged install, validators, the program started by a player who cannot write it, the record in \
\$XDG_DATA_HOME/vexoids"
