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
