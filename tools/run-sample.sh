#!/bin/sh
# The main job: installs what is needed, builds, makes the sample medium with
# lumipack and expands it again through the installer's LZ32 calls.
set -eu
cd "$(dirname "$0")/.."
sh tools/install-deps.sh
cmake --preset native
cmake --build build/native --target media lumipack
out=build/native/expanded
rm -rf "$out" && mkdir -p "$out"
build/native/tools/lumipack -d -o "$out" build/native/media/*_
cp build/native/media/Readme.txt build/native/media/Lumiroll.hlp build/native/media/Lumiroll.cnt "$out"
echo "medium:   build/native/media ($(ls build/native/media | wc -l) files)"
echo "expanded: $out ($(ls "$out" | wc -l) files)"
ls -l "$out"
