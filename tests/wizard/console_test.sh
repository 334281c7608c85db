#!/bin/sh
# The native console wizard from a sample medium, driven by scripts on
# standard input: a whole install with Change, the problem page, what it
# answers to commands it cannot carry out, its exit statuses and the
# settings and input it refuses.
#   console_test.sh LUMIROLL_SETUP MKMEDIUM WORKDIR
set -u
setup=$1; mkmedium=$2; work=$3
rm -rf "$work" && mkdir -p "$work/c/Apps"
"$mkmedium" "$work/media" >/dev/null || { echo "FAIL: mkmedium"; exit 1; }
# The number of manifest files, as the medium's check counts them.
. "$(dirname "$0")/../../scripts/lib/sample.sh"
files=$(medium_count "$("$mkmedium" --check "$work/media")")
[ -n "$files" ] || { echo "FAIL: the sample medium fails its check"; exit 1; }
cp "$setup" "$work/media/lumiroll-setup"
sample_machine "$work" || exit 1
status=0
fail() { echo "FAIL: $*"; status=1; }
run() {  # run NAME: the script on stdin, the output in $work/NAME.out
  console_setup "$work/media" >"$work/$1.out" 2>&1
  echo "$?" >"$work/$1.rc"
}
shows() { grep -qF -- "$2" "$work/$1.out" || fail "$1: the output does not show: $2"; }

printf 'wait 4\nnext\nnext\nchange\nC:\\NoSuchFolder\nC:\\Apps\nnext\nfinish\nclose\n' | run install
[ "$(cat "$work/install.rc")" = 0 ] || fail "install: exit status $(cat "$work/install.rc")"
for text in "== Lumiscroll Installation (1 of 4) ==" "[picture: bitmap 105" "== Lumiscroll Installation (3 of 4) ==" \
            "Where do you want Lumiscroll installed?" "Not a folder: C:\\NoSuchFolder" "| C:\\Apps\\Lumiroll" \
            "Installation Successful!" "[picture: bitmap 112" "[close]" "[cancel (off)]"; do
  shows install "$text"
done
n=$(find "$work/c/Apps/Lumiroll" -type f | wc -l)
[ "$n" -eq $((files + 2)) ] || fail "install: $n files installed, $((files + 2)) expected ($files and the two lists)"
for f in Desktop Programs; do
  [ -s "$work/c/Users/Me/$f/Lumiscroll Wallpaper Wizard.lnk" ] || fail "install: no link in $f"
done

printf 'next\nnext\nnext\nback\n' | LUMIROLL_ACTIVE_DESKTOP=0 run problem
shows problem "Is Explorer 4.0 Installed?"
shows problem "== Lumiscroll Installation =="
shows problem "(end of input: cancel)"
[ -e "$work/c/Program Files" ] && fail "problem: something was installed"

printf 'back\nfinish\nfrobnicate\nhelp\ncancel\nnext\n' | run commands
shows commands "'back' is not available on this page."
shows commands "'finish' is not available on this page."
shows commands "Unknown command: frobnicate"
shows commands "Help: topic 1 of "
shows commands "media\\Lumiroll.hlp"
[ "$(grep -c '^== ' "$work/commands.out")" -eq 1 ] || fail "commands: the wizard went on after Cancel"

