# Sourced by every script and test that runs Win32 programs of a build under
# Wine: the build's environment, its prefix, the Wine server, Windows paths
# and whether Wine's tests run on this machine.
#   wine_env BUILD_DIR [HOME]
# exports the build's own prefix, a scratch home (BUILD_DIR/winehome unless
# given: the prefix links Desktop and the like there), no Wine debug output,
# no .NET or Gecko installs offered, and no menu builder (started by each
# shortcut saved, it rewrites the shell folder values that the tests set,
# from another process, at a time of its own).
# The prefix is of the build's own kind (BUILD_DIR/wine-arch):
# - win32: a 32-bit prefix (BUILD_DIR/wineprefix), as on 32-bit Windows,
#   whatever Wine packages are installed; with LUMI_WOW64=1 the same 32-bit
#   programs run in a 64-bit prefix (BUILD_DIR/wineprefix-wow64), as on
#   64-bit Windows, under WoW64.
# - win64: a 64-bit prefix run by Wine's 64-bit loader alone: wine,
#   wineserver and Wine's tools are wrapped in BUILD_DIR/winebin, first on
#   PATH, so that no start goes through the 32-bit loader (which a kernel
#   without IA-32 emulation runs only under qemu).
# LUMI_WINE_SIDE names the kind of run (wine or wow64), for scratch names.
wine_env() {
  arch=$(cat "$1/wine-arch" 2>/dev/null)
  export WINEPREFIX="$1/wineprefix" LUMI_WINE_SIDE=wine
  home="$1/winehome"
  if [ "$arch" = win64 ]; then
    export WINEARCH=win64
  elif [ "${LUMI_WOW64:-0}" = 1 ]; then
    export WINEARCH=win64 WINEPREFIX="$1/wineprefix-wow64" LUMI_WINE_SIDE=wow64
    home="$1/winehome-wow64"
  else
    export WINEARCH=win32
  fi
  export HOME="${2:-$home}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  mkdir -p "$HOME"
  if [ "$arch" = win64 ]; then
    export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
    [ -x "$WINELOADER" ] || { echo "wine_env: no $WINELOADER (Debian's wine64) for the 64-bit build" >&2; exit 1; }
    mkdir -p "$1/winebin"
    printf '#!/bin/sh\nexec %s "$@"\n' "$WINELOADER" >"$1/winebin/wine"
    printf '#!/bin/sh\nexec %s "$@"\n' "$WINESERVER" >"$1/winebin/wineserver"
    for tool in wineboot winepath winecfg regedit; do
      printf '#!/bin/sh\nexec %s %s.exe "$@"\n' "$WINELOADER" "$tool" >"$1/winebin/$tool"
    done
    chmod +x "$1/winebin/"*
    case ":$PATH:" in *":$1/winebin:"*) ;; *) export PATH="$1/winebin:$PATH" ;; esac
  fi
}

# The kind of prefix that stands at WINEPREFIX (win32 or win64), or nothing
# when there is none yet.
wine_prefix_arch() {
  sed -n 's/^#arch=//p' "$WINEPREFIX/system.reg" 2>/dev/null | head -1
}

# Whether Wine's 32-bit loader runs here only under qemu's user-mode emulator
# (a kernel without IA-32 emulation; install-deps registers qemu for it):
# there each Wine start takes minutes. Not so for a 64-bit build's programs.
wine_emulated() {
  [ "${LUMI_WINE_SIDE:-wine}:${WINEARCH:-}" != wine:win64 ] && [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] &&
    grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null
}

# Whether the 32-bit build's programs are run under Wine here: everywhere
# but under qemu, where each Wine start takes minutes and Wine's threads are
# unsteady (there the 64-bit check build runs the same tests in their place);
# LUMI_WINE_EMULATED=1 runs them all the same, for an hour or more.
wine32_runs_here() {
  ! wine_emulated || [ "${LUMI_WINE_EMULATED:-0}" = 1 ]
}

# wine_boot: makes the prefix at WINEPREFIX once, of the kind WINEARCH names.
# A prefix of another kind (made by an earlier Wine setup: Debian's wine
# makes a 64-bit one unless told) is made anew.
wine_boot() {
  have=$(wine_prefix_arch)
  if [ -n "$have" ] && [ "$have" != "$WINEARCH" ]; then
    echo "the prefix at $WINEPREFIX is $have, not $WINEARCH: making it anew"
    wine_server_stop
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || { echo "wineboot failed"; return 1; }
    wineserver -w
  fi
  [ -f "$WINEPREFIX/system.reg" ] || { echo "no Wine prefix was made"; return 1; }
  [ "$(wine_prefix_arch)" = "$WINEARCH" ] || { echo "the prefix made is $(wine_prefix_arch), not $WINEARCH"; return 1; }
  echo "Wine prefix ready: $WINEPREFIX ($WINEARCH)"
}

# The prefix's Wine server: stopped, and waited for until it is gone;
# restarted (stopped, then started and kept running until stopped, so that
# the programs of a run share one session).
wine_server_stop() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  return 0
}
wine_server_start() {
  wineserver -p 2>/dev/null
}
wine_server_restart() {
  wine_server_stop
  wine_server_start
}

# wine_path HOST_PATH: the Windows path Wine gives a host path, printed
# without a carriage return. Tried again when it comes back empty: a start
# that meets the Wine server as it ends (the last program gone) gets nothing.
wine_path() {
  for try in 1 2 3; do
    wp=$(winepath -w "$1" 2>/dev/null | tr -d '\r')
    [ -n "$wp" ] && { printf '%s\n' "$wp"; return 0; }
    sleep 1
  done
  echo "winepath gives no Windows path for $1" >&2
  return 1
}
