#!/bin/sh
# Runs Win32 test programs under Wine with the build's own prefix.
#   wine-run.sh BUILD_DIR --boot              make the prefix (once)
#   wine-run.sh BUILD_DIR --gtest EXE [ARG]   run a GoogleTest program; fails
#                                             unless it really ran and passed
#   wine-run.sh BUILD_DIR --compare EXPECTED EXE   what EXE prints must be EXPECTED
#   wine-run.sh BUILD_DIR --run EXE ARG...    runs EXE, host paths among the
#                                             arguments as Windows paths
set -u
build=$1; shift
. "$(dirname "$0")/../../scripts/lib/wine.sh"
wine_env "$build"

case "$1" in
--boot)
  wine_boot
  ;;
--gtest)
  shift
  exe=$1; shift
  log="$build/$(basename "$exe").wine.log"
  wine "$exe" --gtest_color=no "$@" >"$log" 2>&1
  status=$?
  cat "$log"
  # With WINEDEBUG=-all a program that cannot start prints nothing and may
  # still exit 0: only GoogleTest's own summary counts as a run.
  if ! grep -q '^\[  PASSED  \] [1-9][0-9]* test' "$log"; then
    echo "wine-run: $exe did not report passing tests (exit $status)"
    exit 1
  fi
  if grep -q '^\[  FAILED  \]' "$log"; then exit 1; fi
  exit $status
  ;;
--compare)
  # Runs EXE and compares what it prints with the EXPECTED text.
  expected=$2; exe=$3
  out="$build/$(basename "$exe").out"
  wine "$exe" 2>/dev/null | tr -d '\r' >"$out"
  [ -s "$out" ] || { echo "wine-run: $exe printed nothing"; exit 1; }
  diff -u "$expected" "$out"
  ;;
--run)
  shift
  exe=$1; shift
  for a in "$@"; do
    case "$a" in /*) a=$(wine_path "$a") || exit 1 ;; esac
    set -- "$@" "$a"; shift
  done
  log="$build/$(basename "$exe").run.log"
  wine "$exe" "$@" >"$log" 2>&1
  status=$?
  tr -d '\r' <"$log"
  exit $status
  ;;
*)
  echo "usage: wine-run.sh BUILD_DIR --boot | --gtest EXE [ARG...]"; exit 2 ;;
esac
