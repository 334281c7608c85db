# Sourced by every script that runs Win32 programs of a build under Wine.
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
    [ -x "$WINELOADER" ] || { echo "wine-env: no $WINELOADER (Debian's wine64) for the 64-bit build" >&2; exit 1; }
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
