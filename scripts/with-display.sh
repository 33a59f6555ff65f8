#!/usr/bin/env bash
# Runs a command on a private virtual X display, with a warmed-up private Wine prefix
# for the Windows build. Usage: scripts/with-display.sh COMMAND [ARGS...]
# WINEPREFIX may be set to use another prefix (default: build/wine; see wine-prefix.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

displayfile=$(mktemp)
# -displayfd picks a free display, so another X server on this machine is never used by mistake.
# -noreset: a server that resets when its last client leaves drops the connections that
# arrive meanwhile, and every test process opens and closes its own.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$displayfile" >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() {
  if command -v wineserver >/dev/null; then wineserver -k >/dev/null 2>&1 || true; fi
  kill "$xvfb_pid" 2>/dev/null || true
  rm -f "$displayfile"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
[ -s "$displayfile" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$displayfile")"

if command -v wine >/dev/null; then
  . "$root/scripts/wine-prefix.sh"
  # One persistent server: without it every test pays Wine's start-up again, and
  # with stdio left open its helpers can keep ctest's output pipe open.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wineboot </dev/null >>"$WINEPREFIX.log" 2>&1
fi

"$@"
