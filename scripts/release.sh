#!/bin/sh
# A release a vendor can ship: the medium, a CD image of it and a zip.
#   sh scripts/release.sh [--product DIR] [--sign FILE.p12 --pass-file FILE]
#                         [--timestamp URL] OUT
# writes OUT/medium/ (setup.exe, the 32 files of the install manifest,
# autorun.inf), OUT/Lumiscroll-VERSION.iso (ISO 9660 with Joliet names),
# OUT/Lumiscroll-VERSION.zip and OUT/SHA256SUMS. --product takes the product's
# files as installed (mkmedium --from); without it the sample product goes
# out. --sign signs setup.exe (Authenticode, SHA-256) with the key and
# certificate in FILE.p12, whose pass phrase is read from --pass-file, never
# the command line. Dates inside the outputs come from the commit
# (SOURCE_DATE_EPOCH), so two runs from one commit give the same bytes.
# It builds what it needs (build/native, build/win32), or takes the builds
# named by LUMI_NATIVE_BUILD and LUMI_WIN32_BUILD as they are. A failing step
# is named and ends the script with status 1; OUT then holds no half-made
# output.
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
product="" p12="" passfile="" tsurl="" out=""
usage() {
  echo "usage: sh scripts/release.sh [--product DIR] [--sign FILE.p12 --pass-file FILE] [--timestamp URL] OUT" >&2
  exit 2
}
while [ $# -gt 0 ]; do
  case "$1" in
  --product) [ $# -ge 2 ] || usage; product=$2; shift 2 ;;
  --sign) [ $# -ge 2 ] || usage; p12=$2; shift 2 ;;
  --pass-file) [ $# -ge 2 ] || usage; passfile=$2; shift 2 ;;
  --timestamp) [ $# -ge 2 ] || usage; tsurl=$2; shift 2 ;;
  -*) usage ;;
  *) [ -z "$out" ] || usage; out=$1; shift ;;
  esac
done
[ -n "$out" ] || usage
{ [ -z "$p12" ] && [ -z "$passfile" ]; } || { [ -n "$p12" ] && [ -n "$passfile" ]; } ||
  { echo "release: --sign and --pass-file go together" >&2; exit 2; }
[ -z "$tsurl" ] || [ -n "$p12" ] || { echo "release: --timestamp needs --sign" >&2; exit 2; }

step=""
stage=""
fail() {
  echo "release: step '$step' failed${1:+: $1}" >&2
  [ -z "$stage" ] || rm -rf "$stage"
  exit 1
}
run() {  # run STEP COMMAND...: the command's output is shown only when it fails
  step=$1; shift
  log=$("$@" 2>&1) || fail "$(printf '%s\n' "$log" | tail -15)"
}

version=$(sed -n 's/^project(Lumiroll VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
[ -n "$version" ] || { step="version"; fail "no version in CMakeLists.txt's project()"; }
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$top" log -1 --format=%ct 2>/dev/null || echo 0)}
export SOURCE_DATE_EPOCH
stamp=$(date -u -d "@$SOURCE_DATE_EPOCH" +%Y%m%d%H%M.%S)

native=${LUMI_NATIVE_BUILD:-}
win32=${LUMI_WIN32_BUILD:-}
if [ -z "$native" ]; then
  run "native build" sh -c "cd '$top' && cmake --preset native >/dev/null && cmake --build build/native --target mkmedium"
  native="$top/build/native"
fi
if [ -z "$win32" ]; then
  # Linked anew, so that the date in its PE header is SOURCE_DATE_EPOCH's.
  rm -f "$top/build/win32/wizard/setup.exe"
  run "Win32 build" sh -c "cd '$top' && cmake --preset win32 >/dev/null && cmake --build build/win32 --target lumiroll-setup"
  win32="$top/build/win32"
fi
mkmedium="$native/tools/mkmedium"
setup="$win32/wizard/setup.exe"
[ -x "$mkmedium" ] && [ -f "$setup" ] || { step="builds"; fail "no $mkmedium or $setup"; }

mkdir -p "$out" || { step="output folder"; fail "cannot make $out"; }
out=$(cd "$out" && pwd)
stage=$(mktemp -d "$out/.release.XXXXXX") || { step="output folder"; fail "cannot write in $out"; }
medium="$stage/medium"
mkdir "$medium"

if [ -n "$product" ]; then
  run "medium from the product" "$mkmedium" --from "$product" "$medium"
else
  run "sample medium" "$mkmedium" "$medium"
fi
if [ -z "$p12" ]; then
  cp "$setup" "$medium/setup.exe" || { step="setup.exe"; fail; }
else
  ts=""
  [ -z "$tsurl" ] || ts="-ts $tsurl"
  # shellcheck disable=SC2086
  run "signing" osslsigncode sign -pkcs12 "$p12" -readpass "$passfile" -h sha256 -n "Lumiscroll Setup" \
    $ts -in "$setup" -out "$medium/setup.exe"
fi
printf '[autorun]\r\nopen=setup.exe\r\nicon=setup.exe,0\r\nlabel=Lumiscroll %s\r\n' "$version" >"$medium/autorun.inf"
run "medium check" "$mkmedium" --check "$medium"

# Fixed dates and a fixed order make the image and the zip the same bytes
# from the same commit.
find "$medium" -exec touch -h -t "$stamp" {} + || { step="dates"; fail; }
names=$(cd "$medium" && LC_ALL=C ls)
label=$(printf 'LUMISCROLL_%s' "$version" | tr . _)
iso="Lumiscroll-$version.iso"
zip="Lumiscroll-$version.zip"
# xorriso takes its volume dates from SOURCE_DATE_EPOCH and each file's
# from the file.
run "CD image" xorriso -no_rc -report_about SORRY -outdev "$stage/$iso" -volid "$label" -joliet on \
  -map "$medium" / -chown_r 0 / -- -chgrp_r 0 / -- -chmod_r a+r,a-w / --
# shellcheck disable=SC2086
run "zip" sh -c "cd '$medium' && TZ=UTC zip -q -X -D '$stage/$zip' $(printf '%s ' $names)"
run "checksums" sh -c "cd '$stage' && sha256sum '$iso' '$zip' >SHA256SUMS"

# Whole: the new outputs take the place of any earlier ones.
step="output"
rm -rf "$out/medium" "$out/$iso" "$out/$zip" "$out/SHA256SUMS" &&
  mv "$medium" "$out/medium" && mv "$stage/$iso" "$stage/$zip" "$stage/SHA256SUMS" "$out/" || fail
rm -rf "$stage"
echo "release $version: $out/medium, $out/$iso, $out/$zip, $out/SHA256SUMS"
