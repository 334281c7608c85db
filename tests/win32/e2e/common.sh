# Sourced by every run under tests/win32/e2e/: the real setup.exe under Wine
# with Xvfb, driven from outside by wizdriver through the platform's own
# messages. The programs run in a Wine desktop of their own, which draws the
# captions and frames that no window manager draws under Xvfb: the
# screenshots show the wizard's window as a person sees it.
#   sh tests/win32/e2e/RUN.sh BUILD_DIR SETUP_EXE MKMEDIUM_EXE WIZDRIVER_EXE
# A run file sets what it needs (desktop, its locale), then calls e2e_begin,
# which starts Xvfb and runs the file anew inside it, in a fresh work folder
# (BUILD_DIR/e2e/RUN, wow64-RUN under WoW64) with no Wine server running.
# The sheet's buttons are found by control id: their texts are the
# platform's, in the locale's language.
set -u
run=$(basename "$0" .sh)
build=$1 setup=$2 mkmedium=$3 driver=$4
desktop=${desktop:-800x600} # the Wine desktop, as large as the screen
decode=cat      # the driver prints in the program's code page
pick=D: folder='D:\Lumiroll' # where an install run installs (see drives)
. "$(dirname "$0")/../../../scripts/lib/wine.sh"

e2e_begin() {
  if [ -z "${LUMI_E2E_INNER:-}" ]; then
    command -v xvfb-run >/dev/null || { echo "FAIL: xvfb-run is not installed (xvfb)"; exit 1; }
    wine_env "$build"
    work="$build/e2e/$run"
    [ "$LUMI_WINE_SIDE" = wine ] || work="$build/e2e/$LUMI_WINE_SIDE-$run"
    [ -d "$work" ] && chmod -R u+w "$work" # a cdrom run's medium is read-only
    rm -rf "$work" && mkdir -p "$work/ddrive" "$work/home"
    export LUMI_E2E_INNER=1 LUMI_E2E_WORK="$work"
    exec xvfb-run -a -s "-screen 0 ${desktop}x24" sh "$0" "$@"
  fi
  work=$LUMI_E2E_WORK
  wine_env "$build" "$work/home"
  shots="$build/screenshots"
  [ "$LUMI_WINE_SIDE" = wine ] || shots="$build/screenshots-$LUMI_WINE_SIDE"
  mkdir -p "$shots"
  # A Wine server left from programs run without this display would give the
  # wizard no window system: start from none (these tests run alone).
  wine_server_stop
  medium="$work/media"
  mkdir -p "$medium"
  rm -f "$WINEPREFIX/dosdevices/d:" "$WINEPREFIX/dosdevices/d::" "$WINEPREFIX/dosdevices/e:"
  # Under qemu every program starts and runs some ten times slower: so do
  # the driver's waits for windows (LUMI_SLOW scales each of them).
  slow=1
  wine_emulated && slow=10
  export LUMI_SLOW=$slow
}

# A run that changes the prefix takes a throwaway copy (before e2e_session).
e2e_own_prefix() {
  cp -a "$WINEPREFIX" "$work/prefix"
  export WINEPREFIX="$work/prefix"
}

# The prefix's session, started once its drives are made (Wine takes its list
# of drives then): one server for the whole run, as each new one starts the
# session anew (services, devices, the desktop), which takes minutes under qemu.
# The install runs' drive D: is a scratch folder of the run.
e2e_session() {
  [ -e "$WINEPREFIX/dosdevices/d:" ] || ln -s "$work/ddrive" "$WINEPREFIX/dosdevices/d:"
  wine_server_start
}

# The sample medium with SETUP_EXE on it, sealed with the medium's catalog
# (the program checks every file against it before it writes one); with
# "sealed" the program is taken as it is (the release's is sealed already).
e2e_medium() {
  wmedium=$(wine_path "$medium") || fail "no Windows path for the medium"
  wine "$mkmedium" "$wmedium" >"$work/mkmedium.log" 2>&1 || { cat "$work/mkmedium.log"; fail "mkmedium"; }
  made=$(tr -d '\r' <"$work/mkmedium.log")
  # the manifest's files, as mkmedium counts them, and setup.exe
  medium_files=$(printf '%s\n' "$made" | sed -n 's/^sample medium: .* (\([0-9][0-9]*\) files)$/\1/p')
  [ -n "$medium_files" ] || fail "mkmedium says no number of files: $made"
  cp "$setup" "$medium/setup.exe"
  if [ "${1:-}" != sealed ]; then
    wine "$mkmedium" --seal "$wmedium" "$wmedium\\setup.exe" >"$work/seal.log" 2>&1 ||
      { cat "$work/seal.log"; fail "mkmedium --seal"; }
  fi
  [ "$(ls "$medium" | wc -l)" -eq $((medium_files + 1)) ] || { ls "$medium"; fail "the medium is incomplete"; }
}
# e2e_ready [sealed]: the session, the sample medium (see e2e_medium) and
# the desktop, as most runs start.
e2e_ready() {
  e2e_session
  e2e_medium "$@"
  e2e_desktop
}

# The wizard, the help viewer it starts, the product and the driver share one
# desktop. Under qemu the desktop's process falls over now and then, taking
# its window, and every program in it, along: there each program has a
# window of its own on the screen (the screenshots show no frame).
e2e_desktop() {
  {
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"Lumiscroll"="%s"\n' "$desktop"
    for exe in setup.exe lumisetup.exe start.exe winhlp32.exe Lumiroll.exe "$(basename "$driver")"; do
      printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s\\Explorer]\n' "$exe"
      if [ "$slow" -ne 1 ]; then echo '"Desktop"=-'; else echo '"Desktop"="Lumiscroll"'; fi
    done
  } >"$work/desktop.reg"
  wine regedit /S "$(wine_path "$work/desktop.reg")" || fail "the desktop settings"
  # The desktop draws the caption buttons' glyphs in Marlett, which this Wine
  # takes from the prefix's Fonts folder only (fonts-wine has it).
  marlett=/usr/share/wine/fonts/marlett.ttf
  [ -f "$marlett" ] && cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
}

# e2e_start [PROGRAM [TRACE]]: the program on the medium, started in it (its
# Wine debug channels TRACE), up to its welcome page.
e2e_start() {
  (cd "$medium" && WINEDEBUG=${2:--all} exec wine "${1:-setup.exe}") >"$work/setup.log" 2>&1 &
  e2e_welcome $!
}
e2e_welcome() {
  pid=$1
  step wait-sheet 60
  expect "caption: Lumiscroll Installation (1 of 4)"
  expect "button back 0x3023 off"
}

# The wizard closed, and the run's end.
e2e_gone() {
  step wait-gone 30
  wait "$pid" 2>/dev/null
  echo "setup.exe ended"
}
e2e_pass() {
  wine_server_stop
  rm -rf "$work/prefix"
  echo "wizard $run: passed"
}

. "$(dirname "$0")/common-walk.sh"
