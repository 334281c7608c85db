#!/bin/sh
# scripts/release.sh on the sample product, every output read back by a tool
# we did not write: the medium by mkmedium --check, the image's and the zip's
# listings by 7-Zip, the image's label by file, the checksums by sha256sum, the signature by
# osslsigncode against a throwaway CA made here; two runs give the same bytes;
# a failing step is named and leaves no output; then the cases of
# hostile_cases.sh.
#   release_test.sh NATIVE_BUILD WIN32_BUILD VERSION WORKDIR
set -u
native=$1; win32=$2; version=$3; work=$4
top=$(cd "$(dirname "$0")/../.." && pwd)
fail() { printf 'FAIL: %s\n' "$*"; exit 1; }
rm -rf "$work" && mkdir -p "$work" || exit 1
work=$(cd "$work" && pwd)
export LUMI_NATIVE_BUILD="$native" LUMI_WIN32_BUILD="$win32"
# The 64-bit check build's setup.exe goes through the script too.
[ "$(cat "$win32/wine-arch" 2>/dev/null)" != win64 ] || export LUMI_RELEASE_WIN64=1
release() { sh "$top/scripts/release.sh" "$@" >"$work/release.out" 2>&1; }
iso="Lumiscroll-$version.iso" zip="Lumiscroll-$version.zip"

release "$work/a" || fail "release: $(cat "$work/release.out")"
"$native/tools/mkmedium" --check "$work/a/medium" >"$work/check.out" || fail "the medium fails its check"
# The manifest's files as the check counts them, setup.exe and autorun.inf.
files=$(sed -n 's/^medium .*: all \([0-9][0-9]*\) files sound$/\1/p' "$work/check.out")
[ -n "$files" ] && [ "$(ls "$work/a/medium" | wc -l)" -eq $((files + 2)) ] ||
  fail "medium/ holds $(ls "$work/a/medium" | wc -l) files, not $((files + 2))"
printf '[autorun]\r\nopen=setup.exe\r\nicon=setup.exe,0\r\nlabel=Lumiscroll %s\r\n' "$version" | cmp -s - "$work/a/medium/autorun.inf" ||
  fail "autorun.inf: $(cat -A "$work/a/medium/autorun.inf")"
(cd "$work/a" && sha256sum -c --quiet SHA256SUMS) || fail "SHA256SUMS"
# 7-Zip reads the image by its Joliet names: every file, with its case.
want=$(cd "$work/a/medium" && LC_ALL=C ls)
for f in "$iso" "$zip"; do
  got=$(7zz l -ba -slt "$work/a/$f" | sed -n 's/^Path = //p' | LC_ALL=C sort)
  [ "$got" = "$want" ] || fail "$f lists: $got"
done
file "$work/a/$iso" | grep -qF "ISO 9660 CD-ROM filesystem data 'LUMISCROLL_$(echo "$version" | tr . _)'" ||
  fail "the image's label: $(file "$work/a/$iso")"
mkdir "$work/x" && 7zz x -o"$work/x" "$work/a/$iso" >/dev/null || fail "7-Zip cannot extract the image"
for f in $want; do cmp -s "$work/a/medium/$f" "$work/x/$f" || fail "$f differs in the image"; done

# The same commit gives the same bytes, elsewhere and later.
sleep 1
release "$work/b" || fail "second release: $(cat "$work/release.out")"
for f in "$iso" "$zip" SHA256SUMS $(cd "$work/a/medium" && ls | sed 's|^|medium/|'); do
  cmp -s "$work/a/$f" "$work/b/$f" || fail "$f differs between two runs"
done

# Signed with a throwaway CA's code-signing certificate: it verifies against
# that CA offline, and no longer once a byte is changed.
c="$work/ca"
mkdir "$c" && (
  cd "$c" &&
    openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj "/CN=Throwaway Test CA" \
      -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign &&
    openssl req -newkey rsa:2048 -nodes -keyout sign.key -out sign.csr -subj "/CN=Tamvik Software Test" &&
    printf 'extendedKeyUsage=codeSigning\nkeyUsage=digitalSignature\n' >ext.cnf &&
    openssl x509 -req -in sign.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out sign.pem -days 2 -extfile ext.cnf &&
    printf 'throwaway pass phrase\n' >pass.txt &&
    openssl pkcs12 -export -inkey sign.key -in sign.pem -certfile ca.pem -out sign.p12 -passout file:pass.txt
) >/dev/null 2>&1 || fail "making the throwaway certificate"
release --sign "$c/sign.p12" --pass-file "$c/pass.txt" "$work/s" || fail "signed release: $(cat "$work/release.out")"
grep -q "throwaway pass phrase" "$work/release.out" && fail "the pass phrase was shown"
osslsigncode verify -CAfile "$c/ca.pem" -in "$work/s/medium/setup.exe" >"$work/verify.out" 2>&1 ||
  fail "the signature does not verify: $(tail -5 "$work/verify.out")"
/usr/bin/python3 "$top/tests/release/pe_resources.py" "$work/s/medium/setup.exe" "$version" >/dev/null ||
  fail "the signed setup.exe lost its resources"
# The signed program carries the catalog of the medium beside it.
"$native/tools/mkmedium" --check "$work/s/medium" >"$work/check.out" &&
  grep -qx "catalog: all $files files as released" "$work/check.out" || fail "the signed setup.exe's catalog: $(tail -2 "$work/check.out")"
cp "$work/s/medium/setup.exe" "$work/changed.exe"
printf 'X' | dd of="$work/changed.exe" bs=1 seek=2000 conv=notrunc 2>/dev/null
if osslsigncode verify -CAfile "$c/ca.pem" -in "$work/changed.exe" >/dev/null 2>&1; then
  fail "a changed byte still verifies"
fi

# A step that fails is named, and no output is left half-made.
mkdir "$work/product"
if release --product "$work/product" "$work/f"; then fail "a release from an empty product: $(cat "$work/release.out")"; fi
grep -q "step 'medium from the product' failed" "$work/release.out" || fail "no step named: $(cat "$work/release.out")"
[ ! -e "$work/f" ] || fail "a failed release left: $(ls -A "$work/f")"
. "$top/tests/release/hostile_cases.sh"
echo "release: medium, image ($(stat -c %s "$work/a/$iso") bytes) and zip read back; two runs alike; the signature verifies; hostile names, outputs, certificates and signals handled"
