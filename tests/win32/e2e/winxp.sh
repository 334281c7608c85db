#!/bin/sh
# winxp: the win98 run on Windows XP (XP's 64-bit edition, 5.2, in a 64-bit
# build).
# needs:
. "$(dirname "$0")/win98.sh"
