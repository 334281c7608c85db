#!/bin/sh
# Reads the links an install test left with Debian's lnkinfo, an independent
# reader of the shell link format, and checks their target and description.
#   lnkinfo_check.sh LINKS_DIR   (desktop.lnk, programs.lnk, expected.txt)
set -eu
dir=$1
command -v lnkinfo >/dev/null || { echo "FAIL: lnkinfo is not installed (liblnk-utils)"; exit 1; }
target=$(sed -n 1p "$dir/expected.txt" | tr -d '\015')
title=$(sed -n 2p "$dir/expected.txt" | tr -d '\015')
for f in desktop.lnk programs.lnk; do
  out=$(lnkinfo "$dir/$f") || { echo "FAIL: lnkinfo cannot read $f"; exit 1; }
  printf "%s\n" "$out" | grep -qF "Local path" || { echo "FAIL: $f has no local path"; printf "%s\n" "$out"; exit 1; }
  printf "%s\n" "$out" | grep -F "Local path" | grep -qiF "$target" || { echo "FAIL: $f does not point at $target"; printf "%s\n" "$out"; exit 1; }
  printf "%s\n" "$out" | grep -F "Description" | grep -qF "$title" || { echo "FAIL: $f is not described as $title"; printf "%s\n" "$out"; exit 1; }
done
printf "links: both point at %s, described as %s\n" "$target" "$title"
