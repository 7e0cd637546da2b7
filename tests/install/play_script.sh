#!/usr/bin/env bash
# scripts/play.sh as a player sees it, on a copy of the scripts in a folder of its own with a fake
# cmake and dpkg-query first on the PATH: a few lines ending with the game starting, however much
# the build tools print; when a step fails, what the tool said in full and no start.
# Usage: play_script.sh <path to the scripts folder>
set -euo pipefail
scripts=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL ($scenario): $*" >&2; failures=$((failures + 1)); }

mkdir -p "$work/bin"
printf '#!/bin/bash\nprintf "install ok installed"\n' >"$work/bin/dpkg-query"
# A cmake as chatty as the real one; the build makes a "game" that says it ran. $FAILS names the
# step that fails (configure or build), with an error among its lines.
cat >"$work/bin/cmake" <<'END'
#!/bin/bash
step=configure
[[ $1 == --build ]] && step=build
for i in $(seq 40); do echo "[ $i%] Building CXX object noise-$step-$i.o"; done
if [[ $step == "${FAILS:-}" ]]; then
  echo "error: $step broke here" >&2
  for i in $(seq 20); do echo "more of what $step said, line $i"; done
  exit 1
fi
if [[ $step == build ]]; then
  mkdir -p build
  printf '#!/bin/bash\necho "the game ran"\n' >build/vexoids
  chmod +x build/vexoids
fi
END
chmod +x "$work/bin"/*

# scenario | failing step | exit status | lines of output at most
for row in "builds|-|0|3" "configure fails|configure|1|200" "build fails|build|1|200"; do
  IFS='|' read -r scenario fails status most <<<"$row"
  tree="$work/${scenario// /-}"
  mkdir -p "$tree"
  cp -r "$scripts" "$tree/scripts"
  got=0
  PATH="$work/bin:$PATH" FAILS="$fails" bash "$tree/scripts/play.sh" >"$tree/out" 2>&1 </dev/null || got=$?
  [[ $got == "$status" ]] || fail "exit status $got, not $status"
  (($(wc -l <"$tree/out") <= most)) || fail "$(wc -l <"$tree/out") lines of output"
  if [[ $fails == - ]]; then
    [[ $(tail -n 2 "$tree/out") == $'Starting the game.\nthe game ran' ]] || fail "does not end with the game starting"
    ! grep -q noise "$tree/out" || fail "shows the build tools' lines"
  else
    if ! grep -qx "error: $fails broke here" "$tree/out" || ! grep -qx "more of what $fails said, line 20" "$tree/out"; then
      fail "the failing step's output is not shown in full"
    fi
    ! grep -q 'Starting the game' "$tree/out" || fail "says the game starts"
  fi
  [[ $failures == 0 ]] || { echo "output of $scenario:" >&2; cat "$tree/out" >&2; exit 1; }
done
echo "PASS: play.sh says little, and all when a step fails"
