#!/bin/sh
# mkmedium --check on a sound medium and on a damaged one, in either build.
#   medium_check.sh MKMEDIUM SETUP WORKDIR [WIN32_BUILD_DIR]
# With a Win32 build folder, MKMEDIUM is the Win32 program, run under Wine
# with that build's prefix: its checks run over the platform's LZ32, and
# it reads setup.exe's catalog through the platform. SETUP is the build's
# setup program, sealed with the medium's catalog.
set -u
mk=$1; setup=$2; work=$3; build=${4:-}
fail() { printf 'FAIL: %s\n' "$*"; exit 1; }
rm -rf "$work" && mkdir -p "$work/media" || exit 1
work=$(cd "$work" && pwd)
m="$work/media"
# mkmedium [--check]: on the medium folder, natively or under Wine.
if [ -n "$build" ]; then
  . "$(dirname "$0")/../../scripts/lib/wine.sh"
  wine_env "$build"
  wm=$(wine_path "$m") || fail "winepath gives no Windows path for $m"
  mkmedium() { wine "$mk" "$@" "$wm" >"$work/out.raw" 2>&1; s=$?; tr -d '\r' <"$work/out.raw"; return $s; }
else
  mkmedium() { "$mk" "$@" "$m"; }
fi
mkmedium >/dev/null || fail "mkmedium"
out=$(mkmedium --check) || fail "a sound medium fails the check: $out"
# The number of manifest files, as the check counts them.
. "$(dirname "$0")/../../scripts/lib/sample.sh"
n=$(medium_count "$out")
[ -n "$n" ] || fail "no summary for a sound medium: $out"
[ "$(ls "$m" | wc -l)" -eq "$n" ] || fail "the medium has $(ls "$m" | wc -l) files, its check counts $n"
[ "$(printf "%s\n" "$out" | grep -c '^ok ')" -eq "$n" ] || fail "not one line a file: $out"

# The catalog of the setup program beside the medium: none in a development
# build; once sealed, every file as released; two files swapped (each still
# sound on its own) and a damaged catalog refused.
cp "$setup" "$m/setup.exe"
out=$(mkmedium --check) && printf "%s\n" "$out" | grep -qx "catalog: setup.exe carries none (a development build)" ||
  fail "an unsealed setup.exe: $out"
if [ -n "$build" ]; then
  seal() { wine "$mk" --seal "$wm" "$wm\\setup.exe" >"$work/seal.out" 2>&1; }
else
  seal() { "$mk" --seal "$m" "$m/setup.exe" >"$work/seal.out" 2>&1; }
fi
seal || fail "--seal: $(cat "$work/seal.out")"
out=$(mkmedium --check) && printf "%s\n" "$out" | grep -qx "catalog: all $n files as released" ||
  fail "a sealed setup.exe: $out"
mv "$m/Gulls.jp_" "$work/swap" && mv "$m/Sheep.jp_" "$m/Gulls.jp_" && mv "$work/swap" "$m/Sheep.jp_"
if out=$(mkmedium --check); then fail "two files swapped pass: $out"; fi
printf "%s\n" "$out" | grep -qx "catalog: FAILED  File is corrupt: .*Gulls.jp_" || fail "two files swapped: $out"
mv "$m/Gulls.jp_" "$work/swap" && mv "$m/Sheep.jp_" "$m/Gulls.jp_" && mv "$work/swap" "$m/Sheep.jp_"
offset=$(grep -boa LUMICAT1 "$m/setup.exe" | head -1 | cut -d: -f1)
printf 'X' | dd of="$m/setup.exe" bs=1 seek=$((offset + 40)) conv=notrunc 2>/dev/null
if out=$(mkmedium --check); then fail "a damaged catalog passes: $out"; fi
printf "%s\n" "$out" | grep -qx "catalog: FAILED  setup.exe: its digest differs" || fail "a damaged catalog: $out"
rm "$m/setup.exe"

