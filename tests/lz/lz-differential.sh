#!/bin/sh
# Our LZ32 stand-in against the platform's LZ32 under Wine, file by file.
#   lz-differential.sh NATIVE_PROBE WIN32_PROBE WIN32_BUILD_DIR WORK_DIR
# Both probes expand the same generated inputs; every line must be the same,
# except where the platform reports success for a damaged file (bad-*) and
# ours an error: those are counted by kind and listed, and any other
# difference fails the test.
set -u
native=$1; probe=$2; build=$(cd "$3" && pwd); work=$4
. "$(dirname "$0")/lz-inputs.sh"
both run
for side in native wine; do
  n=$(grep -c . "$work/$side.txt")
  [ "$n" -eq "$inputs" ] || { echo "the $side probe answered for $n of $inputs files"; exit 1; }
done
paste -d '\n' "$work/native.txt" "$work/wine.txt" | awk -v out="$work/differences.txt" '
  function field(line, key,   i, n, f) {
    n = split(line, f, " ")
    for (i = 2; i <= n; ++i) if (index(f[i], key "=") == 1) return substr(f[i], length(key) + 2)
    return ""
  }
  NR % 2 == 1 { ours = $0; next }
  {
    name = $1
    if (ours == $0) { same++; next }
    # Names and opens must agree; a copy may differ only as a platform
    # success where ours found the file damaged.
    if (name ~ /^bad-/ && field(ours, "expanded") == field($0, "expanded") && field(ours, "open") == field($0, "open") &&
        field(ours, "copy") + 0 < 0 && field($0, "copy") + 0 >= 0) {
      sound++
      kind = name; sub(/^bad-/, "", kind); sub(/[-0-9]*\..*$/, "", kind); kinds[kind]++
      print name ": ours " field(ours, "copy") " (" field(ours, "out") "), platform " field($0, "copy") \
        " (" field($0, "out") ")" > out
      next
    }
    bad++
    print "DIFFERENT " name "\n  ours:     " ours "\n  platform: " $0
  }
  END {
    printf "%d files: %d the same, %d damaged files the platform expands as if sound (ours: an error), %d other differences\n",
      same + sound + bad, same, sound, bad
    for (k in kinds) printf "  %s: %d\n", k, kinds[k]
    exit bad > 0
  }'
status=$?
echo "damaged files ours refuses and the platform accepts ($work/differences.txt):"
sed 's/^/  /' "$work/differences.txt" 2>/dev/null | head -12
exit $status
