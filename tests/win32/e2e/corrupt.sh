#!/bin/sh
# corrupt: the medium's Lumiroll.ex_ cut to 100 bytes. The install to D:
# fails on the finish page with "File is corrupt: " and that file's path,
# found by the program's catalog before anything is made: D: stays empty.
# needs:
. "$(dirname "$0")/common.sh"
e2e_begin "$@"
e2e_ready
head -c 100 "$medium/Lumiroll.ex_" >"$work/cut" && mv "$work/cut" "$medium/Lumiroll.ex_"
e2e_start

install_walk
expect "Oops! There is a problem..."
expect "File is corrupt: $(wine_path "$medium")\\Lumiroll.ex_"
shot finish-corrupt
install_close
e2e_gone

[ -z "$(ls "$work/ddrive")" ] || { ls -R "$work/ddrive" | head; fail "the refused install made something on D:"; }
e2e_pass
