# Wine for the Windows tests, sourced after ../../e2e/lib/common.bash: a prefix in the run's own
# scratch folder, no installer dialog of Wine's own (Mono and Gecko are switched off), and every
# Windows process of that prefix stopped, by wineserver -k on it alone, before the X server goes.
# shellcheck shell=bash disable=SC2034,SC2154

wine=$(dpkg -L wine64 | grep -m1 '/wine64$') || fail "wine64 is not installed (scripts/setup.sh --windows)"
wineserver=$(dirname "$wine")/wineserver
export WINEPREFIX="$work/wine" WINEDLLOVERRIDES="mscoree=d;mshtml=d" WINEDEBUG=-all WINEARCH=win64

stop_wine() {
    if [[ -d $WINEPREFIX ]]; then
        "$wineserver" -k 2>/dev/null || true
    fi
}
trap 'stop_wine; cleanup' EXIT

# Makes the prefix, in the X server started before; a loaded machine may take a minute.
make_prefix() {
    "$wine" wineboot --init >"$work/wineboot.log" 2>&1 || fail "wineboot failed: $(cat "$work/wineboot.log")"
    "$wineserver" --wait
}

# The Unix path of a Windows path.
unix_path() { "$wine" winepath --unix "$1" 2>/dev/null | tr -d '\r'; }

# The value of a Windows environment variable (APPDATA, ProgramFiles) in the prefix, as a Unix path.
windows_folder() { unix_path "$("$wine" cmd /c echo "%$1%" 2>/dev/null | tr -d '\r')"; }

# Starts a Windows program with the arguments given, its output in $work/vexoids.log; its
# process id is $vexoids, and its exit status the program's. The sound goes nowhere.
launch_windows() {
    SDL_AUDIODRIVER=dummy "$wine" "$@" >"$work/vexoids.log" 2>&1 &
    vexoids=$!
    pids+=("$vexoids")
}
