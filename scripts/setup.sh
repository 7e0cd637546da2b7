#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and test, when they are missing.
# Usage: scripts/setup.sh [--tests | --fuzz | --windows]
#   --tests  also what the tests need; --fuzz  also the fuzzing compiler (scripts/fuzz.sh)
#   --windows  instead what the Windows build needs (scripts/build-windows.sh): the MinGW-w64
#              compilers, the tools that unpack and build Debian's sources, Wine and NSIS,
#              ImageMagick for the program's icon and GoogleTest's sources for its tests
# apt's own output is kept in a log and shown only when it fails.
set -euo pipefail

packages=(cmake g++ make pkg-config libsdl2-dev libsdl2-ttf-dev libjpeg-dev libx11-dev libgif-dev libfontconfig-dev libasound2-dev
          fonts-liberation2)
case "${1:-}" in
  --tests)
    packages+=(
      googletest libgtest-dev libbenchmark-dev
      xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick gifsicle libimage-exiftool-perl wmctrl
      openbox icewm i3-wm weston xwayland
      sox ffmpeg espeak-ng
      python3 desktop-file-utils appstream dpkg-dev file lintian man-db
    ) ;;
  --fuzz) packages+=(clang-14 libclang-rt-14-dev libfuzzer-14-dev) ;;
  --windows)
    packages=(
      cmake make dpkg-dev xz-utils debian-archive-keyring nasm
      gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
      wine64 nsis fonts-liberation2 imagemagick googletest
    ) ;;
esac

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

# Root installs directly; anyone else through sudo, and is told what to do when there is none.
if [[ $(id -u) -ne 0 ]] && ! command -v sudo >/dev/null 2>&1; then
  cat >&2 <<END
These Debian packages are missing: ${missing[*]}
Installing them needs root, and sudo is not installed. Either run, as root (su - gets you there):
    apt-get update && apt-get install --no-install-recommends ${missing[*]}
or install sudo (as root: apt-get install sudo; adduser $(id -un) sudo; then log in again), and
run this command again.
END
  exit 1
fi
echo "Installing ${#missing[@]} Debian packages: ${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  sudo -n true 2>/dev/null || echo "sudo installs them and will ask for your password."
  as_root=(sudo)
fi

# sudo clears the environment, so the setting goes on apt-get's command line. apt waits up to 15
# minutes for another apt or dpkg on the machine to finish.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 update -qq &&
       "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}"; } \
       </dev/null >"$log" 2>&1; then
  cat "$log" >&2
  echo "Installing the packages failed (above)." >&2
  exit 1
fi
