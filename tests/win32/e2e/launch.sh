#!/bin/sh
# launch: the install run's walk, then the product started through the
# desktop shortcut the setup made (the shell resolves our link): its window
# lists the five picture categories the setup wrote, with the install's
# folders and picture counts, and "Windows Standard" with the Windows folder
# last. A screenshot of every page and of the product.
# test: product.launch
# needs: wow64
. "$(dirname "$0")/common.sh"
e2e_begin "$@"
e2e_ready
pages=true
e2e_start

install_walk
expect "Installation Successful!"
shot finish-after
install_close
e2e_gone

check_installed
step launch
title="Lumiscroll - picture categories"
product=$(drive window "$title" 300) || { printf '%s\n' "$product"; fail "the product's window did not come"; }
printf '%s\n' "$product"
windows=$(drive windows-folder)
for want in "Sunsets - D:\Lumiroll\Sunsets (3 pictures)" "Nature - D:\Lumiroll\Nature (5 pictures)" \
  "Waterfalls - D:\Lumiroll\WFalls (3 pictures)" "Light Patterns - D:\Lumiroll\Bkgnds1 (8 pictures)" \
  "Dark Patterns - D:\Lumiroll\Bkgnds2 (7 pictures)" "Windows Standard - $windows ("; do
  printf '%s\n' "$product" | grep -qF "item: $want" || fail "the product does not list: $want"
done
shot_of product "$title"
step close "$title"
e2e_pass
