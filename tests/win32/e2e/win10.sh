#!/bin/sh
# win10: the win98 run on Windows 10 (10.0, which GetVersion tells only a
# program whose manifest names Windows 10).
# needs: wow64
. "$(dirname "$0")/win98.sh"
