# Sourced by common.sh: what the runs do with the wizard through wizdriver,
# and the install walk most of them take.

fail() {
  echo "FAIL: $*"
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  wine_server_stop
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
# the program (its trace, WINEDEBUG=+winhelp, shows what it was asked), and
# the viewer opens on the installing topic; it is closed again. Wine's viewer
# captions its window with its own name ("Wine Help", in the locale's
# language), not the file's title.
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
  viewer=$(drive window "$viewer_title" 120) || { printf '%s\n' "$viewer"; fail "no help viewer on the $1 page"; }
  printf '%s\n' "$viewer"
  [ -z "${2:-}" ] || shot_of "$2" "$viewer_title"
  printf '%s\n' "$viewer" | grep -q "Installing Lumiscroll" || fail "the help viewer is not on the installing topic"
  step close "$viewer_title"
}

# The install walk from the welcome page to the finish page's first press:
# Next, Next, Change and the browser's item holding $pick, whereupon the
# folder page shows $folder, Next, Finish. With pages=true (the install and
# launch runs) a screenshot of every page.
pages=false
install_walk() {
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
}
# The finish page after the install, whose Close ends the wizard.
install_close() {
  expect "button finish 0x3025 on: Close"
  expect "button cancel 0x0002 off"
  step press finish
}
# check_installed [MEDIUM]: the installed tree in $folder, every manifest
# file whole (as MEDIUM's expand, when given), both category lists, both links.
check_installed() {
  out=$(drive check "$folder" "$@")
  printf "%s\n" "$out"
  printf '%s\n' "$out" | grep -q "^FAIL" && fail "the installed tree"
  printf '%s\n' "$out" | grep -q "installed: \([0-9][0-9]*\) of \1 files" || fail "the installed tree"
}
