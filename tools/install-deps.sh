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
  wine wine32:i386 liblnk-utils \
  xvfb xauth xdotool x11-apps imagemagick \
  clang libclang-rt-14-dev clang-format clang-tidy
