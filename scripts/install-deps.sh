#!/usr/bin/env bash
# Installs the Debian packages that one of the project's commands needs, when any is missing.
#
#   scripts/install-deps.sh build|package|test|bench
#
# build: compiling and playing (`make`, `make run`); package: `make package`; test: `make test`,
# the sanitizers, the soak and the fuzzer; bench: `make bench`. Each set includes build, and
# test includes package. Silent when everything is present; one line naming what it installs,
# or one line saying why it cannot. Uses sudo when not run as root.
set -euo pipefail

build=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  libfluidsynth-dev libglib2.0-dev timgm6mb-soundfont
  abcmidi
  fonts-liberation fonts-wine fonts-bebas-neue fonts-dejavu-core
)
# dpkg-buildpackage, and debhelper, which builds the package the Debian way (debian/rules).
package=(dpkg-dev debhelper)
test=(
  libgtest-dev libgmock-dev
  xvfb xauth xdotool openbox imagemagick strace x11-utils libx11-dev libxfixes-dev
  x11-xkb-utils weston qt6-wayland
  pulseaudio pulseaudio-utils
  lintian reuse appstream desktop-file-utils shellcheck
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

# dpkg-query fails for a name dpkg has never heard of, as on a fresh machine, and still lists the
# names it knows: only "ii" (wanted, installed) counts; removed-but-not-purged ("rc") does not.
installed=" $(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${wanted[@]}" 2>/dev/null |
  awk '$1 == "ii" { printf "%s ", $2 }' || true)"
missing=()
for name in "${wanted[@]}"; do
  [[ $installed == *" $name "* ]] || missing+=("$name")
done
[ ${#missing[@]} -eq 0 ] && exit 0

cannot() {
  echo "$0: cannot install ${missing[*]}: $*" >&2
  exit 1
}
# sudo clears the environment, so the frontend is set on the far side of it.
apt=(env DEBIAN_FRONTEND=noninteractive apt-get -qq)
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || cannot "not root, and there is no sudo"
  apt=(sudo "${apt[@]}")
fi
echo "Installing: ${missing[*]}"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# apt's own output goes to the log; its first error, or else its last line, says why it failed.
if ! { "${apt[@]}" update &&
  "${apt[@]}" install -y --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  cannot "apt-get failed: $(grep -m1 '^E: ' "$log" || tail -n 1 "$log")"
fi
