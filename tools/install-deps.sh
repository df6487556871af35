#!/usr/bin/env bash
# Installs every Debian package the build, the programs and the tests need.
# Safe to run again: apt-get skips what is already there. tools/commands.txt
# says which package brings each command our scripts run; tools/check-commands.sh
# checks the two lists against each other.
set -euo pipefail
packages=(
  cmake ninja-build ccache g++ clang clang-format libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev libpugixml-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine64 wine32:i386 fonts-wine
  xvfb xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils x11-utils xcompmgr xdotool
  imagemagick x11-apps procps
  wixl msitools xorriso
  locales fonts-noto-cjk
)
# fonts-wine is only a recommendation of wine, but without its Marlett font the
# captions that Wine draws itself show boxes instead of their buttons.
# The disk's launcher and the controller's x86 build run as 32-bit programs: Wine
# runs them with its 32-bit half, which comes from Debian's i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})) || [[ -n ${need_update:-} ]]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# Japanese UI under Wine needs the locale to exist.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
