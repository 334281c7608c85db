#!/bin/sh
# problem: the Active Desktop class removed from a copy of the prefix. Next
# on the read-me page shows the problem page (no page count in its caption),
# Next stays on it, Back returns to the read-me page, Cancel ends the program
# with nothing installed.
# needs:
. "$(dirname "$0")/common.sh"
e2e_begin "$@"
e2e_own_prefix
e2e_session
e2e_medium
class='HKEY_CLASSES_ROOT\CLSID\{75048700-EF1F-11D0-9888-006097DEACF9}'
wine reg delete "$class" /f >/dev/null 2>&1
wine reg query "$class" >/dev/null 2>&1 && fail "the Active Desktop class is still registered"
e2e_desktop
e2e_start

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
e2e_gone

[ -e "$WINEPREFIX/drive_c/Program Files/Lumiroll" ] && fail "something was installed"
[ -z "$(ls "$work/ddrive")" ] || fail "something was installed on D:"
e2e_pass