# Exit statuses and refusals, one run a row: NAME|STATUS|SCRIPT|TEXT, the
# script as printf takes it, the text the output must show. Some rows set
# up their case first and put it back after.
setup_case() {
  case "$1" in
  failed) cp "$work/media/Lumiroll.ex_" "$work/ex.keep" && head -c 100 "$work/ex.keep" >"$work/media/Lumiroll.ex_" ;;
  escape) cp "$work/media/Readme.txt" "$work/readme.keep" && printf 'Read \033[2Jme\007 \302\2332J \2332J caf\303\251 \342\202\254\r\n' >"$work/media/Readme.txt" ;;
  fifo) rm -f "$work/fifo.reg" && mkfifo "$work/fifo.reg" ;;
  esac
}
restore_case() {
  if [ -f "$work/ex.keep" ]; then mv "$work/ex.keep" "$work/media/Lumiroll.ex_"; fi
  if [ -f "$work/readme.keep" ]; then mv "$work/readme.keep" "$work/media/Readme.txt"; fi
  rm -rf "$work/c/Program Files"
}
while IFS='|' read -r name want script text; do
  setup_case "$name"
  case "$name" in
  codepage) printf "$script" | LUMIROLL_CODEPAGE=abc run "$name" ;;
  desktop) printf "$script" | LUMIROLL_ACTIVE_DESKTOP=yes run "$name" ;;
  fifo) printf "$script" | LUMIROLL_REGISTRY="$work/fifo.reg" run "$name" ;;
  long) { head -c 100000 /dev/zero | tr '\0' x; printf "$script"; } | run "$name" ;;
  full)
    printf "$script" | (cd "$work/media" && ./lumiroll-setup) >/dev/full 2>"$work/$name.out"
    echo "$?" >"$work/$name.rc"
    ;;
  *) printf "$script" | run "$name" ;;
  esac
  restore_case
  [ "$(cat "$work/$name.rc")" = "$want" ] || fail "$name: exit status $(cat "$work/$name.rc"), $want expected"
  [ -z "$text" ] || shows "$name" "$text"
done <<'TABLE'
failed|1|next\nnext\nnext\nfinish\nclose\n|File is corrupt:
cancelled|2|cancel\n|
ended|2|next\n|(end of input: cancel)
full|4|next\nnext\n|
codepage|3||LUMIROLL_CODEPAGE: unknown code page "abc" (1252, 932, 936, 949 or 950)
desktop|3||LUMIROLL_ACTIVE_DESKTOP: "yes" is neither 1 nor 0
fifo|3||fifo.reg is not a regular file
waitnan|2|wait nan\nwait inf\nwait 1x\n|wait takes a number of seconds from 0 to 86400: nan
waitbig|2|wait 100000\n|wait takes a number of seconds from 0 to 86400: 100000
extra|2|next extra\nshow me\n|'next' takes no argument.
relative|2|next\nnext\nchange\nC:Apps\n\ncancel\n|Not a full folder path (such as C:\Apps): C:Apps
escape|2|next\nshow\n|Read ^[[2Jme^G M-^[2J M-^[2J caf
long|2|\ncancel\n|A line of more than 4096 characters is ignored.
TABLE
if LC_ALL=C grep -q "$(printf '[\033\233]')" "$work/escape.out"; then fail "escape: a raw escape character reached the output"; fi
shows escape "$(printf 'caf\303\251 \342\202\254')"  # UTF-8 text whose bytes are no controls goes whole
if grep -qF "| C:Apps" "$work/relative.out"; then fail "relative: the drive-relative C:Apps was taken"; fi

# A signal in the middle of an expansion: the half-written temporary file
# goes with the program. The program file declares 2 GB and holds 150 MB of
# zeros (sparse here), so its expansion takes a while and fails in the end.
cp "$work/media/Lumiroll.ex_" "$work/ex.keep"
printf 'SZDD\210\360\047\063A\145\377\377\377\177' >"$work/media/Lumiroll.ex_"
truncate -s 150000000 "$work/media/Lumiroll.ex_"
temp="$work/c/Program Files/Lumiroll/~Lumi.tmp"
printf 'next\nnext\nnext\nfinish\n' | (cd "$work/media" && exec ./lumiroll-setup) >/dev/null 2>&1 &
pid=$!
tries=0
while [ ! -e "$temp" ] && [ "$tries" -lt 1000 ]; do sleep 0.01; tries=$((tries + 1)); done
[ -e "$temp" ] || fail "signal: the expansion never began"
kill -TERM "$pid"
wait "$pid"
killed=$?
[ "$killed" -eq 143 ] || fail "signal: exit status $killed, not the signal's 143 (the run ended before it?)"
[ -e "$temp" ] && fail "signal: the temporary file stayed"
mv "$work/ex.keep" "$work/media/Lumiroll.ex_"
rm -rf "$work/c/Program Files"

[ "$status" -eq 0 ] && echo "console wizard: install, problem page and commands as expected"
exit "$status"
