#!/usr/bin/env bash
# Builds the Debian package with dpkg-buildpackage from a copy of the source tree, so that
# nothing is written into the tree or beside it.
#
#   packaging/builddeb.sh SOURCE_DIR OUT_DIR [JOBS]
#
# The copy and dpkg-buildpackage's own work are in OUT_DIR/debian-package/; the game's package,
# its debug symbols' package, the .buildinfo and the .changes end up in OUT_DIR.
set -euo pipefail
source_dir=$(realpath "$1")
out_dir=$(realpath -m "$2")
jobs=${3:-2}
work=$out_dir/debian-package
tree=$work/tanzel-punch
rm -rf "$work"
mkdir -p "$tree"
# The tree as it stands, build folders left out: the files git tracks that are still there, and
# new ones it is not told to ignore.
git -C "$source_dir" ls-files -z --cached --others --exclude-standard --deduplicate |
  while IFS= read -r -d '' file; do
    if [ -e "$source_dir/$file" ] || [ -L "$source_dir/$file" ]; then printf '%s\0' "$file"; fi
  done |
  tar -C "$source_dir" --null -T - -cf - | tar -C "$tree" -xf -
(cd "$tree" && dpkg-buildpackage -b -us -uc -J"$jobs")
mv "$work"/*.deb "$work"/*.buildinfo "$work"/*.changes "$out_dir"/
