#!/usr/bin/env bash
# Installs the Debian packages that one of the project's commands needs, when any is missing.
#
#   scripts/install-deps.sh build|package|test|bench
#
# build: compiling and playing (`make`, `make run`); package: `make package`; test: `make test`,
# the sanitizers, the soak and the fuzzer; bench: `make bench`. Each set includes build, and
# test includes package. Idempotent and silent when everything is present; uses sudo when not
# run as root.
set -euo pipefail

build=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  libfluidsynth-dev libglib2.0-dev timgm6mb-soundfont
  abcmidi
  fonts-liberation fonts-wine fonts-bebas-neue fonts-dejavu-core
)
# dpkg-shlibdeps finds the package's library dependencies.
package=(dpkg-dev)
test=(
  libgtest-dev libgmock-dev
  xvfb xauth xdotool openbox imagemagick strace x11-utils libx11-dev libxfixes-dev
  pulseaudio pulseaudio-utils
  lintian reuse appstream desktop-file-utils
  clang-format clang libclang-rt-14-dev
)
bench=(
  libbenchmark-dev fluidsynth
  xvfb xdotool openbox x11-utils procps
  pulseaudio pulseaudio-utils
)

case ${1:-} in
build) wanted=("${build[@]}") ;;
package) wanted=("${build[@]}" "${package[@]}") ;;
test) wanted=("${build[@]}" "${package[@]}" "${test[@]}") ;;
bench) wanted=("${build[@]}" "${bench[@]}") ;;
*)
  echo "usage: $0 build|package|test|bench" >&2
  exit 2
  ;;
esac

installed=" $(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${wanted[@]}" 2>/dev/null |
  awk '$1 == "ii" { printf "%s ", $2 }')"
missing=()
for name in "${wanted[@]}"; do
  [[ $installed == *" $name "* ]] || missing+=("$name")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
