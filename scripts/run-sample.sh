#!/bin/sh
# The main job: installs what is needed, builds the setup program, makes the
# sample distribution medium and runs the setup from it.
#   1. the native console wizard (build/native/media/lumiroll-setup): with a
#      terminal you answer it; without one a script walks through the
#      install (or give one: --script FILE);
#   2. the Win32 setup.exe under Wine: on your display when DISPLAY is set,
#      else under Xvfb, walked through by the test driver, which leaves a
#      screenshot of every page in build/win32/screenshots; then the
#      installed product, started from the desktop shortcut the setup made
#      (its screenshot: product.png).
# --native runs the first only.
set -eu
cd "$(dirname "$0")/.."
native_only=0
script=""
while [ $# -gt 0 ]; do
  case "$1" in
  --native) native_only=1 ;;
  --script) script=$2; shift ;;
  *) echo "usage: run-sample.sh [--native] [--script FILE]"; exit 2 ;;
  esac
  shift
done

. scripts/lib/build.sh
. scripts/lib/sample.sh
. scripts/lib/wine.sh
sh scripts/install-deps.sh
build_preset native media

# The native machine: drive C: is a folder here, with a desktop and a
# Programs folder that the registry file names.
sample=$PWD/build/native/sample
rm -rf "$sample"
sample_machine "$sample"
echo "== native console wizard: build/native/media/lumiroll-setup (drive C: is $sample/c)"
if [ -n "$script" ]; then
  console_setup build/native/media <"$script"
elif [ -t 0 ]; then
  console_setup build/native/media
else
  printf 'wait 4\nnext\nnext\nnext\nfinish\nclose\n' | console_setup build/native/media
fi
echo "== installed on the native drive C:"
(cd "$sample/c" && find . -type f | sort | sed 's|^\./|  C:/|')

[ "$native_only" -eq 1 ] && exit 0
build_preset win32 lumiroll-setup mkmedium wizdriver
win=$PWD/build/win32
if ! wine32_runs_here; then
  echo "== Win32 wizard: $win/wizard/setup.exe is built; this kernel runs 32-bit x86 programs only under qemu," \
    "where Wine takes minutes to start, so it is not run (LUMI_WINE_EMULATED=1 runs it)"
  exit 0
fi
wine_env "$win"
wine_boot
if [ -n "${DISPLAY:-}" ]; then
  media="$win/media"
  mkdir -p "$media"
  wmedia=$(wine_path "$media")
  wine "$win/tools/mkmedium.exe" "$wmedia"
  cp "$win/wizard/setup.exe" "$media/"
  wine "$win/tools/mkmedium.exe" --seal "$wmedia" "$wmedia\\setup.exe"
  echo "== Win32 wizard under Wine on $DISPLAY: $media/setup.exe"
  (cd "$media" && wine setup.exe)
  echo "== the installed Lumiscroll, from its desktop shortcut"
  wine "$win/tests/wizdriver.exe" launch
else
  echo "== Win32 wizard under Wine with Xvfb, walked through by the test driver, then the product it installed"
  sh tests/win32/e2e/launch.sh "$win" "$win/wizard/setup.exe" "$win/tools/mkmedium.exe" "$win/tests/wizdriver.exe"
  echo "screenshots: $(ls "$win/screenshots" | tr '\n' ' ')"
fi
