#!/bin/sh
# The sample medium holds the manifest's files (as many as mkmedium --check
# counts), and each compressed one
# expands under its manifest name with the last character restored.
#   medium_test.sh LUMIPACK MKMEDIUM WORKDIR
set -eu
lumipack=$1; mkmedium=$2; work=$3
rm -rf "$work" && mkdir -p "$work"
"$mkmedium" "$work/media" >/dev/null
total=$("$mkmedium" --check "$work/media" | sed -n 's/^medium .*: all \([0-9][0-9]*\) files sound$/\1/p')
n=$(ls "$work/media" | wc -l)
[ -n "$total" ] && [ "$n" -eq "$total" ] || { echo "FAIL: $n files on the medium, ${total:-no count} in its check"; exit 1; }
packed=$(ls "$work/media" | grep -c '_$')
mkdir -p "$work/out"
"$lumipack" -d -o "$work/out" "$work/media"/*_
for f in Lumiroll.exe Lumitool.dll Order.doc bkgnd1.jpg turtle.gif Sheep.jpg ArchRock.jpg; do
  [ -s "$work/out/$f" ] || { echo "FAIL: $f did not expand"; exit 1; }
done
[ "$(ls "$work/out" | wc -l)" -eq "$packed" ] ||
  { echo "FAIL: $(ls "$work/out" | wc -l) files expanded, $packed expected"; exit 1; }
echo "medium: $n files, $packed compressed ones expanded"
