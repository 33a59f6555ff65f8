#!/usr/bin/env bash
# Writes the two tracks of the visit: a small one in DIR/smx and a medium one in DIR/smxU.
# Usage: tests/e2e/make-tracks.sh DIR SMXGEN...   (SMXGEN may be a command, e.g. wine smxgen.exe)
set -euo pipefail
if [ $# -lt 2 ]; then
  echo "usage: $0 DIR SMXGEN..." >&2
  exit 2
fi
dir=$1
shift
# The generator runs inside DIR: files named relative to here are made absolute first.
smxgen=()
for word in "$@"; do
  [ -e "$word" ] && word=$(realpath "$word")
  smxgen+=("$word")
done
mkdir -p "$dir/smx" "$dir/smxU"
rm -f "$dir"/smx/*.smx "$dir"/smxU/*.smx
cd "$dir"
# Relative output paths: the Windows generator under Wine reads them the same way.
"${smxgen[@]}" --triangles 20000 --seed 3 --output smx/small-ring.smx
"${smxgen[@]}" --triangles 80000 --seed 5 --output smxU/club-circuit.smx
ls -l smx smxU
