#!/usr/bin/env bash
# scripts/setup.sh as players meet it, in a folder of its own with a PATH of its own: a fake
# dpkg-query says which packages are missing and a fake apt-get records how it was called, so
# nothing is installed. A player without sudo is told what is missing and how to get it before
# anything fails; one whose sudo needs a password is told so before sudo asks; apt-get runs
# non-interactive through sudo, which clears the environment as the real one does; apt's output
# is shown only when it fails; the test set-up lists no fuzzing compiler.
# Usage: setup_script.sh <path to scripts/setup.sh>
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A copy the player can read wherever the checkout lies (a root-only folder, for one).
setup="$work/setup.sh"
cp "$1" "$setup"
failures=0
fail() { echo "FAIL ($scenario): $*" >&2; failures=$((failures + 1)); }

# The commands the script may use, and nothing else: no sudo unless a scenario adds one.
mkdir -p "$work/tools"
for tool in bash env grep id cat mktemp rm; do
  ln -s "$(command -v "$tool")" "$work/tools/$tool"
done
cat >"$work/tools/dpkg-query" <<'END'
#!/bin/bash
# The last argument is the package; those in $MISSING (or all, for "all") are not installed.
package=${!#}
[[ $MISSING == all || " $MISSING " == *" $package "* ]] && { echo "dpkg-query: no packages found matching $package" >&2; exit 1; }
printf 'install ok installed'
END
cat >"$work/tools/apt-get" <<'END'
#!/bin/bash
echo "by=$([[ -n ${SUDO_USER:-} ]] && echo sudo || id -u) frontend=${DEBIAN_FRONTEND:-unset} $*" >>"$RUN/apt.log"
[[ -z ${APT_FAILS:-} || $1 == update ]] || { echo "E: Unable to locate package $APT_FAILS"; exit 100; }
echo "Selecting previously unselected package $*"
END
# A sudo that asks for a password once unless $SUDO_FREE, notes in the transcript when it would
# ask, and clears the environment as the real one does, setting SUDO_USER.
cat >"$work/sudo" <<'END'
#!/bin/bash
if [[ $1 == -n ]]; then
  [[ -n ${SUDO_FREE:-} ]]
  exit
fi
if [[ -z ${SUDO_FREE:-} && ! -e $RUN/sudo-asked ]]; then
  echo "[sudo] password for player:" >>"$RUN/transcript"
  : >"$RUN/sudo-asked"
fi
exec /usr/bin/env -i PATH="$PATH" RUN="$RUN" APT_FAILS="${APT_FAILS:-}" SUDO_USER=player "$@"
END
chmod 755 "$work" "$work/tools" "$work/tools"/* "$work/sudo" "$setup"

as_player=()
[[ $(id -u) -eq 0 ]] && as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)

# scenario | who runs it (player or root) | sudo: none, password, free | missing packages | apt fails on
# | option | exit status | lines the transcript holds, in this order | ... | what it must not hold (;
# between them, - for nothing)
scenarios=(
  "no sudo|player|none|libsdl2-ttf-dev xauth||--tests|1|missing: libsdl2-ttf-dev xauth|Installing them needs root|as root|install sudo|command not found;Installing 2"
  "sudo asks a password|player|password|libsdl2-ttf-dev|||0|Installing 1 Debian packages: libsdl2-ttf-dev|will ask for your password|[sudo] password for player:|Selecting"
  "sudo without a password|player|free|libsdl2-ttf-dev|||0|Installing 1 Debian packages: libsdl2-ttf-dev|password;Selecting"
  "nothing missing|player|none||||0|Installing"
  "apt fails|player|free|cmake|cmake||1|Installing 1 Debian packages: cmake|E: Unable to locate package cmake|Installing the packages failed|-"
  "root|root|none|cmake|||0|Installing 1 Debian packages: cmake|sudo;Selecting"
  "tests, all missing|root|none|all||--tests|0|googletest|clang"
  "fuzz, all missing|root|none|all||--fuzz|0|clang-14|googletest"
)
for row in "${scenarios[@]}"; do
  IFS='|' read -r scenario who sudo missing apt_fails option status rest <<<"$row"
  [[ $who == root && $(id -u) -ne 0 ]] && { echo "skipped ($scenario): needs root"; continue; }
  failed_before=$failures
  run="$work/run-${scenario// /-}"
  mkdir -p "$run/bin"
  cp -P "$work/tools"/* "$run/bin/"
  [[ $sudo == none ]] || cp "$work/sudo" "$run/bin/sudo"
  : >"$run/transcript"
  : >"$run/apt.log"
  runner=()
  if [[ $who == player ]]; then
    runner=(${as_player[@]+"${as_player[@]}"})
    [[ $(id -u) -ne 0 ]] || chown -R nobody "$run"
  fi
  chmod -R a+rX "$run"
  got=0
  ${runner[@]+"${runner[@]}"} /usr/bin/env -i PATH="$run/bin" RUN="$run" MISSING="$missing" APT_FAILS="$apt_fails" \
      SUDO_FREE="$([[ $sudo == free ]] && echo yes)" DEBIAN_FRONTEND=noninteractive \
      "$run/bin/bash" "$setup" ${option:+"$option"} >>"$run/transcript" 2>&1 </dev/null || got=$?
  [[ $got == "$status" ]] || fail "exit status $got, not $status"
  # The lines to find come before the last field, which holds what must not be there.
  IFS='|' read -r -a wanted <<<"$rest"
  IFS=';' read -r -a unwanted <<<"${wanted[-1]}"
  unset 'wanted[-1]'
  from=1
  for line in "${wanted[@]}"; do
    at=$(tail -n +"$from" "$run/transcript" | grep -nF -- "$line" | head -n1 | cut -d: -f1) || true
    [[ -n $at ]] || { fail "\"$line\" missing or out of order"; continue; }
    from=$((from + at - 1))
  done
  for line in "${unwanted[@]}"; do
    [[ $line == - ]] || ! grep -qF -- "$line" "$run/transcript" || fail "holds \"$line\""
  done
  # apt ran as root (through sudo for a player), non-interactive, only where packages were installed
  by=0
  [[ $who == root ]] || by=sudo
  if [[ $got == 0 && -n $missing ]]; then
    [[ $(grep -c "^by=$by frontend=noninteractive " "$run/apt.log") == 2 && $(wc -l <"$run/apt.log") == 2 ]] ||
      fail "apt-get was not run twice by $by, non-interactive: $(cat "$run/apt.log")"
  elif [[ -z $apt_fails ]]; then
    [[ ! -s "$run/apt.log" ]] || fail "apt-get ran: $(cat "$run/apt.log")"
  fi
  [[ $failures == "$failed_before" ]] || { echo "transcript of $scenario:" >&2; cat "$run/transcript" >&2; }
done
[[ $failures == 0 ]] || exit 1
echo "PASS: the set-up script, ${#scenarios[@]} scenarios"
