#!/bin/sh
# cdrom: the release's CD image extracted by 7-Zip, made read-only and mapped
# as drive D: of type CD-ROM, whose device is the image itself as a read-only
# loop device, so that Wine reads the label and the file system from the
# image (GetDriveType and GetVolumeInformation read back: CD-ROM, the image's
# label, CDFS). setup.exe started from D:\ as autorun would, installing to E:
# (a scratch folder), checked against the disc's files as LZ32 expands them;
# the disc's folder is the same before and after, byte for byte. A loop
# device takes root: without one the run is skipped (exit 77).
# needs: release wow64 skip=77
. "$(dirname "$0")/common.sh"
e2e_begin "$@"
e2e_own_prefix
iso=$(ls "$build"/tests/release_work/a/Lumiscroll-*.iso 2>/dev/null | head -1)
[ -f "$iso" ] || fail "no CD image of the release (release.script makes it)"
7zz x -o"$medium" "$iso" >/dev/null || fail "7-Zip cannot extract $iso"
[ "$(ls "$medium")" = "$(ls "$build/tests/release_work/a/medium")" ] ||
  { ls "$medium"; fail "the image does not hold the release's medium"; }
label=$(file "$iso" | sed -n "s/.*CD-ROM filesystem data '\([^']*\)'.*/\1/p")
[ -n "$label" ] || fail "file reads no label in $iso"
chmod -R a-w "$medium"
before=$(cd "$medium" && stat -c "%Y %a" . && ls -lA --time-style=+%s && sha256sum ./*)
ln -s "$medium" "$WINEPREFIX/dosdevices/d:"
loop=$(losetup -f --show -r "$iso" 2>/dev/null) ||
  { echo "SKIP: no loop device for the CD image (it takes root, and loop devices)"; exit 77; }
trap 'losetup -d "$loop"' EXIT
ln -s "$loop" "$WINEPREFIX/dosdevices/d::"
ln -s "$work/ddrive" "$WINEPREFIX/dosdevices/e:"
pick=E: folder='E:\Lumiroll'
e2e_session
# The drive types are read as the session starts too: start it anew. In a
# 64-bit prefix Wine reads the key in the registry's 64-bit view.
view=""
[ "$WINEARCH" = win64 ] && view=/reg:64
wine reg add 'HKEY_LOCAL_MACHINE\Software\Wine\Drives' /v d: /d cdrom /f $view >/dev/null 2>&1 ||
  fail "drive D: as a CD-ROM"
wine_server_restart
e2e_desktop

out=$(drive volume 'D:\')
echo "drive D: $out"
printf '%s\n' "$out" | grep -q "(CD-ROM) label $label file system CDFS\$" || fail "D: is not the CD-ROM"
# As autorun starts it: from the root of the disc.
(WINEDEBUG=-all exec wine start /wait /d 'D:\' 'D:\setup.exe') >"$work/setup.log" 2>&1 &
e2e_welcome $!
install_walk
expect "Installation Successful!"
install_close
e2e_gone

check_installed 'D:' # as the disc's files expand (the release's product)
after=$(cd "$medium" && stat -c "%Y %a" . && ls -lA --time-style=+%s && sha256sum ./*)
[ "$before" = "$after" ] || fail "the disc's folder changed: $(printf '%s\n' "$after" | head -40)"
e2e_pass
