#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Zarvo with its sample tracks (build/linux/samples)
# and opens the viewer there. Usage: scripts/run.sh [--windows]
#   --windows  run the 32-bit Windows program under Wine instead of the native build.
# Without a display it drives the program through a scripted visit on a virtual
# display and saves screenshots of each step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

target=linux
[ "${1:-}" = "--windows" ] && target=win32

bash scripts/setup.sh
cmake --preset linux >/dev/null
cmake --build --preset linux -j"$(nproc)" --target zarvo zarvo_samples close-window
if [ "$target" = win32 ]; then
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 -j"$(nproc)" --target zarvo
  program="$root/build/win32/platform/win32/zarvo.exe"
else
  program="$root/build/linux/platform/x11/zarvo"
fi

tracks="$root/build/linux/samples"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  cd "$tracks"
  if [ "$target" = win32 ]; then
    . scripts/wine-prefix.sh
    exec wine "$program"
  fi
  exec "$program"
fi

shots="$root/build/screenshots/$target"
echo "No display found: visiting the sample tracks on a virtual display instead."
# The native window is closed as a window manager would ask it to.
export CLOSE_WINDOW_HELPER="$root/build/linux/tests/e2e/close-window"
scripts/with-display.sh bash tests/e2e/visit.sh "$target" "$program" "$tracks" "$shots"
echo "Screenshots of the visit: $shots"
ls -1 "$shots"
