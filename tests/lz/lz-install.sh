#!/bin/sh
# The installer's ExpandFile over the platform's LZ32 under Wine and over our
# stand-in, on the inputs of the differential test, each over a file put at
# its destination first.
#   lz-install.sh NATIVE_PROBE WIN32_PROBE WIN32_BUILD_DIR WORK_DIR
# Every line must be the same in both builds. Every damaged file (bad-*) must
# be refused, leave the file put there first as it was and no temporary
# file, except where the damage leaves a file LZ32 takes as sound, in both
# builds alike; those are counted by kind. (A cut or a changed byte inside
# the 8-byte signature leaves no SZDD file: its name ends in '_', so it is
# refused, never copied plainly.)
# - a changed byte 9 records another last character: another name;
# - a changed data byte that leaves every length intact: SZDD has no
#   checksum, so it expands to other bytes of the right length.
# Then the same files against a catalog giving each the sound file's size
# and SHA-256: every damaged one is refused before anything is written, the
# two kinds above included, in both builds alike.
set -u
native=$1; probe=$2; build=$(cd "$3" && pwd); work=$4
. "$(dirname "$0")/lz-inputs.sh"
both install
# The bytes put at each destination first.
kept=$(printf 'installed before' >"$work/kept" && "$native" run "$(winpath "$work")" <<EOF2 | sed 's/.* out=//'
kept
EOF2
)
paste -d '\n' "$work/native.txt" "$work/wine.txt" | awk -v inputs="$inputs" -v kept="$kept" '
  NR % 2 == 1 { ours = $0; next }
  {
    name = $1; lines++
    if (ours != $0) { bad++; print "DIFFERENT " name "\n  ours:     " ours "\n  platform: " $0; next }
    if (name !~ /^bad-/) { same++; next }
    if ($2 == "result=0" && $3 == "dest=" kept && $4 == "temp=no") {
      refused++; sub(/^[^ ]* [^ ]* [^ ]* [^ ]* message=/, ""); sub(/<dir>.*/, ""); texts[$0]++; next
    }
    at = name; sub(/^bad-(flip|cut)/, "", at); sub(/\..*$/, "", at); at += 0
    if ($2 == "result=1" && name ~ /^bad-flip/ && at == 9) { renamed++; next }
    if ($2 == "result=1" && name ~ /^bad-flip/ && at >= 14) { undetectable++; next }
    bad++; print "NOT REFUSED " name ": " $0
  }
  END {
    printf "%d of %d files: %d sound ones alike, %d damaged ones refused alike; accepted by both: %d with another recorded character, %d with a changed data byte that keeps every length; %d faults\n",
      lines, inputs, same, refused, renamed, undetectable, bad
    for (t in texts) printf "  %s %d\n", t, texts[t]
    exit (bad > 0 || lines != inputs)
  }' || exit 1
grep '^bad-' "$work/native/list.txt" >"$work/bad.txt"
"$native" catalog "$(winpath "$work/native")" <"$work/bad.txt" >"$work/native-catalog.txt" || exit 1
wine "$probe" catalog "$(winpath "$work/wine")" <"$work/bad.txt" 2>/dev/null | tr -d '\r' >"$work/wine-catalog.txt"
damaged=$(grep -c . "$work/bad.txt")
for side in native wine; do
  refused=$(grep -c ' result=0 message=File is corrupt: <dir>\\bad-' "$work/$side-catalog.txt")
  echo "against the catalog ($side): $refused of $damaged damaged files refused"
  [ "$refused" -eq "$damaged" ] || { grep -v ' result=0 ' "$work/$side-catalog.txt" | head; exit 1; }
done
