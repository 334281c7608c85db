#!/bin/sh
# The real setup.exe under Wine with Xvfb, driven from outside by wizdriver
# through the platform's own messages, with a screenshot of every page. The
# programs run in a Wine desktop of their own, which draws the captions and
# frames that no window manager draws under Xvfb: the screenshots show the
# wizard's window as a person sees it.
#   wizard-e2e.sh RUN BUILD_DIR SETUP_EXE MKMEDIUM_EXE WIZDRIVER_EXE
# RUN: smoke    the signed setup.exe of the release (BUILD_DIR/tests/
#               release_work/s) under another name: the welcome page comes
#               up; Help opens the help viewer on the installing topic of
#               the help file beside the program; Cancel ends the program
#      install  welcome, read-me, folder (Change to drive D:), finish, Help
#               there too, Close; then checks what landed on D:
#      launch   the same install, then the product started through the
#               desktop shortcut the setup made: its window lists the
#               categories the setup wrote, with their folders
#      cdrom    the release's CD image, extracted by 7-Zip and made
#               read-only, as drive D: of type CD-ROM backed by the image
#               as a loop device (its label and file system); setup.exe
#               started from D:\ as autorun would, installing to E:;
#               nothing is written beside the program (exit 77 without a
#               loop device)
#      cp932    the same install under a Japanese locale (code page 932),
#               into the folder U+8868 on D: (bytes 0x95 0x5C, the second a
#               backslash's), chosen in the folder browser
#      corrupt  the medium's Lumiroll.ex_ cut to 100 bytes: the install to
#               D: fails on the finish page naming that file, checked
#               against the program's catalog before anything is made
#      dpi120, dpi144  a copy of the prefix at that screen density: on each
#               page before the install, every control lies inside the page
#               and every text inside its control; a screenshot of each
#      win98, winxp, win10  the install run in a copy of the prefix that
#               tells programs they run on that version of Windows
#      problem  Active Desktop removed from a copy of the prefix: Next on the
#               read-me page shows the problem page, Back returns, Cancel
#               ends with nothing installed
# The sheet's buttons are found by control id: their texts are the
# platform's, in the locale's language.
set -u
run=$1; build=$2; setup=$3; mkmedium=$4; driver=$5
desktop=800x600 # the Wine desktop, as large as the screen
case "$run" in dpi*) desktop=1024x768 ;; esac

if [ -z "${LUMI_E2E_INNER:-}" ]; then
  command -v xvfb-run >/dev/null || { echo "FAIL: xvfb-run is not installed (xvfb)"; exit 1; }
  if [ "$run" = cp932 ]; then
    if ! locale -a | grep -qix 'ja_JP\.utf-\{0,1\}8'; then
      if [ "$(id -u)" -eq 0 ]; then
        localedef -i ja_JP -f UTF-8 ja_JP.UTF-8 || { echo "FAIL: localedef could not make ja_JP.UTF-8"; exit 1; }
      else
        echo "FAIL: the locale ja_JP.UTF-8 is missing: make it as root" \
          "(localedef -i ja_JP -f UTF-8 ja_JP.UTF-8, or sh scripts/install-deps.sh)"
        exit 1
      fi
    fi
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
  fi
  . "$(dirname "$0")/wine-env.sh"
  wine_env "$build"
  work="$build/e2e/$run"
  [ "$LUMI_WINE_SIDE" = wine ] || work="$build/e2e/$LUMI_WINE_SIDE-$run"
  [ -d "$work" ] && chmod -R u+w "$work" # a cdrom run's medium is read-only
  rm -rf "$work" && mkdir -p "$work/ddrive" "$work/home"
  export LUMI_E2E_INNER=1 LUMI_E2E_WORK="$work"
  exec xvfb-run -a -s "-screen 0 ${desktop}x24" sh "$0" "$@"
fi

work=$LUMI_E2E_WORK
. "$(dirname "$0")/wine-env.sh"
wine_env "$build" "$work/home"
shots="$build/screenshots"
[ "$LUMI_WINE_SIDE" = wine ] || shots="$build/screenshots-$LUMI_WINE_SIDE"
mkdir -p "$shots"
# A Wine server left from programs run without this display would give the
# wizard no window system: start from none (these tests run alone).
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
# The runs that change the prefix take a throwaway copy.
case "$run" in
problem | cdrom | dpi* | win*)
  cp -a "$WINEPREFIX" "$work/prefix"
  export WINEPREFIX="$work/prefix"
  ;;
