#!/usr/bin/env bash
# cpack makes a Debian package of the build that lintian finds no errors in; unpacked into a
# clean folder (dpkg -x), the program found there starts, finds its data and keeps its record in
# that folder, which it can write.
# Usage: debian_package.sh <path to vexoids> <build folder>
# shellcheck source=lib.bash
source "$(dirname "$0")/lib.bash"
build=$2

# The package is made of what this build installs under /usr, stripped as cpack strips it. Left
# to itself cpack would first build everything afresh, and a test must not rebuild the programs
# the other tests are running.
cmake --install "$build" --prefix "$work/stage/usr" --strip >"$work/install.log" ||
    fail "cmake --install: $(cat "$work/install.log")"
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/package" -D CPACK_INSTALL_CMAKE_PROJECTS= \
    -D CPACK_INSTALLED_DIRECTORIES="$work/stage;." >"$work/cpack.log" 2>&1) || fail "cpack: $(cat "$work/cpack.log")"
deb=$(find "$work/package" -maxdepth 1 -name '*.deb' | head -n1)
[[ -n "$deb" ]] || fail "cpack made no .deb: $(cat "$work/cpack.log")"
echo "Package $(basename "$deb"):"
dpkg-deb --info "$deb" | sed -n 's/^ \(Package\|Version\|Depends\|Section\|Installed-Size\):/  &/p'
echo "lintian:"
lintian --tag-display-limit 0 "$deb" 2>&1 | tee "$work/lintian.log"
grep -q '^E:' "$work/lintian.log" && fail "lintian reports errors"

dpkg -x "$deb" "$work/root"
start_display
start_installed "$work/root/usr/games/vexoids"
[[ ! -e "$XDG_DATA_HOME/vexoids" ]] || fail "a writable game folder kept its record elsewhere"
echo "PASS: the package passes lintian and its program starts from a clean folder"
