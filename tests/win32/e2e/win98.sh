#!/bin/sh
# win98: the install run, without Help, in a copy of the prefix that tells
# programs they run on Windows 98 (read back with RtlGetVersion). A 64-bit
# program cannot run there: left out of a 64-bit build.
# needs: build32
. "$(dirname "$0")/common.sh"
e2e_begin "$@"
e2e_own_prefix
e2e_session
# A 64-bit program knows XP only as its 64-bit edition.
version=$run
[ "${WINEARCH:-}:$run" = win64:winxp ] && version=winxp64
wine winecfg -v "$version" >/dev/null 2>&1 || fail "the prefix as $version"
e2e_medium
e2e_desktop
out=$(drive windows-version)
echo "Windows version: $out"
case "$version:$out" in win98:"4.10 (Windows 9x)" | winxp:5.1 | winxp64:5.2 | win10:10.0) ;; *) fail "the prefix is not $version" ;; esac
e2e_start

install_walk
expect "Installation Successful!"
install_close
e2e_gone
check_installed
e2e_pass
