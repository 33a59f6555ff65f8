#!/usr/bin/env bash
# The Windows program under Wine draws the same pixels as the native program: viewshots of both builds draws the
# same views of a million-triangle track made by smxgen on this display, and every picture must be equal byte for
# byte; on a difference it says how many pixels of each view differ. Usage: same-pictures.sh win32|win64, run on a
# display with that build's Wine prefix set up: scripts/with-display.sh --wine win64 bash tests/e2e/same-pictures.sh win64
set -uo pipefail
[ $# -eq 1 ] && [ -n "${ZARVO_WINE:-}" ] || { echo "usage: $0 win32|win64 (under scripts/with-display.sh --wine)" >&2; exit 2; }
root=$(cd "$(dirname "$0")/../.." && pwd) work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" && mkdir smxU native windows || exit 1
"$root/build/linux/tools/smxgen/smxgen" --triangles 1000000 --seed 11 --output smxU/endurance-1m.smx >/dev/null || exit 1
shots() {  # WHAT FOLDER COMMAND...: draws the views into FOLDER and says how long it took
  local since=$EPOCHREALTIME
  "${@:3}" smxU/endurance-1m.smx "$2" >/dev/null || { echo "FAIL  $1: viewshots failed"; return 1; }
  awk -v what="$1" -v from="$since" -v to="$EPOCHREALTIME" 'BEGIN { printf "%s: %.1f s\n", what, to - from }'
}
shots native native "$root/build/linux/tools/viewshots/viewshots" &&
  shots "$1 under Wine" windows "$ZARVO_WINE" "$root/build/$1/tools/viewshots/viewshots.exe" || exit 1
views=$(cd native && ls) && [ -n "$views" ] && [ "$(cd windows && ls)" = "$views" ] ||
  { echo "FAIL  the builds drew different sets of views: native:" $(ls native) "$1:" $(ls windows); exit 1; }
failed=0
for view in $views; do
  if cmp -s "native/$view" "windows/$view"; then echo "PASS  ${view%.rgba}"; continue; fi
  failed=$((failed + 1))
  # A pixel is 4 bytes; cmp -l lists each differing byte by its offset from 1.
  echo "FAIL  ${view%.rgba}: $(cmp -l "native/$view" "windows/$view" | awk '{ print int(($1 - 1) / 4) }' | uniq | wc -l) pixels differ"
done
exit $((failed > 0))
