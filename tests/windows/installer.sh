#!/usr/bin/env bash
# The installer as a player and an administrator use it, silently (/S): the program in Program
# Files with its Start-menu entry and its uninstaller registered, answering --version; installed
# again over itself, it keeps the record; uninstalled, it leaves nothing of its own but the
# player's record, in %APPDATA%.
# Usage: installer.sh <path to vexoids-VERSION-win64-setup.exe>
# shellcheck source=../e2e/lib/common.bash
source "$(dirname "$0")/../e2e/lib/common.bash"
# shellcheck source=lib/wine.bash
source "$(dirname "$0")/lib/wine.bash"

version=$(basename "$program" | sed -n 's/^vexoids-\(.*\)-win64-setup\.exe$/\1/p')
[[ -n $version ]] || fail "$program is not named vexoids-VERSION-win64-setup.exe"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vexoids'
record=$'"77","Keeper"\r\n'

start_display
make_prefix
installed="$(windows_folder ProgramFiles)/Vexoids"
shortcut="$(windows_folder ProgramData)/Microsoft/Windows/Start Menu/Programs/Devi Vavaz Vexoids From Hell.lnk"
appdata_record="$(windows_folder APPDATA)/vexoids/scores.dat"

install() {
    "$wine" "$program" /S >>"$work/setup.log" 2>&1 || fail "the installer ended with an error: $(cat "$work/setup.log")"
    [[ -f "$installed/vexoids.exe" && -f "$installed/uninstall.exe" ]] ||
        fail "the installer put no program or uninstaller in $installed"
}

# The uninstaller runs a copy of itself and returns at once; that copy removes the folder first
# and the Start-menu entry and registry keys after it, so its work is done when all are gone.
uninstalled() {
    [[ ! -e "$installed" && ! -e "$shortcut" ]] && ! "$wine" reg query "$uninstall_key" >/dev/null 2>&1
}
uninstall() {
    "$wine" "$installed/uninstall.exe" /S >>"$work/setup.log" 2>&1 || fail "the uninstaller ended with an error"
    wait_for 120 uninstalled || {
        [[ ! -e "$installed" ]] || fail "the uninstaller left $(find "$installed" | head -20 | tr '\n' ' ')"
        [[ ! -e "$shortcut" ]] || fail "the uninstaller left the Start-menu entry"
        fail "the uninstaller left its Add/Remove Programs entry"
    }
}

expect_record() { printf '%s' "$record" | cmp -s - "$1" || fail "$2: $1 holds $(od -c "$1" 2>&1 | head -3)"; }

install
[[ -f "$shortcut" ]] || fail "no Start-menu entry"
"$wine" reg query "$uninstall_key" /v DisplayVersion >"$work/registry.txt" 2>&1 || fail "no Add/Remove Programs entry"
grep -q "REG_SZ *$version" "$work/registry.txt" || fail "Add/Remove Programs lists another version: $(cat "$work/registry.txt")"
"$wine" "$installed/vexoids.exe" --version >"$work/version.txt" 2>&1 || fail "--version failed: $(cat "$work/version.txt")"
[[ "$(tr -d '\r' <"$work/version.txt")" == "vexoids $version" ]] || fail "--version printed: $(cat "$work/version.txt")"

# Where the player's record lies before the uninstaller runs, and where it is afterwards:
# A record beside the program (its folder could be written) survives an upgrade in place and
# moves to %APPDATA%; a record in %APPDATA% stays there, not replaced by the one shipped.
printf '%s' "$record" >"$installed/scores.dat"
install
expect_record "$installed/scores.dat" "installing over the game replaced the record"
uninstall
expect_record "$appdata_record" "uninstalling did not keep the record beside the program"

install
uninstall
expect_record "$appdata_record" "uninstalling changed the record in %APPDATA%"
echo "PASS: installed silently, --version says $version, upgraded in place and uninstalled twice keeping the record"
