#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and test, when they are missing.
# Usage: scripts/setup.sh [--tests | --fuzz]   (--tests includes what the fuzzing needs)
set -euo pipefail

packages=(cmake g++ make pkg-config libsdl2-dev libsdl2-ttf-dev libsdl2-image-dev libx11-dev libgif-dev libfontconfig-dev
          fonts-liberation2)
fuzzing=(clang-14 libclang-rt-14-dev libfuzzer-14-dev)
case "${1:-}" in
  --tests) packages+=(googletest libgtest-dev libbenchmark-dev xvfb xauth xdotool openbox icewm i3-wm weston xwayland x11-xserver-utils x11-utils imagemagick wmctrl python3
                      desktop-file-utils appstream dpkg-dev file lintian man-db "${fuzzing[@]}") ;;
  --fuzz) packages+=("${fuzzing[@]}") ;;
esac

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
