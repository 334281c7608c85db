#!/bin/sh
# mkmedium --from: the sample medium installed by the console wizard (its
# pictures read back by file and ImageMagick's identify, its help file opening
# at the installing topic for context number 1), then
# made again from the install folder, gives every medium file back byte for
# byte; names are found whatever their case; a missing file fails naming it
# and writes nothing.
#   medium_from.sh MKMEDIUM LUMIROLL_SETUP WORKDIR
set -u
mk=$1; setup=$2; work=$3
fail() { printf 'FAIL: %s\n' "$*"; exit 1; }
rm -rf "$work" && mkdir -p "$work/c/Apps" || exit 1
work=$(cd "$work" && pwd)
"$mk" "$work/media" >/dev/null || fail "mkmedium"
# The number of manifest files, as the medium's check counts them.
"$mk" --check "$work/media" >"$work/check.out" || fail "the sample medium fails its check"
. "$(dirname "$0")/../../scripts/lib/sample.sh"
total=$(medium_count "$(cat "$work/check.out")")
pictures=$(grep -c '^ok .* -> .*\.\(jpg\|gif\) (' "$work/check.out")
cp "$setup" "$work/media/lumiroll-setup"
sample_machine "$work" || exit 1
printf 'next\nnext\nchange\nC:\\Apps\nnext\nfinish\nclose\n' | console_setup "$work/media" >"$work/install.out" 2>&1 ||
  fail "the install: $(tail -5 "$work/install.out")"
product="$work/c/Apps/Lumiroll"
# The installed pictures are pictures to readers we did not write.
n=0
for f in "$product"/*/*.jpg "$product"/*/*.gif; do
  case "$f" in *.jpg) kind="JPEG image data" ;; *) kind="GIF image data" ;; esac
  file -b "$f" | grep -q "^$kind" || fail "$f is no picture to file: $(file -b "$f")"
  identify "$f" >/dev/null 2>&1 || fail "$f is no picture to identify"
  n=$((n + 1))
done
[ "$n" -eq "$pictures" ] || fail "$n pictures installed, $pictures expected"
file -b "$product/Order.doc" | grep -q "^Rich Text Format" || fail "Order.doc: $(file -b "$product/Order.doc")"
# The program and its library: Win32 files, the program importing the
# library's category reader, so it starts only with the library beside it.
file -b "$product/Lumiroll.exe" | grep -q "^PE32 executable (GUI) Intel 80386" || fail "Lumiroll.exe: $(file -b "$product/Lumiroll.exe")"
file -b "$product/Lumitool.dll" | grep -q "^PE32 executable (DLL)" || fail "Lumitool.dll: $(file -b "$product/Lumitool.dll")"
/usr/bin/python3 - "$product/Lumiroll.exe" "$product/Lumitool.dll" <<'PY' || fail "the program does not take its reader from the library"
import sys, pefile
exe, dll = pefile.PE(sys.argv[1]), pefile.PE(sys.argv[2])
imported = {(i.dll.lower(), x.name) for i in exe.DIRECTORY_ENTRY_IMPORT for x in i.imports}
exported = {x.name for x in dll.DIRECTORY_ENTRY_EXPORT.symbols}
name = b"LumiReadCategoryLists@20"
sys.exit(0 if (b"lumitool.dll", name) in imported and name in exported else 1)
PY
/usr/bin/python3 "$(dirname "$0")/help_check.py" "$product/Lumiroll.hlp" "$product/Lumiroll.cnt" >/dev/null ||
  fail "the help file: $(/usr/bin/python3 "$(dirname "$0")/help_check.py" "$product/Lumiroll.hlp" "$product/Lumiroll.cnt")"

