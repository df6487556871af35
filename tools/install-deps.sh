#!/usr/bin/env bash
# Installs every Debian package the build, the programs and the tests need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev libpugixml-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine64
  xvfb xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils xcompmgr xdotool
  imagemagick x11-apps
  locales fonts-noto-cjk
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# Japanese UI under Wine needs the locale to exist.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
