#!/bin/sh
# The README's pictures: builds what the Wine wizard runs need in build/win32,
# runs the install with the product's start, the help, the 144 DPI and the
# problem page runs under Xvfb (each leaves a screenshot of every page in
# build/win32/screenshots) and puts the shots into docs/, in a small palette.
# Where Wine's 32-bit loader runs only under qemu, the 64-bit build (win64)
# of the same sources and resources takes the pictures.
#   sh scripts/screenshots.sh
set -eu
cd "$(dirname "$0")/.."
. scripts/lib/build.sh
. scripts/lib/wine.sh
preset=win32
wine_emulated && preset=win64
build_preset $preset
win=$PWD/build/$preset
# The help's run starts the signed setup.exe of a release made by its test.
build_preset native mkmedium
(cd "$win" && ctest -R '^release\.script$' --output-on-failure >/dev/null) || { echo "the release test failed"; exit 1; }
wine_env "$win"
wine_boot
rm -rf "$win/screenshots"
for run in launch smoke dpi144 problem; do
  sh "tests/win32/e2e/$run.sh" "$win" "$win/wizard/setup.exe" "$win/tools/mkmedium.exe" "$win/tests/wizdriver.exe"
done
mkdir -p docs
# shot:picture
for pair in welcome:welcome readme:readme folder:folder finish-after:finish problem:problem help:help \
  product:product dpi144-folder:folder-144; do
  convert "$win/screenshots/${pair%%:*}.png" -strip -define png:exclude-chunks=date,time +dither -colors 48 \
    "docs/${pair#*:}.png"
  echo "docs/${pair#*:}.png: $(wc -c <"docs/${pair#*:}.png") bytes"
done
