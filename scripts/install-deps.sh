#!/usr/bin/env bash
# Installs the Debian packages the game, its tests and its benchmarks need, when any is missing.
# Idempotent and silent when everything is present; uses sudo when not run as root.
set -euo pipefail

packages=(
  cmake g++ make pkg-config clang-format abcmidi
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  libfluidsynth-dev libasound2-dev libglib2.0-dev timgm6mb-soundfont
  fonts-liberation fonts-wine fonts-bebas-neue fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  pulseaudio desktop-file-utils appstream dpkg-dev clang libclang-rt-14-dev
  xvfb xauth xdotool openbox imagemagick strace x11-utils libx11-dev libxfixes-dev
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