same() {  # same DIR: the medium files in DIR are the sample medium's, as many
  n=0
  for f in "$work/media"/*; do
    name=$(basename "$f"); [ "$name" = lumiroll-setup ] && continue
    cmp -s "$f" "$1/$name" || fail "$1/$name differs from the medium's"
    n=$((n + 1))
  done
  [ "$n" -eq "$total" ] && [ "$(ls "$1" | wc -l)" -eq "$total" ] || fail "$1 holds $(ls "$1" | wc -l) files, not $total"
}

out=$("$mk" --from "$product" "$work/again") || fail "--from the install folder: $out"
same "$work/again"
for list in Photos.dat Bkgnds.dat; do
  printf '%s\n' "$out" | grep -q "^left out: .*\\\\$list (the manifest does not name it)" || fail "no line for $list: $out"
done
printf '%s\n' "$out" | grep -q "^medium from .*($total files, checked)" || fail "no summary: $out"

# Windows finds names whatever their case; the medium keeps the manifest's.
mv "$product/Lumiroll.exe" "$product/LUMIROLL.EXE" && mv "$product/Nature" "$product/NATURE"
"$mk" --from "$product" "$work/cased" >/dev/null || fail "--from with names in capitals"
same "$work/cased"

# A link at a temporary name is replaced, not written through; a report
# that cannot be written fails the run.
printf 'outside\n' >"$work/outside"
ln -s "$work/outside" "$work/again/Lumiroll.ex_.new" && ln "$work/outside" "$work/again/Readme.txt.new"
"$mk" --from "$product" "$work/again" >/dev/null || fail "--from with links at the temporary names"
[ "$(cat "$work/outside")" = outside ] && [ ! -L "$work/again/Lumiroll.ex_" ] || fail "--from wrote through a link"
same "$work/again"
if "$mk" --from "$product" "$work/again" >/dev/full 2>/dev/null; then fail "--from succeeded with its report lost"; fi
# A file past 256 MB goes through fixed buffers (a sparse read-me is copied).
cp "$product/Readme.txt" "$work/readme.keep" && truncate -s 300M "$product/Readme.txt"
"$mk" --from "$product" "$work/big" >/dev/null || fail "--from with a read-me of 300 MB"
cmp -s "$product/Readme.txt" "$work/big/Readme.txt" || fail "the 300 MB read-me differs"
mv "$work/readme.keep" "$product/Readme.txt" && rm -rf "$work/big"

# A link (it may lead out of the product) or what is no file is refused,
# named, before anything is made; so is a picture folder that is a link.
cp "$product/Sunsets/Sunset1.jpg" "$work/Sunset1.jpg" && cp -r "$product/NATURE" "$work/pics"
sun="$product/Sunsets/Sunset1.jpg"
for c in "ln -s '$work/outside' '$sun'|Sunset1.jpg: a link" "ln -s '$work/pics' '$product/NATURE'|NATURE: a link" \
         "mkfifo '$sun'|Sunset1.jpg: a FIFO, not a file"; do
  cmd=${c%%|*}; want=${c#*|}
  rm -rf "$sun" "$product/NATURE" && sh -c "$cmd" || fail "$cmd"
  [ -e "$product/NATURE" ] || cp -r "$work/pics" "$product/NATURE"
  [ -e "$sun" ] || cp "$work/Sunset1.jpg" "$sun"
  if out=$(timeout 20 "$mk" --from "$product" "$work/linked" 2>&1); then fail "--from took: $cmd"; fi
  printf '%s\n' "$out" | grep -qiF "$want" || fail "$cmd: $out"
  [ ! -e "$work/linked" ] || fail "a refused --from left $work/linked"
done
rm -rf "$sun" "$product/NATURE" && cp "$work/Sunset1.jpg" "$sun" && cp -r "$work/pics" "$product/NATURE"

# A missing file fails naming it; nothing is made.
rm "$product/NATURE/Gulls.jpg"
if out=$("$mk" --from "$product" "$work/missing" 2>&1); then fail "--from without Gulls.jpg: $out"; fi
printf '%s\n' "$out" | grep -qF 'missing: no file in ' && printf '%s\n' "$out" | grep -qF 'Nature for Gulls.jp_' ||
  fail "no cause for the missing file: $out"
[ ! -e "$work/missing" ] || fail "a failed --from left $work/missing"
echo "mkmedium --from: the installed product gives the medium back byte for byte"
