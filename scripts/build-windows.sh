#!/usr/bin/env bash
# Cross-builds the game for 64-bit Windows on Debian 12 and packs it. Installs the MinGW-w64
# toolchain, builds the libraries the game links (SDL2, SDL2_ttf with FreeType, giflib,
# libjpeg-turbo) from the source packages Debian 12 ships, with Debian's patches, as static libraries into a cache outside the repository; then builds the
# game in build-win64/ (Release) and writes dist/vexoids-VERSION-win64.zip, the program folder,
# and dist/vexoids-VERSION-win64-setup.exe, its installer. scripts/test-windows.sh tests both.
# Usage: scripts/build-windows.sh [--deps-only]
#   --deps-only  stop once the libraries are built; their folder is printed last
# The cache lies in ${XDG_CACHE_HOME:-~/.cache}/vexoids, one folder per set of library versions,
# reused while the versions match. Each build step runs under nice: the machines are shared.
set -euo pipefail
cd "$(dirname "$0")/.."
deps_only=false
case "${1:-}" in
  --deps-only) deps_only=true ;;
  "") ;;
  *) echo "Usage: scripts/build-windows.sh [--deps-only]" >&2; exit 2 ;;
esac

scripts/setup.sh --windows

# The Debian source package of each library and the upstream version the game is built with. The
# Debian revision is whatever the archive has now, so security fixes come in (and rebuild the cache).
libraries=(libsdl2=2.26.5 libsdl2-ttf=2.20.1 freetype=2.12.1 giflib=5.2.1 libjpeg-turbo=2.1.5)
# Raised whenever the way the libraries are built below changes, so that old caches are not reused.
recipe=1
toolchain=$PWD/cmake/toolchain-win64.cmake
triplet=x86_64-w64-mingw32
jobs=2

cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/vexoids
mkdir -p "$cache_root"
# One build at a time per cache: a second run waits, then finds the libraries built.
exec {lock}>"$cache_root/win64.lock"
flock "$lock"

# Debian's source archive through an apt configuration of our own, so the system's stays untouched.
apt_dir=$cache_root/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/sources.list.d" "$apt_dir/cache/archives/partial"
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
cat >"$apt_dir/sources.list" <<END
deb-src [signed-by=$keyring] http://deb.debian.org/debian bookworm main
deb-src [signed-by=$keyring] http://deb.debian.org/debian bookworm-updates main
deb-src [signed-by=$keyring] http://deb.debian.org/debian-security bookworm-security main
END
apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
             -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
             -o "APT::Sandbox::User=$(id -un)")
apt-get "${apt_options[@]}" update -qq

