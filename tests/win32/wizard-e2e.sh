#!/bin/sh
# The real setup.exe under Wine with Xvfb, driven from outside by wizdriver
# through the platform's own messages, with a screenshot of every page.
#   wizard-e2e.sh RUN BUILD_DIR SETUP_EXE MKMEDIUM_EXE WIZDRIVER_EXE
# RUN: smoke    the welcome page comes up; Help asks for topic 1 of the help
#               file beside the program; Cancel ends the program
#      install  welcome, read-me, folder (Change to drive D:), finish, Close;
#               then checks what landed on D:
#      corrupt  the medium's Lumiroll.ex_ cut to 100 bytes: the install to
#               D: fails on the finish page naming that file, and leaves
#               no Lumiroll.exe
#      problem  Active Desktop removed from a copy of the prefix: Next on the
#               read-me page shows the problem page, Back returns, Cancel
#               ends with nothing installed
set -u
run=$1; build=$2; setup=$3; mkmedium=$4; driver=$5

if [ -z "${LUMI_E2E_INNER:-}" ]; then
  command -v xvfb-run >/dev/null || { echo "FAIL: xvfb-run is not installed (xvfb)"; exit 1; }
  work="$build/e2e/$run"
  rm -rf "$work" && mkdir -p "$work/shots" "$work/ddrive" "$work/home"
  export LUMI_E2E_INNER=1 LUMI_E2E_WORK="$work"
  exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$@"
fi

work=$LUMI_E2E_WORK
shots="$build/screenshots"
mkdir -p "$shots"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export HOME="$work/home"
export WINEPREFIX="$build/wineprefix"
# A Wine server left from programs run without this display would give the
# wizard no window system: start from none (these tests run alone).
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
if [ "$run" = problem ]; then
  # A throwaway copy of the test prefix without the Active Desktop class.
  cp -a "$build/wineprefix" "$work/prefix"
  export WINEPREFIX="$work/prefix"
  wine reg delete 'HKEY_CLASSES_ROOT\CLSID\{75048700-EF1F-11D0-9888-006097DEACF9}' /f >/dev/null 2>&1
  if wine reg query 'HKEY_CLASSES_ROOT\CLSID\{75048700-EF1F-11D0-9888-006097DEACF9}' >/dev/null 2>&1; then
    echo "FAIL: the Active Desktop class is still registered"; exit 1
  fi
fi
# Drive D: is a scratch folder of this run.
rm -f "$WINEPREFIX/dosdevices/d:"
ln -s "$work/ddrive" "$WINEPREFIX/dosdevices/d:"

medium="$work/media"
mkdir -p "$medium"
wine "$mkmedium" "$(winepath -w "$medium")" >/dev/null 2>&1 || { echo "FAIL: mkmedium"; exit 1; }
cp "$setup" "$medium/setup.exe"
[ "$(ls "$medium" | wc -l)" -eq 33 ] || { echo "FAIL: the medium is incomplete"; ls "$medium"; exit 1; }
if [ "$run" = corrupt ]; then
  head -c 100 "$medium/Lumiroll.ex_" >"$work/cut" && mv "$work/cut" "$medium/Lumiroll.ex_"
fi

fail() {
  echo "FAIL: $*"
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  wineserver -k 2>/dev/null
  exit 1
}
drive() { wine "$driver" "$@" 2>&1 | tr -d '\r'; }
# Runs a driver command that must succeed; its output goes to the log.
step() {
  out=$(wine "$driver" "$@" 2>&1 | tr -d '\r'; echo "rc=$?")
  printf '%s\n' "$out" | sed '$d' >>"$work/driver.log"
  case "$out" in *"rc=0") ;; *) printf '%s\n' "$out"; fail "wizdriver $*";; esac
}
# The page as the driver sees it must hold the given text.
expect() {
  view=$(drive dump)
  printf '%s\n' "$view" >"$work/last-dump.txt"
  printf '%s\n' "$view" | grep -qF -- "$1" || { printf '%s\n' "$view"; fail "the page does not show: $1"; }
}
# shot NAME [screen]: the wizard's window, or the whole screen.
shot() {
  sleep 1
  id=""
  [ "${2:-}" = screen ] || id=$(xdotool search --name "Lumiscroll Installation" 2>/dev/null | head -1)
  if [ -n "$id" ]; then import -window "$id" "$shots/$1.png"; else import -window root "$shots/$1.png"; fi
  [ -s "$shots/$1.png" ] || fail "no screenshot $1"
  echo "screenshot: $shots/$1.png"
}

