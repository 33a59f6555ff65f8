#!/usr/bin/env bash
# Installs everything the builds, the tests and the viewer need on Debian 12 (run as root). The 32-bit
# Wine and its GL drivers are installed only where the kernel runs 32-bit programs (windows-build.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  cmake ninja-build g++ binutils clang libclang-rt-14-dev googletest
  dpkg-dev file desktop-file-utils lintian xdg-utils shared-mime-info libglib2.0-bin
  libgl-dev libglu1-mesa-dev libx11-dev libgl1-mesa-dri libglx-mesa0 libegl-dev libegl-mesa0
  xvfb xauth xdotool x11-utils imagemagick icoutils
  xfonts-base xfonts-75dpi xfonts-100dpi fonts-dejavu-core
  g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine64
)
wine32_packages=(wine32:i386 libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
updated=""
install() {  # PACKAGE...: installs those not yet installed
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "Installing ${missing[*]}"
  if [[ "${missing[*]}" == *:i386* ]]; then "${sudo_cmd[@]}" dpkg --add-architecture i386 && updated=""; fi
  [ -n "$updated" ] || { "${sudo_cmd[@]}" apt-get update -q && updated=1; }
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

install "${packages[@]}"
. "$root/scripts/windows-build.sh"
if [ "$windows_build" = win32 ]; then
  install "${wine32_packages[@]}"
else
  echo "32-bit Wine not needed: $windows_why."
fi
echo "All packages are installed."
