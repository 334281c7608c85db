# Sourced by release_test.sh after its own checks ($work/a holds a release,
# $c the throwaway CA): the release under hostile names and outputs. Paths
# are data: any OUT works and is named byte for byte; an output is replaced
# only when the release made it; a product is never an output; a signature
# that does not verify for code signing, or a setup.exe that is no Win32
# program, fails its step; a signal removes the stage.
snap() { [ ! -e "$1" ] || (cd "$1" && find . | LC_ALL=C sort && find . -type f -exec sha256sum {} + | LC_ALL=C sort); }
copy_of_a() { rm -rf "$1" && cp -a "$work/a" "$1"; }
said() { release_out=$(cat "$work/release.out"; echo .); release_out=${release_out%?}; }

# Names that must work, each into exactly that folder, every message byte for
# byte (a backslash-t, -c or -r is no escape to printf '%s').
nl='
'
mkdir -p "$work/o/nl" && printf 'mine\n' >"$work/o/nl/SHA256SUMS" || fail "making $work/o"
for name in "q';touch PWNED;'" "Bob's release" 'double"quote' "line${nl}break" "nl${nl}" 'Z:\tmp\cut\r\c'; do
  o="$work/o/$name"
  (cd "$work/o" && release "$o") || fail "OUT $name: $(cat "$work/release.out")"
  said
  [ "$release_out" = "release $version: $o/medium, $o/$iso, $o/$zip, $o/SHA256SUMS$nl" ] ||
    fail "OUT $name: not named byte for byte: $(cat -A "$work/release.out")"
  (cd "$o" && sha256sum -c --quiet SHA256SUMS) && cmp -s "$o/medium/Readme.txt" "$work/a/medium/Readme.txt" ||
    fail "OUT $name: the outputs do not verify"
done
[ -z "$(find "$work" -name PWNED)" ] || fail "a quote in OUT ran a command"
[ "$(ls -A "$work/o/nl")" = SHA256SUMS ] && [ "$(cat "$work/o/nl/SHA256SUMS")" = mine ] ||
  fail "OUT 'nl<line break>' wrote into nl: $(ls -A "$work/o/nl")"

# refused WHAT TEXT ARG... (OUT last): exit 1 with TEXT, OUT as it was.
refused() {
  what=$1 text=$2
  shift 2
  eval "o=\${$#}"
  before=$(snap "$o")
  if release "$@"; then fail "$what: released: $(cat "$work/release.out")"; fi
  grep -qF -e "$text" "$work/release.out" || fail "$what: $(cat "$work/release.out")"
  [ "$(snap "$o")" = "$before" ] || fail "$what: $o changed: $(cat "$work/release.out")"
}
# Earlier outputs the release did not make, or that changed since, stay.
copy_of_a "$work/foreign" && : >"$work/foreign/medium/notes.txt"
refused "a file of the vendor's in OUT/medium" "holds notes.txt, which no release made" "$work/foreign"
copy_of_a "$work/changed" && printf 'edited\n' >>"$work/changed/medium/Readme.txt"
refused "a medium file changed since" "has changed since, so it stays: medium/Readme.txt" "$work/changed"
mkdir -p "$work/theirs/medium" && : >"$work/theirs/medium/x" && : >"$work/theirs/SHA256SUMS"
refused "an OUT/medium no release made" "no $work/theirs/.lumiscroll-release lists" "$work/theirs"
# The product is never an output, nor the outputs inside it.
copy_of_a "$work/pm"
refused "the product is OUT/medium" "is, or lies inside, the output $work/pm/medium" --product "$work/pm/medium" "$work/pm"
mkdir "$work/pm/medium/sub"
refused "the product inside OUT/medium" "lies inside, the output $work/pm/medium" --product "$work/pm/medium/sub" "$work/pm"
refused "OUT inside the product" "lies inside, the product $work/pm" --product "$work/pm" "$work/pm/medium/out"
# What goes out: a signature that verifies for code signing, a Win32 program.
(
  cd "$c" &&
    openssl req -newkey rsa:2048 -nodes -keyout tls.key -out tls.csr -subj "/CN=Tamvik Web" &&
    printf 'extendedKeyUsage=serverAuth\nkeyUsage=digitalSignature\n' >tls.cnf &&
    openssl x509 -req -in tls.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out tls.pem -days 2 -extfile tls.cnf &&
    openssl pkcs12 -export -inkey tls.key -in tls.pem -certfile ca.pem -out tls.p12 -passout file:pass.txt &&
    openssl pkcs12 -export -inkey sign.key -in sign.pem -out alone.p12 -passout file:pass.txt
) >/dev/null 2>&1 || fail "making the throwaway certificates"
copy_of_a "$work/sig"
refused "a serverAuth certificate" "is not for code signing: its extended key usage is TLS Web Server Authentication" \
  --sign "$c/tls.p12" --pass-file "$c/pass.txt" "$work/sig"
