#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Zarvo with its sample tracks (build/linux/samples) and opens the
# viewer there. Usage: scripts/run.sh [--windows]
#   --windows  run the Windows program under Wine instead of the native build: the shipped 32-bit
#              one, or the 64-bit one where this machine runs no 32-bit programs (or ZARVO_WINE64=1).
# Without a display it drives the program through a scripted visit on a virtual display and saves
# screenshots of each step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/logged-step.sh
logs=$root/build/logs

case "${1:-}" in
  "") target=linux ;;
  --windows) . scripts/windows-build.sh && target=$windows_build ;;
  *) echo "usage: $0 [--windows]" >&2; exit 2 ;;
esac

logged_step "setting up the machine's packages" "$logs/setup.log" bash scripts/setup.sh
build() { cmake --preset "$1" && cmake --build --preset "$1" -j"$(nproc)" --target "${@:2}"; }
logged_step "building the native program and the sample tracks" "$logs/run-build-linux.log" \
  build linux zarvo zarvo_samples close-window
program="$root/build/linux/platform/x11/zarvo"
if [ "$target" != linux ]; then
  echo "The Windows program: the $target build, as $windows_why."
  logged_step "building the $target program" "$logs/run-build-$target.log" build "$target" zarvo
  program="$root/build/$target/platform/win32/zarvo.exe"
fi

tracks="$root/build/linux/samples"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Opening $program in $tracks"
  if [ "$target" != linux ]; then
    . scripts/wine-prefix.sh "$target" || exit 1
    cd "$tracks" && exec "$ZARVO_WINE" "$program"
  fi
  cd "$tracks" && exec "$program"
fi

shots="$root/build/screenshots/$target"
echo "No display found: visiting the sample tracks on a virtual display instead."
wine=()
[ "$target" = linux ] || wine=(--wine "$target")
# The native window is closed as a window manager would ask it to.
export CLOSE_WINDOW_HELPER="$root/build/linux/tests/e2e/close-window"
status=0
scripts/with-display.sh "${wine[@]}" bash tests/e2e/visit.sh "$target" "$program" "$tracks" "$shots" || status=$?
echo "Screenshots of the visit: $shots"
ls -1 "$shots"
[ "$status" -eq 0 ] || { echo "FAILED: the visit of the $target program (exit status $status)" >&2; exit "$status"; }
