#!/bin/sh
# smoke: the signed setup.exe of the release (BUILD_DIR/tests/release_work/s,
# made by release.script) under another name: the welcome page comes up;
# Help opens the help viewer on the installing topic of the help file beside
# the program (its trace shows topic 1 of Lumiroll.hlp asked); Cancel ends
# the program.
# needs: release
. "$(dirname "$0")/common.sh"
e2e_begin "$@"
setup="$build/tests/release_work/s/medium/setup.exe"
[ -f "$setup" ] || fail "no signed setup.exe of the release (release.script makes it)"
e2e_ready sealed
mv "$medium/setup.exe" "$medium/lumisetup.exe"
e2e_start lumisetup.exe +winhelp

shot welcome
expect "Lumiscroll Wallpaper Wizard adds a slide show"
help welcome help
step press cancel
e2e_gone
e2e_pass
