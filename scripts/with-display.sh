#!/usr/bin/env bash
# Runs a command on a private virtual X display. With --wine win32|win64 it first makes and warms
# a private Wine prefix of that width for a Windows build (see wine-prefix.sh); without it no Wine
# is touched. Usage: scripts/with-display.sh [--wine win32|win64] COMMAND [ARGS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
wine_arch=""
if [ "${1:-}" = --wine ]; then wine_arch=${2:-} && shift 2; fi
case "$wine_arch:${1:-}" in
  *:) echo "usage: $0 [--wine win32|win64] COMMAND [ARGS...]" >&2; exit 2 ;;
  :* | win32:* | win64:*) ;;
  *) echo "with-display.sh: --wine takes win32 or win64, not '$wine_arch'" >&2; exit 2 ;;
esac

displayfile=$(mktemp) xvfb_log=$(mktemp)
# -displayfd picks a free display, so another X server on this machine is never used by mistake.
# -noreset: a server that resets when its last client leaves drops the connections that
# arrive meanwhile, and every test process opens and closes its own.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$displayfile" >"$xvfb_log" 2>&1 &
xvfb_pid=$!
cleanup() {
  if [ -n "$wine_arch" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  kill "$xvfb_pid" 2>/dev/null || true
  rm -f "$displayfile" "$xvfb_log"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
if [ ! -s "$displayfile" ]; then
  echo "with-display.sh: the virtual display (Xvfb) did not start. Its last lines:" >&2
  tail -n 15 "$xvfb_log" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$displayfile")"

if [ -n "$wine_arch" ]; then
  . "$root/scripts/wine-prefix.sh" "$wine_arch" || exit 1
  # One persistent server: without it every test pays Wine's start-up again, and
  # with stdio left open its helpers can keep ctest's output pipe open.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine_prefix_step "starting Wine in the prefix (wineboot)" "$ZARVO_WINE" wineboot || exit 1
fi

"$@"
