#!/usr/bin/env bash
# Installs everything the builds, the tests and the viewer need on Debian 12 (run as root).
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev googletest
  dpkg-dev file desktop-file-utils lintian
  libgl-dev libglu1-mesa-dev libx11-dev libgl1-mesa-dri libglx-mesa0 libegl-dev libegl-mesa0
  xvfb xauth xdotool x11-utils imagemagick icoutils
  xfonts-base xfonts-75dpi xfonts-100dpi fonts-dejavu-core
  g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  wine wine32:i386 libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" dpkg --add-architecture i386
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
