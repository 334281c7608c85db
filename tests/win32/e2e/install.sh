#!/bin/sh
# install: the whole install as a person clicks it. Welcome, read-me, folder
# (Change, drive D: in the folder browser: a scratch folder), finish, Help
# there too (topic 1 of the help file beside the program), Close; then every
# installed file on D:, both category lists byte for byte and both links read
# back through the shell. A screenshot of every page.
# needs: wow64
. "$(dirname "$0")/common.sh"
e2e_begin "$@"
e2e_ready
pages=true
e2e_start setup.exe +winhelp

install_walk
expect "Installation Successful!"
shot finish-after
help finish
install_close
e2e_gone

check_installed
e2e_pass