# The smoke run starts the program under another name and traces what the
# help viewer is asked for.
program=setup.exe
trace=-all
if [ "$run" = smoke ]; then
  program=lumisetup.exe
  mv "$medium/setup.exe" "$medium/$program"
  trace=+winhelp
fi
(cd "$medium" && WINEDEBUG=$trace exec wine "$program") >"$work/setup.log" 2>&1 &
pid=$!
step wait-sheet 60
expect "caption: Lumiscroll Installation (1 of 4)"
expect "button back: < &Back (off)"

case "$run" in
smoke)
  shot welcome
  expect "Lumiscroll Wallpaper Wizard adds a slide show"
  drive press help >/dev/null
  # The help file on the medium is no real help file: the viewer says so in
  # a box of its own, which is dismissed; its trace shows what it was asked.
  box=$(drive dismiss 30)
  printf '%s\n' "$box"
  printf '%s\n' "$box" | grep -qi 'media.Lumiroll.hlp' || fail "no help box for the medium's Lumiroll.hlp"
  grep -q 'cmd=1 data=00000001 fn=".*\\media\\\\Lumiroll.hlp"' "$work/setup.log" ||
    { grep winhelp "$work/setup.log"; fail "topic 1 of the help file beside the program was not asked"; }
  grep 'cmd=1 data=' "$work/setup.log" | head -1
  step press cancel
  ;;
install | corrupt)
  [ "$run" = install ] && shot welcome
  step press next
  expect "caption: Lumiscroll Installation (2 of 4)"
  expect "Lumiscroll adds a slide show to your desktop wallpaper"
  [ "$run" = install ] && shot readme
  step press next
  expect "caption: Lumiscroll Installation (3 of 4)"
  expect "control 1002 Edit: C:\\Program Files\\Lumiroll"
  [ "$run" = install ] && shot folder
  step click 1003
  [ "$run" = install ] && shot browser screen
  step browse "D:"
  expect "control 1002 Edit: D:\\Lumiroll"
  [ "$run" = install ] && shot folder-changed
  step press next
  expect "caption: Lumiscroll Installation (4 of 4)"
  expect "You're ready to install..."
  expect "button finish: "
  [ "$run" = install ] && shot finish-before
  step press finish
  if [ "$run" = install ]; then
    expect "Installation Successful!"
    shot finish-after
  else
    expect "Oops! There is a problem..."
    expect "File is corrupt: $(winepath -w "$medium" | tr -d '\r')\\Lumiroll.ex_"
    shot finish-corrupt
  fi
  expect "button finish: Close"
  expect "button cancel: Cancel (off)"
  step press finish
  ;;
problem)
  step press next
  shot readme-problem
  step press next
  expect "caption: Lumiscroll Installation"
  expect "Is Explorer 4.0 Installed?"
  expect "button next: &Next >"
  drive dump | grep -q "(1 of 4)\|(2 of 4)\|(3 of 4)\|(4 of 4)" && fail "the problem page carries a count"
  shot problem
  step press next
  expect "Is Explorer 4.0 Installed?"
  step press back
  expect "caption: Lumiscroll Installation (2 of 4)"
  step press cancel
  ;;
esac

step wait-gone 30
wait "$pid" 2>/dev/null
echo "setup.exe ended"

case "$run" in
install)
  out=$(drive check 'D:\Lumiroll')
  printf "%s\n" "$out"
  printf '%s\n' "$out" | grep -q "^FAIL" && fail "the installed tree"
  printf '%s\n' "$out" | grep -q "installed: 32 of 32" || fail "the installed tree"
  ;;
corrupt)
  [ -e "$work/ddrive/Lumiroll/Lumiroll.exe" ] && fail "the corrupt program file was installed"
  [ -e "$work/ddrive/Lumiroll/~Lumi.tmp" ] && fail "a temporary file was left"
  ;;
problem)
  [ -e "$WINEPREFIX/drive_c/Program Files/Lumiroll" ] && fail "something was installed"
  [ -z "$(ls "$work/ddrive")" ] || fail "something was installed on D:"
  rm -rf "$work/prefix"
  ;;
esac
wineserver -w 2>/dev/null
echo "wizard $run: passed"
