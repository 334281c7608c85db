#!/bin/sh
# keyboard: the install by keys alone, as a person without a mouse makes it
# (X key events through xdotool; wizdriver only reads the pages). Enter goes
# on from the welcome page, Alt+B goes back, Alt+C opens the folder browser
# and Esc closes it with the folder kept, Enter installs on the finish page,
# Tab goes round its buttons to Close and Space presses it; then the tree
# installed in the default folder as the install run checks it. Each page
# change must leave the focus on a control: Enter, Tab and Space go there.
# needs: wow64
. "$(dirname "$0")/common.sh"
e2e_begin "$@"
# It installs into the default folder on the prefix's own drive C:.
e2e_own_prefix
e2e_ready
folder='C:\Program Files\Lumiroll'
e2e_start
# The keys go to the Wine desktop's X window, as to the screen's focus.
xwin=$(xdotool search --name ' - Wine desktop$' 2>/dev/null | head -1)
[ -n "$xwin" ] || fail "no Wine desktop window to type into"
xdotool windowfocus --sync "$xwin" || fail "the Wine desktop takes no focus"
# key KEY PAGE TEXT: KEY typed; the page then is PAGE (its caption's count)
# and shows TEXT, with the focus on a control it shows.
key() {
  xdotool key --clearmodifiers "$1" || fail "xdotool key $1"
  sleep 1
  expect "caption: Lumiscroll Installation ($2 of 4)"
  expect "$3"
  drive dump | grep -q '^focus: 0x[0-9a-f]* [^ ]*:' || { drive dump; fail "no control has the focus after $1"; }
}
expect "focus: 0x3024"
key Return 2 "Lumiscroll adds a slide show to your desktop wallpaper"
key alt+b 1 "button back 0x3023 off"
key Return 2 "button back 0x3023 on"
key Return 3 "control 1002 Edit: $folder"
xdotool key --clearmodifiers alt+c
drive window "Browse for Folder" 20 >/dev/null || fail "Alt+C opened no folder browser"
key Escape 3 "control 1002 Edit: $folder"
key Return 4 "You're ready to install..."
key Return 4 "Installation Successful!"
expect "button finish 0x3025 on: Close"
for k in Tab Tab Tab; do
  xdotool key "$k"
  sleep 1
  drive dump | grep -q '^focus: 0x3025 ' && break
done
expect "focus: 0x3025"
xdotool key space
e2e_gone
check_installed
e2e_pass
