# Sourced by every script that runs Win32 programs of a build under Wine.
#   wine_env BUILD_DIR [HOME]
# exports the build's own prefix (BUILD_DIR/wineprefix), a scratch home
# (BUILD_DIR/winehome unless given: the prefix links Desktop and the like
# there), no Wine debug output, and no .NET or Gecko installs offered.
wine_env() {
  export WINEPREFIX="$1/wineprefix"
  export HOME="${2:-$1/winehome}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$HOME"
}

# Whether Wine's 32-bit loader runs here only under qemu's user-mode emulator
# (a kernel without IA-32 emulation; install-deps registers qemu for it):
# there each Wine start takes minutes.
wine_emulated() {
  [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null
}
