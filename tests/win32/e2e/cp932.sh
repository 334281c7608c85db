#!/bin/sh
# cp932: the install under ja_JP.UTF-8 (code page 932) into the folder U+8868
# on D: (bytes 0x95 0x5C, the second a backslash's), chosen in the folder
# browser; Help on the finish page; every installed file, and seen from
# Unix all of it in that one folder under its Unicode name.
# needs:
. "$(dirname "$0")/../../../scripts/lib/locale.sh"
if [ -z "${LUMI_E2E_INNER:-}" ] && ! ja_locale_here; then
  if [ "$(id -u)" -eq 0 ]; then
    ja_locale_make || { echo "FAIL: localedef could not make ja_JP.UTF-8"; exit 1; }
  else
    echo "FAIL: the locale ja_JP.UTF-8 is missing: make it as root" \
      "(localedef -i ja_JP -f UTF-8 ja_JP.UTF-8, or sh scripts/install-deps.sh)"
    exit 1
  fi
fi
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
. "$(dirname "$0")/common.sh"
e2e_begin "$@"
e2e_ready
hyo=$(printf '\350\241\250') # U+8868 in UTF-8, the Unix name of the folder
mkdir "$work/ddrive/$hyo"
pick=$hyo
folder=$(printf 'D:\\%s\\Lumiroll' "$hyo")
decode="iconv -f CP932 -t UTF-8"
e2e_start setup.exe +winhelp

install_walk
expect "Installation Successful!"
help finish
install_close
e2e_gone

check_installed
[ "$(ls "$work/ddrive")" = "$hyo" ] && [ "$(ls "$work/ddrive/$hyo")" = Lumiroll ] ||
  { ls -R "$work/ddrive" | head; fail "the install left D: other than $folder alone"; }
e2e_pass
