#!/bin/sh
# The README's pictures: builds what the Wine wizard runs need in build/win32,
# runs the install and the problem page runs under Xvfb (each leaves a
# screenshot of every page in build/win32/screenshots) and puts the pages'
# shots into docs/, in a small palette.
#   sh scripts/screenshots.sh
set -eu
cd "$(dirname "$0")/.."
cmake --preset win32 >/dev/null
cmake --build build/win32 -j2 --target lumiroll-setup mkmedium wizdriver
win=$PWD/build/win32
sh tests/win32/wine-run.sh "$win" --boot
rm -rf "$win/screenshots"
for run in install problem; do
  sh tests/win32/wizard-e2e.sh "$run" "$win" "$win/wizard/setup.exe" "$win/tools/mkmedium.exe" "$win/tests/wizdriver.exe"
done
mkdir -p docs
# shot:picture
for pair in welcome:welcome readme:readme folder:folder finish-after:finish problem:problem; do
  convert "$win/screenshots/${pair%%:*}.png" -strip -define png:exclude-chunks=date,time +dither -colors 48 \
    "docs/${pair#*:}.png"
  echo "docs/${pair#*:}.png: $(wc -c <"docs/${pair#*:}.png") bytes"
done
