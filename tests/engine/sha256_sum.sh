#!/bin/sh
# Our SHA-256, both paths, against sha256sum on files of lengths around the
# block size and of random lengths up to 4 MB of random bytes.
#   sha256_sum.sh SHA256_CLI WORKDIR
set -eu
cli=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
cd "$work"
random() { od -An -N4 -tu4 /dev/urandom | tr -d ' '; }
lengths="0 1 55 56 57 63 64 65 111 112 119 120 127 128 129 1000"
i=0
while [ $i -lt 40 ]; do
  lengths="$lengths $(($(random) % (i < 30 ? 70000 : 4194304)))"
  i=$((i + 1))
done
for n in $lengths; do head -c "$n" /dev/urandom >"f$n"; done
set -- f*
sha256sum "$@" >expected
"$cli" "$@" >fastest
"$cli" --plain "$@" >plain
status=0
for path in fastest plain; do
  if ! diff -u expected $path; then
    echo "FAIL: the $path path differs from sha256sum (inputs kept in $work)"
    status=1
  fi
done
[ $status -eq 0 ] && echo "$# files of lengths $lengths: both paths agree with sha256sum" && rm -f f*
exit $status
