#!/bin/sh
# lumipack against independent SZDD tools: what it packs expands to the same
# bytes with msexpand and libmspack; what mscompress packs expands with ours;
# it packs at least as tightly as mscompress; failures leave nothing behind.
#   lumipack_test.sh LUMIPACK MSPACK_EXPAND WORKDIR
set -eu
lumipack=$1; mspack=$2; work=$3
rm -rf "$work"; mkdir -p "$work/in" "$work/out" "$work/back" "$work/ms" "$work/msback"
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }

# Inputs: text, program bytes, runs, tiny and empty files.
awk 'BEGIN { srand(7); for (i = 0; i < 20000; i++) printf "line %d of the sample %s\n", i, substr("abcdefghij", 1 + int(rand() * 9)) }' > in/readme.txt
head -c 300000 "$lumipack" > in/program.exe
awk 'BEGIN { for (i = 0; i < 5000; i++) printf "                    %c", 65 + i % 26 }' > in/runs.dat
printf 'x' > in/one.b
: > in/empty.txt
awk 'BEGIN { srand(3); for (i = 0; i < 70000; i++) printf "%c", int(rand() * 256) }' > in/noise.bin

names="readme.txt program.exe runs.dat one.b empty.txt noise.bin"
for f in $names; do
  "$lumipack" -o out "in/$f" || fail "lumipack $f"
done
[ -f out/readme.tx_ ] && [ -f out/program.ex_ ] && [ -f out/one.b_ ] || fail "compressed names"
for f in $names; do
  packed=$(ls out | grep -F "$(echo "$f" | sed 's/.$//')" | head -1)
  msexpand < "out/$packed" > "back/$f.msexpand" || fail "msexpand $packed"
  cmp -s "in/$f" "back/$f.msexpand" || fail "msexpand bytes differ for $f"
  "$mspack" "out/$packed" "back/$f.mspack" || fail "libmspack $packed"
  cmp -s "in/$f" "back/$f.mspack" || fail "libmspack bytes differ for $f"
done
"$lumipack" -d -o back out/* || fail "lumipack -d"
for f in $names; do cmp -s "in/$f" "back/$f" || fail "lumipack -d gives other bytes or name for $f"; done

# mscompress appends '_' to the whole name and records nothing.
for f in readme.txt program.exe runs.dat noise.bin; do
  cp "in/$f" "ms/$f"
  mscompress "ms/$f" || fail "mscompress $f"
  "$lumipack" -d -o msback "ms/${f}_" || fail "lumipack -d of mscompress's ${f}_"
  cmp -s "in/$f" "msback/$f" || fail "mscompress's $f expands to other bytes"
  ours=$(wc -c < "out/$(echo "$f" | sed 's/.$/_/')")
  theirs=$(wc -c < "ms/${f}_")
  echo "$f: lumipack $ours bytes, mscompress $theirs bytes"
  [ "$ours" -le "$theirs" ] || fail "$f packs larger than mscompress ($ours > $theirs)"
done

# Failures: exit 1, a message naming the file, nothing under the final name.
if "$lumipack" -o out in/missing.txt 2> err.txt; then fail "missing input accepted"; fi
grep -q 'in/missing.txt' err.txt || fail "message does not name the file"
head -c 100 out/readme.tx_ > broken.tx_
mkdir -p broken
if "$lumipack" -d -o broken broken.tx_ 2> err.txt; then fail "corrupt input accepted"; fi
grep -q 'broken.tx_: file is corrupt' err.txt || fail "corrupt message: $(cat err.txt)"
[ -z "$(ls -A broken)" ] || fail "a corrupt expansion left files: $(ls -A broken)"
if "$lumipack" -o out out/readme.tx_ 2> err.txt; then fail "a compressed name was packed again"; fi
if "$lumipack" 2> /dev/null; then fail "no arguments accepted"; fi
echo "lumipack: all checks passed"
