#!/usr/bin/env bash
# Starts the real program under Wine in an empty folder, waits for its window, closes it
# with Alt+F4 as a user would, and expects exit code 0.
set -u
exe=$1
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
cd "$workdir"

wine "$exe" >program.log 2>&1 &
pid=$!
window=""
for _ in $(seq 150); do
  window=$(xdotool search --name '^Zarvo$' 2>/dev/null | head -n1)
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "no window titled Zarvo appeared"
  kill "$pid" 2>/dev/null
  exit 1
fi
echo "window $window: $(xdotool getwindowgeometry "$window" | tr '\n' ' ')"

# Real key events (XTEST) go to the focused window; with no window manager the focus
# may take a moment to land, so the close is asked for until the program is gone.
for _ in 1 2 3 4 5; do
  timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null && xdotool key alt+F4
  for _ in $(seq 25); do
    kill -0 "$pid" 2>/dev/null || break 2
    sleep 0.2
  done
done
if kill -0 "$pid" 2>/dev/null; then
  echo "the program did not exit after Alt+F4"
  kill "$pid"
  exit 1
fi
wait "$pid"
code=$?
echo "exit code $code"
cat program.log
[ "$code" -eq 0 ]
