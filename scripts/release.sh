#!/bin/sh
# A release a vendor can ship: the medium, a CD image of it and a zip.
#   sh scripts/release.sh [--product DIR] [--sign FILE.p12 --pass-file FILE]
#                         [--timestamp URL] OUT
# writes OUT/medium/ (setup.exe with the medium's catalog, the 32 files of
# the install manifest, autorun.inf), OUT/Lumiscroll-VERSION.iso (ISO 9660 with Joliet names),
# OUT/Lumiscroll-VERSION.zip, OUT/SHA256SUMS, and OUT/.lumiscroll-release,
# the record of what it made. --product takes the product's files as
# installed (mkmedium --from); without it the sample product goes out.
# --sign signs setup.exe (Authenticode, SHA-256) with the key and
# certificate in FILE.p12, whose pass phrase is read from --pass-file, never
# the command line; the signed file must verify, for code signing. Dates
# inside the outputs come from the commit (SOURCE_DATE_EPOCH), so two runs
# from one commit give the same bytes. It builds what it needs (build/native,
# build/win32), or takes the builds named by LUMI_NATIVE_BUILD and
# LUMI_WIN32_BUILD as they are.
# Everything is made in a stage folder inside OUT; only once it is whole do
# the new outputs change places with the old ones, and an old output is
# replaced only when the record lists it as a release made it. A failing
# step is named and ends the script with status 1, a signal (INT, TERM, HUP)
# with 128 + its number; either way the stage goes and OUT is as it was.
set -u
unset CDPATH
case $0 in */*) here=${0%/*} ;; *) here=. ;; esac
. "$here/lib/release-lib.sh" || exit 2
. "$here/lib/build.sh" || exit 2
abspath "$here/.." && top=$abs || exit 2
product="" p12="" passfile="" tsurl="" out="" stage="" keep_stage="" made_out="" step="arguments"
outputs="OUT is as it was"
usage() {
  say "usage: sh scripts/release.sh [--product DIR] [--sign FILE.p12 --pass-file FILE] [--timestamp URL] OUT" >&2
  exit 2
}
while [ $# -gt 0 ]; do
  case "$1" in
  --product) [ $# -ge 2 ] || usage; product=$2; shift 2 ;;
  --sign) [ $# -ge 2 ] || usage; p12=$2; shift 2 ;;
  --pass-file) [ $# -ge 2 ] || usage; passfile=$2; shift 2 ;;
  --timestamp) [ $# -ge 2 ] || usage; tsurl=$2; shift 2 ;;
  --) [ $# -eq 2 ] && [ -z "$out" ] || usage; out=$2; shift 2 ;;
  -*) usage ;;
  *) [ -z "$out" ] || usage; out=$1; shift ;;
  esac
done
[ -n "$out" ] || usage
{ [ -z "$p12" ] && [ -z "$passfile" ]; } || { [ -n "$p12" ] && [ -n "$passfile" ]; } ||
  { say "release: --sign and --pass-file go together" >&2; exit 2; }
[ -z "$tsurl" ] || [ -n "$p12" ] || { say "release: --timestamp needs --sign" >&2; exit 2; }
trap cleanup EXIT
catch_signals

step="version"
version=$(sed -n 's/^project(Lumiroll VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
[ -n "$version" ] || fail "no version in CMakeLists.txt's project()"
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct 2>/dev/null || echo 0)}
case $SOURCE_DATE_EPOCH in '' | *[!0-9]*) fail "SOURCE_DATE_EPOCH is no number of seconds: $SOURCE_DATE_EPOCH" ;; esac
export SOURCE_DATE_EPOCH
stamp=$(date -u -d "@$SOURCE_DATE_EPOCH" +%Y%m%d%H%M.%S)
iso="Lumiscroll-$version.iso" zip="Lumiscroll-$version.zip"

step="output folder"
[ -d "$out" ] || { mkdir -p -- "$out" && made_out=1; } || fail "cannot make $out"
abspath "$out" && out=$abs || fail "cannot enter $out"
if [ -n "$product" ]; then
  step="product"
  [ -d "$product" ] || fail "$product is no folder"
  abspath "$product" && product=$abs || fail "cannot enter $product"
  for n in medium "$iso" "$zip" SHA256SUMS $record; do
    ! inside "$product" "$out/$n" || fail "the product $product is, or lies inside, the output $out/$n"
  done
  ! inside "$out" "$product" || fail "the output folder $out is, or lies inside, the product $product"
fi
step="earlier outputs"
why=$(ours "$out") || fail "$why"

build_native() { cd "$top" && build_preset native mkmedium; }
build_win32() { cd "$top" && build_preset win32 lumiroll-setup; }
native=${LUMI_NATIVE_BUILD:-}
win32=${LUMI_WIN32_BUILD:-}
if [ -z "$native" ]; then
  run "native build" build_native
  native="$top/build/native"
fi
if [ -z "$win32" ]; then
  # Linked anew, so that the date in its PE header is SOURCE_DATE_EPOCH's.
  rm -f -- "$top/build/win32/wizard/setup.exe"
  run "Win32 build" build_win32
  win32="$top/build/win32"
fi
mkmedium="$native/tools/mkmedium"
setup="$win32/wizard/setup.exe"
step="builds"
[ -f "$mkmedium" ] && [ -x "$mkmedium" ] || fail "no program $mkmedium"
pe32 "$setup" || fail "$why"

step="stage"
stage=$(mktemp -d "$out/.release.XXXXXX") || fail "cannot write in $out"
# The medium is made on a drive of its own, M:, so that mkmedium's Windows
# paths hold none of OUT's characters, whatever they are.
medium_from() { LUMIROLL_DRIVE_M=$stage "$mkmedium" "$@"; }
if [ -n "$product" ]; then
  run "medium from the product" medium_from --from "$product" "$stage/medium"
else
  run "sample medium" medium_from "$stage/medium"
fi
left=$(say "$log" | grep '^left out: ')
# setup.exe carries the medium's catalog, sealed in before it is signed so
# that the signature covers it: it checks every file before it writes one.
step="setup.exe"
cp -- "$setup" "$stage/setup.exe" || fail
run "catalog" medium_from --seal "$stage/medium" "$stage/setup.exe"
if [ -z "$p12" ]; then
  step="setup.exe"
  mv -- "$stage/setup.exe" "$stage/medium/setup.exe" || fail
else
  run "signing certificate" codesign_cert "$p12" "$passfile" "$stage/chain.pem"
  run "signing" sign
  run "signature check" verify
fi
printf '[autorun]\r\nopen=setup.exe\r\nicon=setup.exe,0\r\nlabel=Lumiscroll %s\r\n' "$version" >"$stage/medium/autorun.inf"
run "medium check" medium_from --check "$stage/medium"

# Fixed dates and a fixed order make the image and the zip the same bytes
# from the same commit. xorriso takes its volume dates from
# SOURCE_DATE_EPOCH and each file's from the file.
step="dates"
find "$stage/medium" -exec touch -h -t "$stamp" {} + || fail
label=$(printf 'LUMISCROLL_%s' "$version" | tr . _)
image() {
  cd -- "$stage" && xorriso -no_rc -report_about SORRY -outdev "stdio:./$iso" -volid "$label" -joliet on \
    -map ./medium / -chown_r 0 / -- -chgrp_r 0 / -- -chmod_r a+r,a-w / --
}
run "CD image" image
pack() { cd -- "$stage/medium" && LC_ALL=C && export LC_ALL && set -- * && TZ=UTC zip -q -X -D "../$zip" -- "$@"; }
run "zip" pack
sums() {
  cd -- "$stage" && sha256sum -- "$iso" "$zip" >SHA256SUMS &&
    { say "# What scripts/release.sh made here; it replaces only these, as they are." &&
      sha256sum -- medium/* "$iso" "$zip" SHA256SUMS; } >$record
}
run "checksums" sums

# Whole: the new outputs take the place of the earlier ones.
step="output"
why=$(ours "$out") || fail "$why"
swap "$out" || { [ -z "$keep_stage" ] || fail "not every earlier output could be put back (see above)"
  fail "the outputs in $out are as they were"; }
cleanup
[ -z "$left" ] || say "$left"
say "release $version: $out/medium, $out/$iso, $out/$zip, $out/SHA256SUMS"
