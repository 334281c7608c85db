#!/bin/sh
# Makes a sample distribution medium: the 32 files of the install manifest
# (the names come from the program's string table) with sample contents,
# compressed by lumipack where the manifest name ends in '_', and Readme.txt.
#   mkmedium.sh LUMIPACK RC_FILE OUT_DIR
set -eu
lumipack=$1; rc=$2; out=$3
stage="$out.stage"
rm -rf "$stage" && mkdir -p "$stage" "$out"

# Manifest names: string ids 51-56 and 101-126; pictures lie flat on the medium.
names=$(sed -n 's/^ *\(5[1-6]\|1[0-2][0-9]\) *"\(.*\)"$/\2/p' "$rc" | sed 's/.*\\\\//')
count=0
for packed in $names; do
  count=$((count + 1))
  case "$packed" in
    *.ex_) plain="${packed%_}e" ;;
    *.dl_) plain="${packed%_}l" ;;
    *.do_) plain="${packed%_}c" ;;
    *.jp_) plain="${packed%_}g" ;;
    *.gi_) plain="${packed%_}f" ;;
    *) plain="$packed" ;;
  esac
  if [ "$plain" = Readme.txt ]; then
    cat > "$stage/$plain" <<'TEXT'
Lumiscroll Wallpaper Wizard - sample distribution medium

Lumiscroll adds a slide show to your desktop wallpaper. This medium was made
by the project's own tools to try the setup program: the product files on it
are samples, not the product itself.

After the installation you will find the program, its help file, the order
form and five picture folders (Bkgnds1, Bkgnds2, WFalls, Sunsets, Nature) in
the folder you chose, and shortcuts on your desktop and in your Programs menu.
TEXT
  else
    # Deterministic sample contents: a header naming the file, then a body
    # that differs per file.
    awk -v name="$plain" -v seed="$count" 'BEGIN {
      srand(seed); printf "Lumiscroll sample file %s\r\n", name
      for (i = 0; i < 400 + seed * 40; i++) {
        if (i % 5 == 0) printf "%c%c%c%c", int(rand()*256), int(rand()*256), int(rand()*256), int(rand()*256)
        else printf "sample %s block %d\r\n", name, i
      }
    }' > "$stage/$plain"
  fi
  if [ "$plain" = "$packed" ]; then
    cp "$stage/$plain" "$out/$packed"
  else
    "$lumipack" -o "$out" "$stage/$plain"
    [ -f "$out/$packed" ] || { echo "mkmedium: $plain did not pack as $packed"; exit 1; }
  fi
done
[ "$count" -eq 32 ] || { echo "mkmedium: the manifest has $count files, not 32"; exit 1; }
rm -rf "$stage"
echo "sample medium: $out ($count files)"
