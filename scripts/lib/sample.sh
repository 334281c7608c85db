# Sourced by the scripts and tests that install with the native console
# wizard: its sample machine, an install from a medium, and the number of
# files a medium's check counts.

# sample_machine DIR: a machine for the native console wizard in DIR: a drive
# C: folder (DIR/c) with a desktop and a Programs folder, and the registry
# file that names them (DIR/registry.reg); exports LUMIROLL_DRIVE_C and
# LUMIROLL_REGISTRY for them.
sample_machine() {
  mkdir -p "$1/c/Users/Me/Desktop" "$1/c/Users/Me/Programs" || return 1
  cat >"$1/registry.reg" <<'REG' || return 1
REGEDIT4

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders]
"Desktop"="C:\\Users\\Me\\Desktop"
"Programs"="C:\\Users\\Me\\Programs"
REG
  export LUMIROLL_DRIVE_C="$1/c" LUMIROLL_REGISTRY="$1/registry.reg"
}

# console_setup MEDIUM: the console wizard beside the medium's files, run in
# that folder, its commands on standard input.
console_setup() {
  (cd "$1" && ./lumiroll-setup)
}

# medium_count MKMEDIUM_OUTPUT: the number of manifest files in what
# mkmedium --check printed for a sound medium ("all N files sound"); prints
# nothing for any other output.
medium_count() {
  printf '%s\n' "$1" | sed -n 's/^medium .*: all \([0-9][0-9]*\) files sound$/\1/p'
}
