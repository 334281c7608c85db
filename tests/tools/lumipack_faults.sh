#!/bin/sh
# lumipack on inputs a hostile tester brings: each fails naming the file and
# the real cause, leaves what was there before and no temporary file; long
# names and paths inside the limits work; -t tests without writing.
#   lumipack_faults.sh LUMIPACK WORKDIR
set -u
lumipack=$1; work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
fail() { printf 'FAIL: %s\n' "$*"; exit 1; }
# Nothing but the given files may be left in the folder.
only() {
  [ "$(ls -A "$1" | LC_ALL=C sort | tr '\n' ' ')" = "$(for f in $2; do printf '%s\n' "$f"; done | LC_ALL=C sort | tr '\n' ' ')" ] ||
    fail "$1 holds: $(ls -A "$1" | tr '\n' ' ')"
}
printf 'Lumiscroll sample text, Lumiscroll sample text\n' >good.txt
"$lumipack" good.txt || fail "packing good.txt"

# Refusals: "FILE|what it must say" with the file made by one command each.
mkdir -p refuse && cd refuse
cp ../good.tx_ 'back\slash.tx_'
cp ../good.tx_ 'what?.tx_'
head -c 20 ../good.tx_ >cut.tx_
d=$(printf 'd%.0s' $(seq 1 120)); mkdir "$d" && cp ../good.tx_ "$d/deep.tx_"
# Windows drops the dot that ends dot. and takes the backslash of b\k apart.
mkdir dot. 'b\k' && cp ../good.tx_ dot./f.tx_ && cp ../good.tx_ 'b\k/f.tx_'
# A FIFO is no file (refused at once, never waited on); a header that records
# a backslash names no file.
mkfifo fifo.tx_
cp ../good.tx_ slash.tx_ && printf '\\' | dd of=slash.tx_ bs=1 seek=9 conv=notrunc 2>/dev/null
for c in 'back\slash.tx_|holds a backslash' 'what?.tx_|holds one of <>:"|?*' \
         'dot./f.tx_|leads to another file' 'b\k/f.tx_|leads to another file' \
         "$d/deep.tx_|LZ32 takes paths of at most 127 characters" 'cut.tx_|file is corrupt' \
         'missing.tx_|No such file' 'fifo.tx_|not a regular file: a FIFO' 'slash.tx_|no name of its own'; do
  f=${c%%|*}; want=${c#*|}
  if timeout 20 "$lumipack" -d "$f" 2>err.txt; then fail "-d $f was accepted"; fi
  grep -qF -- "$f: " err.txt && grep -qF -- "$want" err.txt || fail "-d $f: $(cat err.txt), not: $want"
done
only . "$d b\\k back\\slash.tx_ cut.tx_ dot. err.txt fifo.tx_ slash.tx_ what?.tx_"
# A read-only output is not replaced, either way, as a copy without force
# leaves it; a device is named before it is opened (this one, without a
# driver, cannot be opened at all).
mkdir ro && cp ../good.tx_ ro/a.tx_ && cp ../good.txt ro/b.txt && printf 'kept\n' | tee ro/a.txt >ro/b.tx_
chmod 444 ro/a.txt ro/b.tx_
for c in '-d ro/a.tx_|ro/a.txt' 'ro/b.txt|ro/b.tx_'; do
  args=${c%%|*}; out=${c#*|}
  if "$lumipack" $args 2>err.txt; then fail "lumipack $args replaced a read-only $out"; fi
  grep -qF "$out: it is read-only" err.txt || fail "lumipack $args: $(cat err.txt)"
  [ "$(cat "$out")" = kept ] || fail "lumipack $args changed the read-only $out"
done
only ro "a.tx_ a.txt b.tx_ b.txt" && rm -rf ro
if mknod dev.tx_ c 42 0 2>/dev/null; then
  if "$lumipack" -d dev.tx_ 2>err.txt; then fail "a device was expanded"; fi
  grep -qF "dev.tx_: not a regular file: a device" err.txt || fail "a device: $(cat err.txt)"
  rm dev.tx_
fi
# So does an output folder whose Windows path leads elsewhere: nothing is written.
mkdir o o. && if "$lumipack" -d -o o. ../good.tx_ 2>err.txt; then fail "-d -o o. was accepted"; fi
grep -qF "o./good.txt: its Windows path" err.txt || fail "-d -o o.: $(cat err.txt)"
only o "" && only o. "" && rmdir o o.
cd ..

# An input that cannot be read (as another user where we are root) fails and
# keeps the output made before.
cp good.tx_ keep.tx_ && cp good.txt keep.txt && chmod 000 keep.txt && chmod 777 .
as=""; [ "$(id -u)" -eq 0 ] && as="setpriv --reuid=65534 --regid=65534 --clear-groups"
if $as "$lumipack" keep.txt 2>err.txt; then fail "an unreadable input was packed"; fi
grep -q "keep.txt: cannot read it: Permission denied" err.txt || fail "unreadable: $(cat err.txt)"
cmp -s keep.tx_ good.tx_ || fail "the output made before was replaced"

# Long names and Windows paths just inside the limits.
mkdir -p long && n=$(printf 'n%.0s' $(seq 1 236)).txt && cp good.txt "long/$n"
"$lumipack" "long/$n" || fail "a 240-character name"
# Z: + this folder + \ + sub + \good.txt: 127 characters.
k=$((127 - 2 - ${#PWD} - 1 - 9)); [ "$k" -gt 0 ] || fail "the work folder is too deep for the test"
sub=$(printf 's%.0s' $(seq 1 $k)); mkdir -p "$sub" && cp good.tx_ "$sub/good.tx_"
"$lumipack" -d "$sub/good.tx_" || fail "expanding in place at 127 characters"
cmp -s "$sub/good.txt" good.txt || fail "the 127-character expansion"
only "$sub" "good.tx_ good.txt"

# -t: one line a file, exit 1 when any fails, nothing written.
out=$("$lumipack" -t good.tx_) || fail "-t of a sound file: $out"
printf "%s\n" "$out" | grep -qx "good.tx_: OK, expands to good.txt (47 bytes)" || fail "-t says: $out"
if out=$(timeout 20 "$lumipack" -t good.tx_ refuse/cut.tx_ good.txt refuse/fifo.tx_ refuse/slash.tx_); then
  fail "-t passed damaged files"
fi
[ "$(printf "%s\n" "$out" | wc -l)" -eq 5 ] || fail "-t lines: $out"
printf "%s\n" "$out" | grep -q "^refuse/fifo.tx_: FAILED: not a regular file" || fail "-t fifo: $out"
printf "%s\n" "$out" | grep -q '^refuse/slash.tx_: FAILED: it expands to "", no name of its own' || fail "-t slash: $out"
printf "%s\n" "$out" | grep -qx "refuse/cut.tx_: FAILED: file is corrupt" || fail "-t cut: $out"
printf "%s\n" "$out" | grep -qx "good.txt: FAILED: not compressed (no SZDD header)" || fail "-t plain: $out"
if "$lumipack" -t good.tx_ >/dev/full 2>err.txt; then fail "-t succeeded with its report lost"; fi
grep -q "cannot write the report" err.txt || fail "-t into a full device: $(cat err.txt)"

# A signal during -d removes the temporary file. The input declares more
# than it holds, so it fails if it ends before the signal.
mkdir -p sig && { printf 'SZDD\210\360\047\063A\000\377\377\377\177'; head -c 150000000 /dev/zero; } >big.tx_
"$lumipack" -d -o sig big.tx_ 2>/dev/null & pid=$!
sleep 0.3; kill -TERM "$pid" 2>/dev/null; wait "$pid"; status=$?
only sig ""
rm -f big.tx_
echo "lumipack faults: all checks passed (the signal ended -d with status $status)"