refused "a chain that does not verify" "step 'signature check' failed: the signed setup.exe does not verify" \
  --sign "$c/alone.p12" --pass-file "$c/pass.txt" "$work/sig"
mkdir -p "$work/w/wizard" && : >"$work/w/wizard/setup.exe" && export LUMI_WIN32_BUILD="$work/w"
refused "a 0-byte setup.exe" "$work/w/wizard/setup.exe is empty (0 bytes)" "$work/sig"
printf 'MZ%0100d' 0 >"$work/w/wizard/setup.exe"
refused "a setup.exe that is no PE" "is no 32-bit x86 Windows program" "$work/sig"
export LUMI_WIN32_BUILD="$win32"

# The product's messages as mkmedium gives them: Windows paths whose \t is
# no tab; what the manifest does not name is shown on success too.
m="$work/install"
. "$top/scripts/lib/sample.sh"
mkdir -p "$m/c/Apps" && cp -r "$work/a/medium" "$m/media" && cp "$native/wizard/lumiroll-setup" "$m/media/" ||
  fail "making the install machine"
(sample_machine "$m" && printf 'next\nnext\nchange\nC:\\Apps\nnext\nfinish\nclose\n' | console_setup "$m/media") \
  >"$m/out" 2>&1 || fail "the install"
mv "$m/c/Apps/Lumiroll" "$work/tmp" || exit 1
release --product "$work/tmp" "$work/p" || fail "a release from the installed product: $(cat "$work/release.out")"
grep -qxF 'left out: Z:'"$(printf '%s' "$work" | tr / '\\')"'\tmp\Photos.dat (the manifest does not name it)' \
  "$work/release.out" || fail "no 'left out:' line for Photos.dat: $(cat "$work/release.out")"
rm "$work/tmp/Nature/Gulls.jpg"
refused "a missing product file" 'no file in Z:'"$(printf '%s' "$work" | tr / '\\')"'\tmp\Nature for Gulls.jp_' \
  --product "$work/tmp" "$work/p"

# A signal: the stage goes, OUT is as it was. mkmedium waits for it here.
mkdir -p "$work/slow/tools" && printf '#!/bin/sh\ncase $1 in /*) : >"$1.started"; sleep 2 ;; esac\nexec "%s" "$@"\n' \
  "$native/tools/mkmedium" >"$work/slow/tools/mkmedium" && chmod +x "$work/slow/tools/mkmedium" || exit 1
for sig in TERM:143 HUP:129; do
  want=${sig#*:} sig=${sig%:*}
  before=$(snap "$work/p")
  LUMI_NATIVE_BUILD="$work/slow" sh "$top/scripts/release.sh" "$work/p" >"$work/release.out" 2>&1 &
  pid=$!
  n=0
  until [ -n "$(find "$work/p" -name '*.started')" ] || [ $n -ge 100 ]; do sleep 0.1; n=$((n + 1)); done
  kill -s $sig $pid
  wait $pid
  status=$?
  [ $status -eq "$want" ] && grep -qF "stopped by SIG$sig in step 'sample medium'; OUT is as it was" \
    "$work/release.out" || fail "SIG$sig: status $status: $(cat "$work/release.out")"
  [ "$(snap "$work/p")" = "$before" ] || fail "SIG$sig left: $(ls -A "$work/p")"
done
