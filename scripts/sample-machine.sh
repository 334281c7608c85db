#!/bin/sh
# sample-machine.sh DIR: a machine for the native console wizard in DIR: a
# drive C: folder with a desktop and a Programs folder, and the registry
# file that names them (LUMIROLL_DRIVE_C=DIR/c, LUMIROLL_REGISTRY=DIR/registry.reg).
set -eu
dir=$1
mkdir -p "$dir/c/Users/Me/Desktop" "$dir/c/Users/Me/Programs"
cat >"$dir/registry.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders]
"Desktop"="C:\\Users\\Me\\Desktop"
"Programs"="C:\\Users\\Me\\Programs"
REG
