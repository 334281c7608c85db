# Helpers of scripts/release.sh, sourced by it. Paths are handled as data
# only: never inside a command string, printed byte for byte.
nl='
'
say() { printf '%s\n' "$*"; }
there() { [ -e "$1" ] || [ -L "$1" ]; }

# The stage (the new outputs, and the old ones while they change places) is
# removed on every way out unless keep_stage is set, and so is OUT if the
# release made it and the release did not complete.
cleanup() {
  [ -n "$stage" ] && [ -z "$keep_stage" ] && rm -rf -- "$stage"
  [ -z "$made_out" ] || rmdir -- "$out" 2>/dev/null
  stage="" made_out=""
}
fail() { say "release: step '$step' failed${1:+: $1}" >&2; cleanup; exit 1; }
on_signal() { say "release: stopped by SIG$2 in step '$step'; $outputs" >&2; cleanup; exit "$1"; }  # STATUS NAME
catch_signals() {
  trap 'on_signal 130 INT' INT
  trap 'on_signal 143 TERM' TERM
  trap 'on_signal 129 HUP' HUP
}
run() {  # run STEP COMMAND...: the command's output is shown only when it fails
  step=$1 && shift
  log=$("$@" 2>&1) || fail "$(say "$log" | tail -15)"
}

# abspath DIR: sets abs to DIR's physical path, a last line break in it kept
# (a command substitution would drop it).
abspath() {
  case $1 in /*) set -- "$1" ;; *) set -- "./$1" ;; esac
  abs=$(cd -P -- "$1" && pwd -P && echo .) || return 1
  abs=${abs%??}
}
inside() { case $1/ in "$2"/*) return 0 ;; esac; return 1; }  # inside PATH DIR

# shellcheck disable=SC2046
bytes() { set -- $(od -An -tu1 -j"$2" -N"$3" -- "$1" 2>/dev/null); printf '%s' "$*"; }  # bytes FILE AT N
# pe32 FILE: whether FILE is a 32-bit x86 Windows program (MZ, PE, i386).
pe32() {
  [ -f "$1" ] || { why="$1 is no file"; return 1; }
  [ -s "$1" ] || { why="$1 is empty (0 bytes)"; return 1; }
  [ "$(bytes "$1" 0 2)" = "77 90" ] || { why="$1 is no Windows program (no MZ header)"; return 1; }
  set -- "$1" $(bytes "$1" 60 4)
  [ $# -eq 5 ] || { why="$1 is cut short"; return 1; }
  pe=$(bytes "$1" $(($2 + 256 * $3 + 65536 * $4 + 16777216 * $5)) 6)
  # The 64-bit check build (win64) releases its own setup.exe to test this
  # script, when LUMI_RELEASE_WIN64=1 says so; what ships is 32-bit.
  [ "$pe" = "80 69 0 0 76 1" ] || { [ "${LUMI_RELEASE_WIN64:-0}" = 1 ] && [ "$pe" = "80 69 0 0 100 134" ]; } ||
    { why="$1 is no 32-bit x86 Windows program (no PE header for the i386 machine)"; return 1; }
}

# codesign_cert P12 PASSFILE CHAIN: writes the PKCS#12 file's certificates
# to CHAIN; fails unless the one of its key may sign code.
codesign_cert() {
  openssl pkcs12 -in "$1" -passin "file:$2" -nokeys -out "$3" 2>&1 || return 1
  u=$(openssl pkcs12 -in "$1" -passin "file:$2" -nokeys -clcerts 2>&1 |
    openssl x509 -noout -subject -ext extendedKeyUsage,keyUsage 2>&1) || { say "$u"; return 1; }
  eku=$(say "$u" | sed -n '/Extended Key Usage/{n;s/^ *//p;}')
  ku=$(say "$u" | sed -n '/X509v3 Key Usage/{n;s/^ *//p;}')
  case ", $eku," in ", ," | *", Code Signing,"*) ;; *)
    say "the certificate ($(say "$u" | head -1)) is not for code signing: its extended key usage is $eku"
    return 1 ;;
  esac
  case ", $ku," in ", ," | *", Digital Signature,"*) ;; *)
    say "the certificate ($(say "$u" | head -1)) may not make signatures: its key usage is $ku"
    return 1 ;;
  esac
}

