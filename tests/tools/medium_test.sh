#!/bin/sh
# The sample medium holds the 32 manifest files, and each compressed one
# expands under its manifest name with the last character restored.
#   medium_test.sh LUMIPACK MKMEDIUM WORKDIR
set -eu
lumipack=$1; mkmedium=$2; work=$3
rm -rf "$work" && mkdir -p "$work"
"$mkmedium" "$work/media" >/dev/null
n=$(ls "$work/media" | wc -l)
[ "$n" -eq 32 ] || { echo "FAIL: $n files on the medium"; exit 1; }
mkdir -p "$work/out"
"$lumipack" -d -o "$work/out" "$work/media"/*_
for f in Lumiroll.exe Lumitool.dll Order.doc bkgnd1.jpg turtle.gif Sheep.jpg ArchRock.jpg; do
  [ -s "$work/out/$f" ] || { echo "FAIL: $f did not expand"; exit 1; }
done
[ "$(ls "$work/out" | wc -l)" -eq 29 ] || { echo "FAIL: $(ls "$work/out" | wc -l) files expanded, 29 expected"; exit 1; }
echo "medium: 32 files, 29 compressed ones expanded"
