#!/bin/sh
# dpi144: the dpi120 run at 144 DPI: every control inside its page, every
# text inside its control; a screenshot of each page.
# needs:
. "$(dirname "$0")/dpi120.sh"
