#!/bin/sh
# The native console wizard from a sample medium, driven by scripts on
# standard input: a whole install with Change, the problem page, and what
# it answers to commands it cannot carry out.
#   console_test.sh LUMIROLL_SETUP MKMEDIUM WORKDIR
set -u
setup=$1; mkmedium=$2; work=$3
rm -rf "$work" && mkdir -p "$work/c/Apps"
"$mkmedium" "$work/media" >/dev/null || { echo "FAIL: mkmedium"; exit 1; }
cp "$setup" "$work/media/lumiroll-setup"
sh "$(dirname "$0")/../../tools/sample-machine.sh" "$work"
export LUMIROLL_DRIVE_C="$work/c" LUMIROLL_REGISTRY="$work/registry.reg"
status=0
fail() { echo "FAIL: $*"; status=1; }
run() {  # run NAME: the script on stdin, the output in $work/NAME.out
  (cd "$work/media" && ./lumiroll-setup) >"$work/$1.out" 2>&1
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
[ "$n" -eq 34 ] || fail "install: $n files installed, 34 expected (32 and the two lists)"
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

[ "$status" -eq 0 ] && echo "console wizard: install, problem page and commands as expected"
exit "$status"
