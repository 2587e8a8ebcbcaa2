#!/usr/bin/env bash
# scripts/install-deps.sh on machines it cannot harm: dpkg-query, apt-get, sudo and id stand in.
# Usage: install_deps_test.sh SCRIPT
# shellcheck disable=SC2016 # the stand-ins' code is single-quoted, to expand when they run
set -euo pipefail
script=$(realpath "$1")
MACHINE=$(mktemp -d)
export MACHINE
trap 'rm -rf "$MACHINE"' EXIT
# The script sees the stand-ins and the few tools it uses, never the real sudo: its own is in
# a folder of its own, on PATH only where the machine has one.
mkdir "$MACHINE/bin" "$MACHINE/sudo"
for tool in bash env awk grep tail mktemp rm; do ln -s "$(command -v "$tool")" "$MACHINE/bin/$tool"; done
stand_in() { { echo '#!/bin/bash' && cat; } >"$MACHINE/$1" && chmod +x "$MACHINE/$1"; }
stand_in bin/id <<<'echo "${AS_UID:-$(<"$MACHINE/uid")}"'
# Like the real one, it runs the command as root in a cleared environment.
stand_in sudo/sudo <<<'exec env -i PATH="$PATH" MACHINE="$MACHINE" AS_UID=0 "$@"'
# A name's state is its line in "states", else the machine's default ("unknown": never heard of).
stand_in bin/dpkg-query <<'END'
status=0
for arg; do case $arg in -f=*) format=${arg#-f=} ;; -*) ;; *)
  state=$(awk -F= -v name="$arg" '$1 == name { print $2 }' "$MACHINE/states")
  state=${state:-$(<"$MACHINE/default")}
  if [ "$state" = unknown ]; then echo "dpkg-query: no packages found matching $arg" >&2; status=1
  else line=${format//'${db:Status-Abbrev}'/"$state "}; printf "${line//'${Package}'/$arg}"; fi ;;
esac; done
exit $status
END
# Each call is logged as "uid frontend: arguments"; the failing step warns, then errs, as apt does.
stand_in bin/apt-get <<'END'
echo "$(id -u) ${DEBIAN_FRONTEND:-}: $*" >>"$MACHINE/apt.log"
[ "$(id -u)" = 0 ] || { echo "E: Could not open lock file - are you root?"; exit 100; }
echo "Reading package lists..."
failing=$(<"$MACHINE/failing")
[[ -z $failing || " $* " != *" $failing "* ]] || { echo "W: a warning first"; echo "E: $failing failed"; exit 100; }
END

apt="0 noninteractive: -qq update;0 noninteractive: -qq install -y --no-install-recommends"
every='cmake g\+\+ make pkg-config qt6-base-dev [^;]* fonts-bebas-neue fonts-dejavu-core'
cannot="[^;]*cannot install"
# case | argument | default state, then exceptions | uid | sudo | apt-get step that fails | status |
# output lines (ERE, joined by ";") | apt-get calls (ERE, joined by ";")
cases=(
  "fresh machine|build|unknown|0|sudo||0|Installing: $every|$apt $every"
  "all present|build|ii|0|sudo||0||"
  "removed, not purged|build|ii abcmidi=rc make=iU|0|sudo||0|Installing: make abcmidi|$apt make abcmidi"
  "test adds to build|test|ii weston=unknown cmake=rc|0|sudo||0|Installing: cmake weston|$apt cmake weston"
  "not root, with sudo|package|ii dpkg-dev=unknown|1000|sudo||0|Installing: dpkg-dev|$apt dpkg-dev"
  "not root, no sudo|bench|ii fluidsynth=unknown|1000|||1|$cannot fluidsynth: not root, and there is no sudo|"
  "not root, nothing missing|build|ii|1000|||0||"
  "update fails|build|ii abcmidi=rc|0|sudo|update|1|Installing: abcmidi;$cannot abcmidi: apt-get failed: E: update failed|${apt%%;*}"
  "install fails|build|ii abcmidi=rc|0|sudo|install|1|Installing: abcmidi;$cannot abcmidi: apt-get failed: E: install failed|$apt abcmidi"
  "bad argument|run|ii|0|sudo||2|usage: [^;]*|"
)
failed=0
for row in "${cases[@]}"; do
  IFS='|' read -r name argument machine uid sudo failing status output calls <<<"$row"
  read -r default exceptions <<<"$machine"
  echo "$default" >"$MACHINE/default"
  tr ' ' '\n' <<<"$exceptions" >"$MACHINE/states"
  echo "$uid" >"$MACHINE/uid"
  echo "$failing" >"$MACHINE/failing"
  : >"$MACHINE/apt.log"
  got_status=0
  got=$(PATH="$MACHINE/bin${sudo:+:$MACHINE/sudo}" "$script" ${argument:+"$argument"} 2>&1) || got_status=$?
  got=${got//$'\n'/;}
  got_calls=$(paste -sd';' "$MACHINE/apt.log")
  if [ "$got_status" != "$status" ] || ! [[ $got =~ ^$output$ && $got_calls =~ ^$calls$ ]]; then
    printf 'FAIL %s: status %s, said "%s", apt-get "%s"\n' "$name" "$got_status" "$got" "$got_calls"
    failed=1
  fi
done
[ "$failed" = 0 ] || exit 1
echo "${#cases[@]} cases pass"
