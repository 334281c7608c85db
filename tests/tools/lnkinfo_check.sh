#!/bin/sh
# Reads the links an install test left with Debian's lnkinfo, an independent
# reader of the shell link format, and checks their target and description.
#   lnkinfo_check.sh LINKS_DIR   (desktop.lnk, programs.lnk, expected.txt)
set -eu
dir=$1
command -v lnkinfo >/dev/null || { echo "FAIL: lnkinfo is not installed (liblnk-utils)"; exit 1; }
target=$(sed -n 1p "$dir/expected.txt" | tr -d '\r')
title=$(sed -n 2p "$dir/expected.txt" | tr -d '\r')
for f in desktop.lnk programs.lnk; do
  out=$(lnkinfo "$dir/$f") || { echo "FAIL: lnkinfo cannot read $f"; exit 1; }
  echo "$out" | grep -qF "Local path" || { echo "FAIL: $f has no local path"; echo "$out"; exit 1; }
  echo "$out" | grep -F "Local path" | grep -qiF "$target" || { echo "FAIL: $f does not point at $target"; echo "$out"; exit 1; }
  echo "$out" | grep -F "Description" | grep -qF "$title" || { echo "FAIL: $f is not described as $title"; echo "$out"; exit 1; }
done
echo "links: both point at $target, described as $title"
