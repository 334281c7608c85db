# Sourced by the LZ32 comparisons: the Wine environment of the Win32 build
# and the differential inputs, made by the native probe in WORK/native and
# copied to WORK/wine. Expects native, probe, build and work; leaves work absolute
# and defines winpath and both.
[ -x "$native" ] || { echo "no native probe at $native: build the native preset first"; exit 1; }
. "$(dirname "$0")/../../scripts/lib/wine.sh"
wine_env "$build"
rm -rf "$work" && mkdir -p "$work/native" "$work/wine" || exit 1
work=$(cd "$work" && pwd)
winpath() { echo "Z:$1" | tr / '\\'; }
"$native" gen "$(winpath "$work/native")" >/dev/null || exit 1
cp "$work/native/"* "$work/wine/" || exit 1
# both MODE: runs both probes in MODE over the list, into WORK/native.txt and
# WORK/wine.txt; sets inputs to the number of files.
both() {
  "$native" "$1" "$(winpath "$work/native")" <"$work/native/list.txt" >"$work/native.txt" || exit 1
  wine "$probe" "$1" "$(winpath "$work/wine")" <"$work/wine/list.txt" 2>/dev/null | tr -d '\r' >"$work/wine.txt"
  inputs=$(grep -c . "$work/native/list.txt")
}
