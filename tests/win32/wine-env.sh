# Sourced by every script that runs Win32 programs of a build under Wine.
#   wine_env BUILD_DIR [HOME]
# exports the build's own prefix (BUILD_DIR/wineprefix), a scratch home
# (BUILD_DIR/winehome unless given: the prefix links Desktop and the like
# there), no Wine debug output, no .NET or Gecko installs offered, and no
# menu builder (started by each shortcut saved, it rewrites the shell folder
# values that the tests set, from another process, at a time of its own).
# A 64-bit build (its BUILD_DIR/wine-arch says win64) runs under Wine's
# 64-bit loader alone: wine, wineserver and Wine's tools are wrapped in
# BUILD_DIR/winebin, first on PATH, so that no start goes through the 32-bit
# loader (which a kernel without IA-32 emulation runs only under qemu).
wine_env() {
  export WINEPREFIX="$1/wineprefix"
  export HOME="${2:-$1/winehome}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  mkdir -p "$HOME"
  if [ "$(cat "$1/wine-arch" 2>/dev/null)" = win64 ]; then
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
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

# Whether Wine's 32-bit loader runs here only under qemu's user-mode emulator
# (a kernel without IA-32 emulation; install-deps registers qemu for it):
# there each Wine start takes minutes. Not so for a 64-bit build's programs.
wine_emulated() {
  [ "${WINEARCH:-}" != win64 ] && [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null
}