# sign: setup.exe signed into the stage's medium; verify: the signature
# checked against the file's own chain and the system's authorities, the
# certificate's purpose included (revocation lists are not fetched, so a
# machine without a network can sign).
sign() {
  if [ -n "$tsurl" ]; then set -- -ts "$tsurl"; fi
  osslsigncode sign -pkcs12 "$p12" -readpass "$passfile" -h sha256 -n "Lumiscroll Setup" "$@" \
    -in "$stage/setup.exe" -out "$stage/medium/setup.exe"
}
verify() {
  cat -- "$stage/chain.pem" /etc/ssl/certs/ca-certificates.crt >"$stage/ca.pem" 2>/dev/null
  osslsigncode verify -ignore-cdp -CAfile "$stage/ca.pem" -in "$stage/medium/setup.exe" >"$stage/verify.log" 2>&1 ||
    { say "the signed setup.exe does not verify:"; grep -i -e error -e fail -e unsupported "$stage/verify.log" | head -6
      return 1; }
}

# What a release made is listed in OUT/$record: each output file's SHA-256
# as sha256sum writes it. An output name in OUT is replaced only when it is
# what the record lists, byte for byte; anything else stays.
record=.lumiscroll-release
names_of() { grep -v '^#' "$1" | cut -c67-; }
ours() {  # ours OUT: fails, saying why, when OUT holds an output no release made
  r="$1/$record"
  for n in medium "$iso" "$zip" SHA256SUMS $record; do
    there "$1/$n" || continue
    { [ -f "$r" ] && [ ! -L "$r" ]; } || { say "$1/$n is there, and no $r lists what a release made"; return 1; }
    [ "$n" != $record ] || continue
    if [ "$n" = medium ]; then
      [ -d "$1/$n" ] && [ ! -L "$1/$n" ] || { say "$1/$n is not the folder a release made"; return 1; }
      for f in "$1/$n"/* "$1/$n"/.[!.]* "$1/$n"/..?*; do
        there "$f" || continue
        b=${f##*/}
        { [ -f "$f" ] && [ ! -L "$f" ] && case $b in *"$nl"*) false ;; esac && names_of "$r" | grep -Fqx -e "$n/$b"; } ||
          { say "$1/$n holds $b, which no release made"; return 1; }
      done
    else
      [ -f "$1/$n" ] && [ ! -L "$1/$n" ] && names_of "$r" | grep -Fqx -e "$n" ||
        { say "$1/$n was not made by a release ($r does not list it)"; return 1; }
    fi
  done
  [ ! -f "$r" ] || c=$(cd -- "$1" && grep -v '^#' $record | sha256sum -c --quiet --ignore-missing 2>/dev/null) || {
    say "in $1, what a release made has changed since, so it stays:$(say "$c" | sed -n 's/^\(.*\): FAILED.*$/ \1/p' | tr -d '\n')"
    return 1
  }
}

# swap OUT: the new outputs change places with the old ones, which go to the
# stage's old/ (and are removed with it); signals wait until all are placed.
# Any move that fails puts back what was moved.
swap() {
  mkdir -- "$stage/old" || return 1
  trap 'pending="130 INT"' INT
  trap 'pending="143 TERM"' TERM
  trap 'pending="129 HUP"' HUP
  pending="" swapped=""
  for n in medium "$iso" "$zip" SHA256SUMS $record; do
    if there "$1/$n"; then mv -T -- "$1/$n" "$stage/old/$n" || break; fi
    mv -T -- "$stage/$n" "$1/$n" || break
    swapped="$swapped $n"
  done
  [ "$swapped" = " medium $iso $zip SHA256SUMS $record" ] || put_back "$1"
  catch_signals
  [ -z "$swapped" ] || outputs="the new outputs are in place" made_out=""
  [ -z "$pending" ] || on_signal $pending
  [ -z "$keep_stage" ] && [ -n "$swapped" ]
}
put_back() {
  for n in medium "$iso" "$zip" SHA256SUMS $record; do
    there "$stage/$n" || mv -T -- "$1/$n" "$stage/$n" || keep_stage=1
    ! there "$stage/old/$n" || mv -T -- "$stage/old/$n" "$1/$n" || keep_stage=1
  done
  swapped=""
  [ -z "$keep_stage" ] || say "release: the outputs that were in $1 could not all be put back: see $stage/old" >&2
}
