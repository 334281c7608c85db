#!/bin/sh
# Installs what building and testing need on a Debian machine (as root).
set -eu
export DEBIAN_FRONTEND=noninteractive
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
$SUDO dpkg --add-architecture i386
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends \
  cmake ninja-build g++ make libgtest-dev googletest libbenchmark-dev \
  libmspack-dev mscompress \
  g++-mingw-w64-i686 mingw-w64-i686-dev \
  wine wine32:i386 fonts-wine liblnk-utils \
  xvfb xauth xdotool x11-apps imagemagick \
  locales \
  clang libclang-rt-14-dev clang-format clang-tidy
# The Japanese locale of the Wine wizard run under code page 932.
locale -a | grep -qix 'ja_JP\.utf-\{0,1\}8' || $SUDO localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