# The newest version the archive has of a source package, among those of the given upstream version.
debian_version() {
  local package=$1 upstream=$2 best="" version
  for version in $(apt-cache "${apt_options[@]}" showsrc --only-source "$package" | sed -n 's/^Version: //p'); do
    local bare=${version#*:}
    [[ $bare == "$upstream"-* || $bare == "$upstream"+* ]] || continue
    if [[ -z $best ]] || dpkg --compare-versions "$version" gt "$best"; then best=$version; fi
  done
  if [[ -z $best ]]; then
    echo "Debian's archive has no $package $upstream any more: try the game with the version it has" \
         "now, then change the version in scripts/build-windows.sh." >&2
    exit 1
  fi
  echo "$best"
}

declare -A version
key=win64-r$recipe
for library in "${libraries[@]}"; do
  package=${library%%=*}
  version[$package]=$(debian_version "$package" "${library#*=}")
  key+=-$package-${version[$package]#*:}
done
deps=$cache_root/$key

# Builds one library with CMake into the cache being made; the build's output is shown on failure.
cmake_library() {
  local package=$1; shift
  local source=$work/$package build=$work/$package-build log=$work/$package.log
  if ! { nice -n 10 cmake -S "$source" -B "$build" --toolchain "$toolchain" -DVEX_WIN64_DEPS="$partial" \
           -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$partial" -DBUILD_SHARED_LIBS=OFF "$@" &&
         nice -n 10 cmake --build "$build" -j"$jobs" &&
         nice -n 10 cmake --install "$build"; } >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "Building $package for Windows failed (above; the whole log: $log)." >&2
    exit 1
  fi
}

# giflib has only a Makefile; its static library and header are all the game needs.
giflib_library() {
  local source=$work/giflib log=$work/giflib.log
  if ! nice -n 10 make -C "$source" -j"$jobs" libgif.a CC="$triplet-gcc-posix" AR="$triplet-ar" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "Building giflib for Windows failed (above; the whole log: $log)." >&2
    exit 1
  fi
  install -D -m 644 "$source/libgif.a" "$partial/lib/libgif.a"
  install -D -m 644 "$source/gif_lib.h" "$partial/include/gif_lib.h"
}

if [[ -f $deps/versions.txt ]]; then
  echo "The Windows libraries are built already: $deps"
else
  echo "Building the Windows libraries into $deps"
  started=$SECONDS
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  partial=$deps.partial
  rm -rf "$partial"
  mkdir -p "$partial"
  (cd "$work" && apt-get "${apt_options[@]}" source --download-only -qq \
     $(for package in "${!version[@]}"; do echo "$package=${version[$package]}"; done))
  for package in "${!version[@]}"; do
    dpkg-source -x "$work/${package}_${version[$package]#*:}.dsc" "$work/$package" >"$work/$package.unpack.log" 2>&1 ||
      { cat "$work/$package.unpack.log" >&2; exit 1; }
    # The licences go beside the program later.
    install -D -m 644 "$work/$package/debian/copyright" "$partial/share/licenses/$package/copyright"
  done

  # Static libraries, so that the game is one program without DLLs of its own to carry.
  cmake_library libsdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
  # FreeType with its own copy of zlib, and without the PNG, bzip2, Brotli and HarfBuzz the game's
  # fonts do not need; Debian's patches keep its rendering the same as on Linux.
  cmake_library freetype -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_BROTLI=ON -DFT_DISABLE_HARFBUZZ=ON
  cmake_library libsdl2-ttf -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF -DSDL2TTF_SAMPLES=OFF
  cmake_library libjpeg-turbo -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF
  giflib_library

  for package in "${!version[@]}"; do echo "$package ${version[$package]}"; done | sort >"$partial/versions.txt"
  mv "$partial" "$deps"
  echo "Built the Windows libraries in $((SECONDS - started)) s: $(du -sh "$deps" | cut -f1) in $deps"
fi

if $deps_only; then
  echo "$deps"
  exit 0
fi

# The game in Release, with the headless suite's build configured too: scripts/test-windows.sh
# builds it and runs it under Wine.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
nice -n 10 cmake -S . -B build-win64 --toolchain "$toolchain" -DVEX_WIN64_DEPS="$deps" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DVEX_TESTS=ON -DVEX_WERROR=OFF "${launcher[@]}" >/dev/null
nice -n 10 cmake --build build-win64 -j"$jobs" --target vexoids
game_version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win64/CMakeCache.txt)

# Windows' own DLLs are those Wine carries too; any other DLL a program names must come from
# MinGW-w64 or the libraries' cache, and goes beside it, with the DLLs it names in turn.
wine_system=$(dirname "$(dpkg -L libwine | grep -m1 '/x86_64-windows/kernel32\.dll$')")
dll_folders=("/usr/lib/gcc/$triplet/12-posix" "/usr/$triplet/lib" "$deps/bin")
bundle_dlls() {
  local folder name source candidate
  folder=$(dirname "$1")
  for name in $("$triplet-objdump" -p "$1" | sed -n 's/^\s*DLL Name: //p'); do
    [[ -e $folder/$name || -e $wine_system/${name,,} ]] && continue
    source=""
    for candidate in "${dll_folders[@]}"; do
      [[ -f $candidate/$name ]] && source=$candidate/$name && break
    done
    if [[ -z $source ]]; then
      echo "$(basename "$1") needs $name, which is neither part of Windows nor found in: ${dll_folders[*]}" >&2
      exit 1
    fi
    install -m 644 "$source" "$folder/"
    bundle_dlls "$folder/$name"
  done
}

# The uninstaller's lines deleting each installed file, then each folder, deepest first.
uninstall_lines() {
  (cd "$1" && find . -type f ! -path ./scores.dat | sort | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
   cd "$1" && find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|')
}

stage=$(mktemp -d)
trap 'rm -rf "$stage" "${work:-}"' EXIT
program=$stage/vexoids-$game_version
nice -n 10 cmake --install build-win64 --prefix "$program" --strip >/dev/null
bundle_dlls "$program/vexoids.exe"
mkdir -p dist
zip=dist/vexoids-$game_version-win64.zip
setup=dist/vexoids-$game_version-win64-setup.exe
rm -f "$zip" "$setup"
(cd "$stage" && cmake -E tar cf "$OLDPWD/$zip" --format=zip "vexoids-$game_version")
uninstall_lines "$program" >"$stage/uninstall_files.nsh"
nice -n 10 makensis -V2 -DVERSION="$game_version" -DSTAGE="$program" -DFILES="$stage/uninstall_files.nsh" \
  -DOUTFILE="$PWD/$setup" dist/windows/vexoids.nsi
echo "Wrote $zip ($(du -h "$zip" | cut -f1)) and $setup ($(du -h "$setup" | cut -f1))"