esac
# The drives, made before the prefix's session starts: Wine takes its list
# of drives then. Where each install run chooses to install: a drive in the
# browser, and the folder the page then shows (the program adds Lumiroll).
# The drive is a scratch folder of this run.
pick=D:
folder='D:\Lumiroll'
medium="$work/media"
mkdir -p "$medium"
rm -f "$WINEPREFIX/dosdevices/d:" "$WINEPREFIX/dosdevices/d::" "$WINEPREFIX/dosdevices/e:"
if [ "$run" = cdrom ]; then
  iso=$(ls "$build"/tests/release_work/a/Lumiscroll-*.iso 2>/dev/null | head -1)
  [ -f "$iso" ] || { echo "FAIL: no CD image of the release (release.script makes it)"; exit 1; }
  7zz x -o"$medium" "$iso" >/dev/null || { echo "FAIL: 7-Zip cannot extract $iso"; exit 1; }
  [ "$(ls "$medium" | wc -l)" -eq 34 ] || { echo "FAIL: the image is incomplete"; ls "$medium"; exit 1; }
  label=$(file "$iso" | sed -n "s/.*CD-ROM filesystem data '\([^']*\)'.*/\1/p")
  [ -n "$label" ] || { echo "FAIL: file reads no label in $iso"; exit 1; }
  chmod -R a-w "$medium"
  before=$(cd "$medium" && stat -c "%Y %a" . && ls -lA --time-style=+%s && sha256sum ./*)
  ln -s "$medium" "$WINEPREFIX/dosdevices/d:"
  # The drive's device is the image, as a read-only loop device: Wine reads
  # a CD-ROM's label and file system from its device.
  loop=$(losetup -f --show -r "$iso" 2>/dev/null) ||
    { echo "SKIP: no loop device for the CD image (it takes root, and loop devices)"; exit 77; }
  trap 'losetup -d "$loop"' EXIT
  ln -s "$loop" "$WINEPREFIX/dosdevices/d::"
  ln -s "$work/ddrive" "$WINEPREFIX/dosdevices/e:"
  pick=E:
  folder='E:\Lumiroll'
else
  ln -s "$work/ddrive" "$WINEPREFIX/dosdevices/d:"
fi
# Under qemu every program starts and runs some ten times slower: so do the
# waits for windows.
slow=1
wine_emulated && slow=10
# One server for the whole run: each new one starts the prefix's session
# anew (services, devices, the desktop), which takes minutes under qemu.
wineserver -p 2>/dev/null
case "$run" in
win*)
  # A 64-bit program knows XP only as its 64-bit edition, and 98 not at all.
  version=$run
  [ "${WINEARCH:-}:$run" = win64:winxp ] && version=winxp64
  wine winecfg -v "$version" >/dev/null 2>&1 || { echo "FAIL: the prefix as $version"; exit 1; }
  ;;
dpi*)
  for key in 'HKEY_CURRENT_USER\Control Panel\Desktop' \
    'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "${run#dpi}" /f >/dev/null 2>&1 ||
      { echo "FAIL: the prefix at ${run#dpi} DPI"; exit 1; }
  done
  ;;
esac
if [ "$run" = cdrom ]; then
  # The drive types are read as the session starts too: start it anew.
  # In a 64-bit prefix Wine reads the key in the registry's 64-bit view.
  view=""
  [ "$WINEARCH" = win64 ] && view=/reg:64
  wine reg add 'HKEY_LOCAL_MACHINE\Software\Wine\Drives' /v d: /d cdrom /f $view >/dev/null 2>&1 ||
    { echo "FAIL: drive D: as a CD-ROM"; exit 1; }
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  wineserver -p 2>/dev/null
else
  if [ "$run" = smoke ]; then
    setup="$build/tests/release_work/s/medium/setup.exe"
    [ -f "$setup" ] || { echo "FAIL: no signed setup.exe of the release (release.script makes it)"; exit 1; }
  fi
  wmedium=$(winepath -w "$medium")
  wine "$mkmedium" "$wmedium" >/dev/null 2>&1 || { echo "FAIL: mkmedium"; exit 1; }
  cp "$setup" "$medium/setup.exe"
  # The program on the medium carries the medium's catalog (the release's
  # is sealed already): it checks every file before it writes one.
  if [ "$run" != smoke ]; then
    wine "$mkmedium" --seal "$wmedium" "$wmedium\\setup.exe" >"$work/seal.log" 2>&1 ||
      { cat "$work/seal.log"; echo "FAIL: mkmedium --seal"; exit 1; }
  fi
  [ "$(ls "$medium" | wc -l)" -eq 33 ] || { echo "FAIL: the medium is incomplete"; ls "$medium"; exit 1; }
fi
if [ "$run" = problem ]; then
  # Without the Active Desktop class.
  wine reg delete 'HKEY_CLASSES_ROOT\CLSID\{75048700-EF1F-11D0-9888-006097DEACF9}' /f >/dev/null 2>&1
  if wine reg query 'HKEY_CLASSES_ROOT\CLSID\{75048700-EF1F-11D0-9888-006097DEACF9}' >/dev/null 2>&1; then
    echo "FAIL: the Active Desktop class is still registered"; exit 1
  fi
fi
# The wizard, the help viewer it starts, the product and the driver share one
# desktop. Under qemu the desktop's process falls over now and then, taking
# its window, and every program in it, along: there each program has a
# window of its own on the screen (the screenshots show no frame).
desktop_of=Lumiscroll
[ "$slow" -eq 1 ] || desktop_of=-
{
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"Lumiscroll"="%s"\n' "$desktop"
  for exe in setup.exe lumisetup.exe start.exe winhlp32.exe Lumiroll.exe "$(basename "$driver")"; do
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s\\Explorer]\n' "$exe"
    if [ "$desktop_of" = - ]; then echo '"Desktop"=-'; else echo '"Desktop"="Lumiscroll"'; fi
  done
} >"$work/desktop.reg"
wine regedit /S "$(winepath -w "$work/desktop.reg")" || { echo "FAIL: the desktop settings"; exit 1; }
# The desktop draws the caption buttons' glyphs in Marlett, which this Wine
# takes from the prefix's Fonts folder only (fonts-wine has it).
marlett=/usr/share/wine/fonts/marlett.ttf
[ -f "$marlett" ] && cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
if [ "$run" = corrupt ]; then
  head -c 100 "$medium/Lumiroll.ex_" >"$work/cut" && mv "$work/cut" "$medium/Lumiroll.ex_"
fi
decode=cat
if [ "$run" = cp932 ]; then
  hyo=$(printf '\350\241\250') # U+8868 in UTF-8, the Unix name of the folder
  mkdir "$work/ddrive/$hyo"
  pick=$hyo
  folder=$(printf 'D:\\%s\\Lumiroll' "$hyo")
  # The driver prints in the program's code page.
  decode="iconv -f CP932 -t UTF-8"
fi

fail() {
  echo "FAIL: $*"
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  wineserver -k 2>/dev/null
  exit 1
}
# Runs a driver command: its output as text, its exit status.
drive() {
  wine "$driver" "$@" >"$work/drive.out" 2>&1
  s=$?
  tr -d '\r' <"$work/drive.out" | $decode
  return $s
}
# Runs a driver command that must succeed; its output goes to the log.
step() {
  out=$(drive "$@") || { printf '%s\n' "$out"; fail "wizdriver $*"; }
  printf '%s\n' "$out" >>"$work/driver.log"
}
# The page as the driver sees it must hold the given text.
expect() {
  view=$(drive dump)
  printf '%s\n' "$view" >"$work/last-dump.txt"
  printf '%s\n' "$view" | grep -qF -- "$1" || { printf '%s\n' "$view"; fail "the page does not show: $1"; }
}
# shot NAME [screen]: the wizard's window with its frame, or the whole screen.
shot() {
  sleep 1
  id=""
  if [ "${2:-}" != screen ]; then
    step activate
    id=$(xdotool search --name "^Lumiscroll Installation" 2>/dev/null | head -1)
  fi
  if [ -n "$id" ]; then import -window "$id" "$shots/$1.png"; else import -window root "$shots/$1.png"; fi
  [ -s "$shots/$1.png" ] || fail "no screenshot $1"
  echo "screenshot: $shots/$1.png"
}
# shot_of NAME TITLE: the window of another program whose caption begins
# with TITLE.
shot_of() {
  sleep 2
  id=$(xdotool search --name "^$2" 2>/dev/null | head -1)
  [ -n "$id" ] || fail "no window '$2' to take a screenshot of"
  import -window "$id" "$shots/$1.png"
  [ -s "$shots/$1.png" ] || fail "no screenshot $1"
  echo "screenshot: $shots/$1.png"
}
# help PAGE [SHOT]: Help asks the viewer for topic 1 of the help file beside
# the program (its trace shows what it was asked), and the viewer opens on
# the installing topic; it is closed again.
# Wine's viewer captions its window with its own name ("Wine Help", in the
# locale's language), not the file's title.
viewer_title="Wine "
help() {
  step press help
  # The trace reaches the log as the program writes it: give it a moment.
  for try in 1 2 3 4 5 6 7 8 9 10; do
    grep -q 'cmd=1 data=' "$work/setup.log" && break
    sleep 1
  done
  grep -q 'cmd=1 data=00000001 fn=".*\\media\\\\Lumiroll.hlp"' "$work/setup.log" ||
    { grep winhelp "$work/setup.log"; fail "the $1 page did not ask topic 1 of the help file beside the program"; }
  grep 'cmd=1 data=' "$work/setup.log" | head -1
  viewer=$(drive window "$viewer_title" $((120 * slow))) || { printf '%s\n' "$viewer"; fail "no help viewer on the $1 page"; }
  printf '%s\n' "$viewer"
  [ -z "${2:-}" ] || shot_of "$2" "$viewer_title"
  printf '%s\n' "$viewer" | grep -q "Installing Lumiscroll" || fail "the help viewer is not on the installing topic"
  step close "$viewer_title"
}

# The install and launch runs keep a screenshot of every page.
pages=false
case "$run" in install | launch) pages=true ;; esac
# The smoke run starts the program under another name. The runs that press
# Help trace what the help viewer is asked for.
program=setup.exe
trace=+winhelp
case "$run" in
smoke)
  program=lumisetup.exe
  mv "$medium/setup.exe" "$medium/$program"
  ;;
corrupt | problem | launch | cdrom | dpi* | win*) trace=-all ;;
esac
case "$run" in
win*)
  out=$(drive windows-version)
  echo "Windows version: $out"
  case "$version:$out" in win98:"4.10 (Windows 9x)" | winxp:5.1 | winxp64:5.2 | win10:10.0) ;; *) fail "the prefix is not $version" ;; esac
  ;;
esac
if [ "$run" = cdrom ]; then
  out=$(drive volume 'D:\')
  echo "drive D: $out"
  printf '%s\n' "$out" | grep -q "(CD-ROM) label $label file system CDFS\$" || fail "D: is not the CD-ROM"
  # As autorun starts it: from the root of the disc.
  (WINEDEBUG=-all exec wine start /wait /d 'D:\' 'D:\setup.exe') >"$work/setup.log" 2>&1 &
else
  (cd "$medium" && WINEDEBUG=$trace exec wine "$program") >"$work/setup.log" 2>&1 &
fi
pid=$!
step wait-sheet $((60 * slow))
expect "caption: Lumiscroll Installation (1 of 4)"
expect "button back 0x3023 off"

case "$run" in
smoke)
  shot welcome
  expect "Lumiscroll Wallpaper Wizard adds a slide show"
  help welcome help
  step press cancel
  ;;
install | corrupt | cp932 | launch | cdrom | win*)
  $pages && shot welcome
  step press next
  expect "caption: Lumiscroll Installation (2 of 4)"
  expect "Lumiscroll adds a slide show to your desktop wallpaper"
  $pages && shot readme
  step press next
  expect "caption: Lumiscroll Installation (3 of 4)"
  expect "control 1002 Edit: C:\\Program Files\\Lumiroll"
  $pages && shot folder
  step click 1003
  $pages && shot browser screen
  step browse "$pick"
  expect "control 1002 Edit: $folder"
  $pages && shot folder-changed
  step press next
  expect "caption: Lumiscroll Installation (4 of 4)"
  expect "You're ready to install..."
  expect "button finish 0x3025 on"
  $pages && shot finish-before
  step press finish
  if [ "$run" = corrupt ]; then
    expect "Oops! There is a problem..."
    expect "File is corrupt: $(winepath -w "$medium" | tr -d '\r')\\Lumiroll.ex_"
    shot finish-corrupt
  else
    expect "Installation Successful!"
    $pages && shot finish-after
    case "$run" in install | cp932) help finish ;; esac
  fi
  expect "button finish 0x3025 on: Close"
  expect "button cancel 0x0002 off"
  step press finish
  ;;
dpi*)
  for page in welcome readme folder finish; do
    out=$(drive layout) || { printf '%s\n' "$out"; fail "the $page page at ${run#dpi} DPI"; }
    printf '%s\n' "$out" >>"$work/driver.log"
    echo "$page: $(printf '%s\n' "$out" | tail -1)"
    shot "$run-$page"
    [ "$page" = finish ] || step press next
  done
  step press cancel
  ;;
problem)
  step press next
  shot readme-problem
  step press next
  expect "caption: Lumiscroll Installation"
  expect "Is Explorer 4.0 Installed?"
  expect "button next 0x3024 on"
  drive dump | grep -q "(1 of 4)\|(2 of 4)\|(3 of 4)\|(4 of 4)" && fail "the problem page carries a count"
  shot problem
  step press next
  expect "Is Explorer 4.0 Installed?"
  step press back
  expect "caption: Lumiscroll Installation (2 of 4)"
  step press cancel
  ;;
esac

step wait-gone $((30 * slow))
wait "$pid" 2>/dev/null
echo "setup.exe ended"

case "$run" in
install | cp932 | launch | cdrom | win*)
  # From the disc: installed as the disc's files expand (its product is the
  # release's, which a 64-bit check build's own is not).
  if [ "$run" = cdrom ]; then out=$(drive check "$folder" 'D:'); else out=$(drive check "$folder"); fi
  printf "%s\n" "$out"
  printf '%s\n' "$out" | grep -q "^FAIL" && fail "the installed tree"
  printf '%s\n' "$out" | grep -q "installed: 32 of 32" || fail "the installed tree"
  if [ "$run" = cp932 ]; then
    # Seen from Unix: all of it in the one folder, under its Unicode name.
    [ "$(ls "$work/ddrive")" = "$hyo" ] && [ "$(ls "$work/ddrive/$hyo")" = Lumiroll ] ||
      { ls -R "$work/ddrive" | head; fail "the install left D: other than $folder alone"; }
  fi
  ;;
esac
case "$run" in
launch)
  # The product from its desktop shortcut: the categories the setup wrote,
  # each with its folder and its pictures; the Windows folder's last.
  step launch
  product=$(drive window "Lumiscroll - picture categories" $((300 * slow))) ||
    { printf '%s\n' "$product"; fail "the product's window did not come"; }
  printf '%s\n' "$product"
  windows=$(drive windows-folder)
  for want in "Sunsets - D:\Lumiroll\Sunsets (3 pictures)" "Nature - D:\Lumiroll\Nature (5 pictures)" \
    "Waterfalls - D:\Lumiroll\WFalls (3 pictures)" "Light Patterns - D:\Lumiroll\Bkgnds1 (8 pictures)" \
    "Dark Patterns - D:\Lumiroll\Bkgnds2 (7 pictures)" "Windows Standard - $windows ("; do
    printf '%s\n' "$product" | grep -qF "item: $want" || fail "the product does not list: $want"
  done
  shot_of product "Lumiscroll - picture categories"
  step close "Lumiscroll - picture categories"
  ;;
cdrom)
  after=$(cd "$medium" && stat -c "%Y %a" . && ls -lA --time-style=+%s && sha256sum ./*)
  [ "$before" = "$after" ] || fail "the disc's folder changed: $(printf '%s\n' "$after" | head -40)"
  ;;
corrupt)
  # Refused by the catalog before anything was made.
  [ -z "$(ls "$work/ddrive")" ] || { ls -R "$work/ddrive" | head; fail "the refused install made something on D:"; }
  ;;
problem)
  [ -e "$WINEPREFIX/drive_c/Program Files/Lumiroll" ] && fail "something was installed"
  [ -z "$(ls "$work/ddrive")" ] || fail "something was installed on D:"
  ;;
esac
wineserver -k 2>/dev/null
rm -rf "$work/prefix"
echo "wizard $run: passed"
