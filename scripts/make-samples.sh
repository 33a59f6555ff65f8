#!/usr/bin/env bash
# Writes the sample tracks, made by an already built smxgen, into DIR/smx and DIR/smxU.
# Usage: scripts/make-samples.sh DIR [SMXGEN]    (or SMXGEN=path scripts/make-samples.sh DIR;
#        scripts/make-samples.sh SMXGEN DIR also works)
set -euo pipefail
if [ $# -ge 1 ] && [ -f "$1" ] && [ -x "$1" ]; then
  smxgen=$1
  dir=${2:-}
else
  dir=${1:-}
  smxgen=${2:-${SMXGEN:-}}
fi
if [ -z "$dir" ] || [ -z "$smxgen" ] || [ ! -x "$smxgen" ]; then
  echo "usage: $0 DIR [SMXGEN]   (or set SMXGEN to the smxgen binary)" >&2
  exit 2
fi

mkdir -p "$dir/smx" "$dir/smxU"
sample() {  # triangles seed path
  "$smxgen" --triangles "$1" --seed "$2" --output "$dir/$3"
  echo "$dir/$3: $1 triangles"
}
sample 20000 3 smx/small-ring.smx
sample 80000 5 smx/club-circuit.smx
sample 250000 7 smx/grand-prix.smx
sample 1000000 11 smxU/endurance-1m.smx
