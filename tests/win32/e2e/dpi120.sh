#!/bin/sh
# dpi120: a copy of the prefix at 120 DPI, on a 1024x768 desktop. On every
# page before the install wizdriver's layout check finds each control inside
# the page and each text inside its control, measured in the control's own
# font; a screenshot of each page; Cancel.
# needs:
desktop=1024x768
. "$(dirname "$0")/common.sh"
dpi=${run#dpi}
e2e_begin "$@"
e2e_own_prefix
e2e_session
for key in 'HKEY_CURRENT_USER\Control Panel\Desktop' \
  'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
  wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 || fail "the prefix at $dpi DPI"
done
e2e_medium
e2e_desktop
e2e_start

for page in welcome readme folder finish; do
  out=$(drive layout) || { printf '%s\n' "$out"; fail "the $page page at $dpi DPI"; }
  printf '%s\n' "$out" >>"$work/driver.log"
  echo "$page: $(printf '%s\n' "$out" | tail -1)"
  shot "$run-$page"
  [ "$page" = finish ] || step press next
done
step press cancel
e2e_gone
e2e_pass
