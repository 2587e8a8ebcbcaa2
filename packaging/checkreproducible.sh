#!/usr/bin/env bash
# Checks that the Debian package is reproducible: two fresh clones of the last commit, in two
# folders of different names and depths, each packaged by its own packaging/builddeb.sh one after
# the other, give the same bytes.
#
#   packaging/checkreproducible.sh SOURCE_DIR OUT_DIR [JOBS]
#
# Only committed work is checked. Where two packages differ, their listings are compared and the
# files that differ are named.
set -euo pipefail
source_dir=$(realpath "$1")
out_dir=$(realpath -m "$2")
jobs=${3:-2}
rm -rf "$out_dir"
clones=("$out_dir/a/x" "$out_dir/repro-bb/clone-of-the-commit")
for clone in "${clones[@]}"; do
  git clone -q "$source_dir" "$clone"
  "$clone/packaging/builddeb.sh" "$clone" "$clone/build" "$jobs"
done
differ=0
for package in "${clones[0]}"/build/*.deb; do
  name=$(basename "$package")
  twin=${clones[1]}/build/$name
  if cmp "$package" "$twin"; then
    echo "same bytes: $name"
    continue
  fi
  differ=1
  diff <(dpkg-deb --contents "$package") <(dpkg-deb --contents "$twin") || true
  for clone in "${clones[@]}"; do
    mkdir -p "$clone/build/contents"
    dpkg-deb --extract "$clone/build/$name" "$clone/build/contents/$name"
  done
  diff -rq "${clones[0]}/build/contents/$name" "${clones[1]}/build/contents/$name" || true
done
exit "$differ"