# A file that cannot be written fails the run and leaves what was there.
printf 'previous help\n' >"$m/Lumiroll.hlp" && mkdir "$m/Lumiroll.hlp.new"
if out=$(mkmedium 2>&1); then fail "mkmedium wrote past a file it could not write: $out"; fi
printf "%s\n" "$out" | grep -q "cannot create .*Lumiroll.hlp.new" || fail "no cause for a failed write: $out"
[ "$(cat "$m/Lumiroll.hlp")" = "previous help" ] || fail "a failed write lost what was there"
rmdir "$m/Lumiroll.hlp.new" && mkmedium >/dev/null || fail "mkmedium again"
if [ -z "$build" ]; then
  # A folder that cannot be made, or whose Windows path leads elsewhere, is refused.
  mkdir "$work/to" "$work/to."
  for c in "$work/no/such|cannot make the folder" "$work/to.|leads to another folder"; do
    f=${c%%|*}; want=${c#*|}
    if out=$("$mk" "$f" 2>&1); then fail "mkmedium $f: $out"; fi
    printf "%s\n" "$out" | grep -qF "mkmedium: $f: " && printf "%s\n" "$out" | grep -qF "$want" || fail "mkmedium $f: $out"
  done
  [ -z "$(ls -A "$work/to")" ] && [ -z "$(ls -A "$work/to.")" ] || fail "a refused folder got files"
  if out=$("$mk" --check "$work/no/such" 2>&1); then fail "--check of a missing folder: $out"; fi
  printf "%s\n" "$out" | grep -qF "no such folder" || fail "--check of a missing folder: $out"
fi

# Damage, one kind a file; each must be named with its cause.
head -c 100 "$m/Lumiroll.ex_" >"$work/cut" && mv "$work/cut" "$m/Lumiroll.ex_"
rm "$m/Order.do_"
printf 'a plain file' >"$m/Sheep.jp_"
printf 'B' | dd of="$m/fog.jp_" bs=1 seek=8 conv=notrunc 2>/dev/null
if out=$(mkmedium --check); then fail "a damaged medium passes the check: $out"; fi
for line in "FAILED  Lumiroll.ex_: file is corrupt" "FAILED  Order.do_: missing" \
    "FAILED  Sheep.jp_: expands to Sheep.jp_, not Sheep.jpg" "FAILED  fog.jp_: unknown compression method"; do
  printf "%s\n" "$out" | grep -qxF "$line" || fail "no line \"$line\" in: $out"
done
printf "%s\n" "$out" | grep -qx "medium .*: 4 of $n files have a problem" || fail "summary: $out"
if [ -z "$build" ]; then
  # Names that differ only in case, a FIFO for a file (named at once, never
  # waited on), a report that cannot be written, a refused folder left unmade.
  mkmedium >/dev/null || fail "mkmedium again"
  cp "$m/Gulls.jp_" "$m/GULLS.JP_" && rm "$m/Sheep.jp_" && mkfifo "$m/Sheep.jp_"
  if out=$(timeout 20 "$mk" --check "$m"); then fail "a medium with twins and a FIFO passes: $out"; fi
  printf "%s\n" "$out" | grep -q "^FAILED  Gulls.jp_: the medium holds names that differ only in case" ||
    fail "no line for the twins in: $out"
  printf "%s\n" "$out" | grep -qx "FAILED  Sheep.jp_: a FIFO, not a file" ||
    fail "no line for the FIFO in: $out"
  rm "$m/GULLS.JP_" "$m/Sheep.jp_" && mkmedium >/dev/null && mkmedium --check >/dev/null || fail "mended medium"
  if "$mk" --check "$m" >/dev/full 2>"$work/err"; then fail "--check succeeded with its report lost"; fi
  grep -q "cannot write the report" "$work/err" || fail "--check into a full device: $(cat "$work/err")"
  if "$mk" "$m" >/dev/full 2>"$work/err"; then fail "mkmedium succeeded with its report lost"; fi
  # A link or a hard link at a temporary name is replaced, never written through.
  printf 'outside\n' >"$work/outside"
  ln -s "$work/outside" "$m/Lumiroll.ex_.new" && ln "$work/outside" "$m/Readme.txt.new"
  mkmedium >/dev/null || fail "mkmedium with links at its temporary names"
  [ "$(cat "$work/outside")" = outside ] || fail "mkmedium wrote through a link at NAME.new"
  [ -f "$m/Lumiroll.ex_" ] && [ ! -L "$m/Lumiroll.ex_" ] && [ ! -e "$m/Readme.txt.new" ] || fail "the links stayed"
  if out=$("$mk" "$work/x\\y" 2>&1); then fail "mkmedium x\\y: $out"; fi
  [ ! -e "$work/x\\y" ] || fail "a refused folder was left behind"
fi
echo "mkmedium --check: a sound medium passes, four kinds of damage are named"
