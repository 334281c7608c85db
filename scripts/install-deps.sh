#!/bin/sh
# Installs what building and testing need on a Debian machine, and only what
# is missing: once everything is there it needs neither root nor the package
# servers. As root it installs directly; as another user through sudo.
set -eu
. "$(dirname "$0")/lib/locale.sh"
export DEBIAN_FRONTEND=noninteractive
packages="cmake ninja-build g++ make libgtest-dev googletest libbenchmark-dev
  libmspack-dev mscompress
  g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  wine wine32:i386 wine64 fonts-wine liblnk-utils
  xvfb xauth xdotool x11-apps imagemagick
  locales python3-pefile xorriso osslsigncode zip 7zip openssl file halibut
  clang libclang-rt-14-dev clang-format clang-tidy"

# Wine's loader is a 32-bit x86 program. A kernel that runs none (IA-32
# emulation off: "Exec format error") runs it under qemu's user-mode emulator,
# registered for 32-bit x86 programs at the end.
i386_runs() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing="$missing $p"
done
# The Japanese locale of the Wine wizard run under code page 932.
need_locale=0
ja_locale_here || need_locale=1
if [ -z "$missing" ] && [ "$need_locale" -eq 0 ] && i386_runs; then
  echo "install-deps: everything needed is installed"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: missing:$missing; run this as root (no sudo here)" >&2; exit 1; }
  SUDO=sudo
fi
if [ -n "$missing" ]; then
  echo "install-deps: installing$missing"
  dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
  # A mirror in mid-sync can fail one index; try again, then go on with the
  # lists there are.
  tries=0
  until $SUDO apt-get update -q; do
    tries=$((tries + 1))
    if [ "$tries" -ge 4 ]; then
      echo "install-deps: apt-get update kept failing; installing from the lists it has" >&2
      break
    fi
    sleep $((tries * 20))
  done
  # With one architecture's update index missing or behind (a failed update,
  # a security archive that is), the two architectures can be offered
  # different versions of a library both need, or one already installed for
  # the other; then the install is tried once more preferring the release's
  # own versions, which both have.
  # shellcheck disable=SC2086
  if ! $SUDO apt-get install -y -q --no-install-recommends $missing; then
    release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$release" ] || exit 1
    echo "install-deps: trying again with the versions of $release itself" >&2
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -q --no-install-recommends -t "$release" $missing
  fi
fi
ja_locale_here || ja_locale_make $SUDO
# 32-bit x86 programs through qemu, where the kernel runs none itself.
if ! i386_runs; then
  if ! dpkg-query -W -f='${Status}\n' qemu-user-static 2>/dev/null | grep -q '^install ok installed$'; then
    $SUDO apt-get install -y -q --no-install-recommends qemu-user-static
  fi
  [ -d /proc/sys/fs/binfmt_misc ] && [ -e /proc/sys/fs/binfmt_misc/register ] ||
    $SUDO mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    echo "install-deps: this kernel runs no 32-bit x86 programs; registering qemu-i386-static for them"
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    printf ':qemu-i386:M::%s:%s:/usr/bin/qemu-i386-static:OCF\n' "$magic" "$mask" |
      $SUDO tee /proc/sys/fs/binfmt_misc/register >/dev/null
  fi
  i386_runs || { echo "install-deps: 32-bit x86 programs still do not run: Wine cannot" >&2; exit 1; }
fi
